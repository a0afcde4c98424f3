#include "about/frmAbout.h"

#include "about/AboutText.h"
#include "about/LinkLabel.h"
#include "about/SystemInfo.h"
#include "about/SystemInfoWindow.h"
#include "platform/Platform.h"

#include <QPushButton>

frmAbout::frmAbout(Platform& platform, QWidget* parent) : QDialog(parent), p_(platform) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    buildControls();
    wireControls();
    setUpAccess();
    Form_Load();
}

void frmAbout::wireControls() {
    connect(Label3, &LinkLabel::clicked, this, &frmAbout::Label3_Click);
    connect(Image2, &LinkLabel::clicked, this, &frmAbout::Image2_Click);
    connect(lblDisclaimer, &LinkLabel::clicked, this, &frmAbout::lblDisclaimer_Click);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::Form_Load() {
    setWindowTitle(about::windowCaption());
    lblVersion->setText(about::versionText());
    lblTitle->setText(about::applicationTitle());
}

void frmAbout::Label3_Click() {
    p_.shell->openUrl(about::siteAddress());
}

void frmAbout::Image2_Click() {
    p_.shell->openUrl(about::donationAddress());
}

void frmAbout::lblDisclaimer_Click() {
    p_.shell->newMail(about::mailTarget());
}

void frmAbout::Command1_Click() {
    p_.messages->show(
        {about::detailsMessage(), QStringLiteral("A propos"), MsgButtons::Ok, MsgIcon::Information, 1});
}

void frmAbout::cmdSysInfo_Click() {
    if (StartSysInfo(*p_.registry, *p_.shell))
        return;
    // No tool on this system: what the program knows itself, over the About box.
    auto* window = new SystemInfoWindow(systemSummary(*p_.environment, *p_.spooler), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
}

void frmAbout::cmdOK_Click() {
    accept();
}
