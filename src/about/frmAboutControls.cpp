// Builds the About box's controls at their places (twips, 15 per pixel).
#include "about/AboutText.h"
#include "about/DonationPicture.h"
#include "about/LinkLabel.h"
#include "about/frmAbout.h"
#include "app/ApplicationIdentity.h"
#include "app/CardModel.h"

#include "app/Controls.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

using controls::button;
using controls::make;
using controls::twips;

QFrame* line(QWidget* parent, const char* name, QPalette::ColorRole colour, const controls::Twips& geometry) {
    auto* l = make<QFrame>(parent, name, geometry);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    l->setForegroundRole(colour);
    return l;
}

} // namespace

void frmAbout::buildControls() {
    controls::setFixedTwipsSize(this, 6360, 4065);
    // The box's own typeface at the desktop's size; where it is not installed Qt picks the
    // nearest one.
    QFont face = font();
    face.setFamily(QStringLiteral("Comic Sans MS"));
    face.setStyleHint(QFont::SansSerif);
    setFont(face);

    Image1 = make<QLabel>(this, "Image1", twips(240, 240, 720, 720));
    Image1->setPixmap(applicationIcon().pixmap(48, 48));
    Image1->setAlignment(Qt::AlignCenter);

    lblTitle = make<QLabel>(this, "lblTitle", twips(1140, 240, 4980, 480));
    QFont titleFont = controls::relativeFont(face, 7);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setText(about::applicationTitle());

    lblVersion = make<QLabel>(this, "lblVersion", twips(1140, 735, 4980, 285));
    lblVersion->setText(about::versionText());

    lblDescription = make<QLabel>(this, "lblDescription", twips(1140, 1080, 4980, 1080));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDescription->setText(about::notice());

    Line1 = line(this, "Line1", QPalette::Dark, twips(240, 2250, 5880, 15));
    Line1Light = line(this, "Line1Light", QPalette::Light, twips(240, 2265, 5880, 15));

    Label3 = make<LinkLabel>(this, "Label3", twips(240, 2400, 4080, 285));
    Label3->setText(about::siteCaption());
    Label3->setToolTip(about::siteTooltip());

    lblDisclaimer = make<LinkLabel>(this, "lblDisclaimer", twips(240, 2730, 4080, 285));
    lblDisclaimer->setText(about::mailCaption());
    lblDisclaimer->setToolTip(QStringLiteral("Envoyer un courriel"));

    Image2 = make<LinkLabel>(this, "Image2", twips(240, 3150, 1500, 660));
    Image2->setPixmap(QPixmap::fromImage(donationPicture(face, qApp->devicePixelRatio())));
    Image2->setToolTip(about::donationTooltip());

    cmdOK = button(this, "cmdOK", QStringLiteral("OK"), twips(4560, 2400, 1560, 405));
    cmdOK->setDefault(true);
    Command1 = button(this, "Command1", QStringLiteral("Détails..."), twips(4560, 2910, 1560, 405));
    cmdSysInfo = button(this, "cmdSysInfo", QStringLiteral("&Système Info..."), twips(4560, 3420, 1560, 405));
    cmdSysInfo->setToolTip(QStringLiteral("Informations système"));
    controls::fitToFont(this);
}
