#pragma once

#include <QDialog>

struct Platform;
class LinkLabel;
class QFrame;
class QLabel;
class QPushButton;

// The About box: title, version, notice, the maker's links, details and the
// system-information tool. Shown modally; "OK" closes and discards it.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(Platform& platform, QWidget* parent = nullptr);

    void Label3_Click();
    void Image2_Click();
    void lblDisclaimer_Click();
    void Command1_Click();
    void cmdSysInfo_Click();
    void cmdOK_Click();

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    LinkLabel* Label3 = nullptr;
    LinkLabel* lblDisclaimer = nullptr;
    LinkLabel* Image2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QPushButton* cmdOK = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line1Light = nullptr;

private:
    void buildControls();
    void wireControls();
    // Keys, tab order and what a screen reader says of each control.
    void setUpAccess();
    // The opening steps.
    void Form_Load();

    Platform& p_;
};
