#include "about/AboutText.h"

#include "generated/BuildInfo.h"

#include <QStringList>

namespace about {

namespace {
QString fromBuild(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

QString applicationTitle() {
    return fromBuild(buildinfo::productName);
}

QString windowCaption() {
    return QStringLiteral("A propos ") + applicationTitle();
}

QString versionNumber() {
    return QStringLiteral("%1.%2.%3")
        .arg(buildinfo::versionMajor)
        .arg(buildinfo::versionMinor)
        .arg(buildinfo::versionRevision);
}

QString versionText() {
    return QStringLiteral("Version ") + versionNumber();
}

QString notice() {
    return applicationTitle() +
           QStringLiteral(" est gratuit : vous pouvez l'utiliser, le copier et le donner librement. "
                          "S'il vous rend service, un don aide à le faire vivre.\n") +
           authorLine() + QStringLiteral(", ") + fromBuild(buildinfo::noticeDate);
}

QString authorLine() {
    return fromBuild(buildinfo::makerName);
}

QString siteCaption() {
    return QStringLiteral("URL : ") + siteAddress();
}

QString siteTooltip() {
    return QStringLiteral("Visitez le site officiel ") + fromBuild(buildinfo::makerName);
}

QString mailCaption() {
    return QStringLiteral("E-Mail : ") + fromBuild(buildinfo::makerMail);
}

QString donationTooltip() {
    return QStringLiteral("Faites un don pour soutenir ") + applicationTitle();
}

QString detailsMessage() {
    const QStringList lines{applicationTitle() + QStringLiteral(" version ") + versionNumber() +
                                QStringLiteral(" - Création de cartes de visite"),
                            QString(),
                            authorLine(),
                            mailCaption(),
                            QStringLiteral("Url : ") + siteAddress(),
                            QString()};
    return lines.join(QLatin1Char('\r'));
}

QString siteAddress() {
    return fromBuild(buildinfo::makerSite);
}

QString donationAddress() {
    return fromBuild(buildinfo::makerDonation);
}

QString mailTarget() {
    return QStringLiteral("mailto:") + fromBuild(buildinfo::makerMail);
}

} // namespace about
