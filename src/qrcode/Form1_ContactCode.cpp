// The main window's "Logo" menu and its contact code command.
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "qrcode/ContactCode.h"
#include "qrcode/ContactCodeDialog.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void Form1::buildLogoMenu() {
    // Alt+L and Alt+O belong to the "Logo Icone" and "Coller l'image" buttons.
    Mnu_Logo = new QMenu(QStringLiteral("Lo&go"), this);
    Mnu_Logo->setObjectName(QStringLiteral("Mnu_Logo"));
    const auto entry = [this](const char* name, const QString& caption, void (Form1::*handler)()) {
        QAction* a = Mnu_Logo->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    entry("Mnu_LogoIcone", QStringLiteral("&Logo Icone"), &Form1::Command3_Click);
    Mnu_CodeQR = entry("Mnu_CodeQR", QStringLiteral("Code &QR de contact..."), &Form1::Mnu_CodeQR_Click);
    entry("Mnu_PasIcone", QStringLiteral("Pa&s d'icone"), &Form1::Command6_Click);
    entry("Mnu_Redimensionner", QStringLiteral("&Redimensionner"), &Form1::Command10_Click);
    menuBar()->insertMenu(Mnu_Aide->menuAction(), Mnu_Logo);
}

void Form1::Mnu_CodeQR_Click() {
    ContactCodeDialog dialog(m_.card, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    useContactCode(m_.card.Logo);
    Picture2->setPicture(m_.card.Logo.picture);
    placeLogoBox();
}
