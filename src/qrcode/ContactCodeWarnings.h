#pragma once

#include <QString>
#include <QStringList>

struct CardDocument;

// What to tell before printing a card whose contact code may not be read, in French. The
// card's trouble marks say the same.
namespace codewarning {

QString tooSmall(double moduleMm);
QString tooLong();
QString empty();

// Every warning for the card; none when the card has no code or the code is sound.
QStringList forCard(const CardDocument& card);

} // namespace codewarning

struct MessageRequest;

namespace codewarning {

// The print question with the card's warnings below it; a warned question answers No to
// the Enter key, so that nothing prints unless the person chooses to.
MessageRequest withWarnings(MessageRequest question, const CardDocument& card);

} // namespace codewarning
