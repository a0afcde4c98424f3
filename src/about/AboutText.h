#pragma once

#include <QString>

// What the About box says. The maker's details come from the build, where they are kept in
// one place.
namespace about {

QString applicationTitle();
QString windowCaption();
// "1.4.0": the version's three numbers joined by ".".
QString versionNumber();
QString versionText();
QString notice();
QString authorLine();
QString siteCaption();
QString siteTooltip();
QString mailCaption();
QString donationTooltip();
// The lines of the details message, joined by a single CR.
QString detailsMessage();

QString siteAddress();
QString donationAddress();
QString mailTarget();

} // namespace about
