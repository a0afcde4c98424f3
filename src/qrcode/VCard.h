#pragma once

#include <QByteArray>

struct ContactDetails;

// The contact as a vCard 3.0 in UTF-8, CR LF after each line, long lines folded at 75 bytes.
QByteArray vcardOf(const ContactDetails& details);
