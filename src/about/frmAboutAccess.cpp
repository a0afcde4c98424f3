// The About box from the keyboard and through a screen reader.
#include "about/AboutText.h"
#include "about/LinkLabel.h"
#include "about/frmAbout.h"
#include "app/Access.h"

#include <QPushButton>

using access::describe;

void frmAbout::setUpAccess() {
    const QList<QWidget*> order{cmdOK, Command1, cmdSysInfo, Label3, lblDisclaimer, Image2};
    access::chainTabOrder(order);

    describe(Label3, QStringLiteral("Site web"), about::siteTooltip());
    describe(lblDisclaimer, QStringLiteral("Courriel"), QStringLiteral("Envoyer un courriel"));
    describe(Image2, QStringLiteral("Faire un don"), about::donationTooltip());
    describe(cmdOK, QStringLiteral("OK"), QStringLiteral("Ferme la boîte A propos"));
    describe(Command1, QStringLiteral("Détails"), QStringLiteral("Montre les détails du programme"));
    describe(cmdSysInfo, QStringLiteral("Système Info"), QStringLiteral("Informations système"));
}
