// The About box driven through its window.
#include "TestPlatform.h"
#include "about/LinkLabel.h"
#include "about/frmAbout.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "generated/BuildInfo.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
QString build(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void tooltipsAndCursors_data();
    void tooltipsAndCursors();
    void linksGoThroughTheShell_data();
    void linksGoThroughTheShell();
    void detailsMessage();
    void systemInfoButton_data();
    void systemInfoButton();
    void typeface();
    void okClosesAndMainWindowWaits();
};

void TestFrmAbout::captions_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");
    QTest::newRow("title") << "lblTitle"
                           << "Kalimo";
    QTest::newRow("version") << "lblVersion"
                             << "Version 1.4.0";
    QTest::newRow("site") << "Label3" << QStringLiteral("URL : ") + build(buildinfo::makerSite);
    QTest::newRow("mail") << "lblDisclaimer" << QStringLiteral("E-Mail : ") + build(buildinfo::makerMail);
    QTest::newRow("details") << "Command1"
                             << "Détails...";
    QTest::newRow("system info") << "cmdSysInfo"
                                 << "&Système Info...";
    QTest::newRow("ok") << "cmdOK"
                        << "OK";
}

void TestFrmAbout::captions() {
    QFETCH(QString, control);
    QFETCH(QString, expected);
    TestPlatform tp;
    frmAbout box(tp.platform);
    QCOMPARE(box.windowTitle(), QStringLiteral("A propos Kalimo"));
    QWidget* w = box.findChild<QWidget*>(control);
    QVERIFY(w);
    const QString text =
        qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : qobject_cast<QPushButton*>(w)->text();
    QCOMPARE(text, expected);
    // The notice names the maker as the build does.
    QVERIFY(box.lblDescription->text().contains(build(buildinfo::makerName)));
}

void TestFrmAbout::tooltipsAndCursors_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<bool>("hand");
    QTest::newRow("site") << "Label3"
                          << QStringLiteral("Visitez le site officiel ") + build(buildinfo::makerName)
                          << true;
    QTest::newRow("mail") << "lblDisclaimer"
                          << "Envoyer un courriel" << true;
    QTest::newRow("donation") << "Image2"
                              << "Faites un don pour soutenir Kalimo" << true;
    QTest::newRow("system info") << "cmdSysInfo"
                                 << "Informations système" << false;
}

void TestFrmAbout::tooltipsAndCursors() {
    QFETCH(QString, control);
    QFETCH(QString, tooltip);
    QFETCH(bool, hand);
    TestPlatform tp;
    frmAbout box(tp.platform);
    QWidget* w = box.findChild<QWidget*>(control);
    QVERIFY(w);
    QCOMPARE(w->toolTip(), tooltip);
    QCOMPARE(w->cursor().shape() == Qt::PointingHandCursor, hand);
}

void TestFrmAbout::linksGoThroughTheShell_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("urls");
    QTest::addColumn<QStringList>("mails");
    QTest::newRow("site") << "Label3" << QStringList{build(buildinfo::makerSite)} << QStringList{};
    QTest::newRow("donation") << "Image2" << QStringList{build(buildinfo::makerDonation)} << QStringList{};
    QTest::newRow("mail") << "lblDisclaimer" << QStringList{}
                          << QStringList{QStringLiteral("mailto:") + build(buildinfo::makerMail)};
}

void TestFrmAbout::linksGoThroughTheShell() {
    QFETCH(QString, control);
    QFETCH(QStringList, urls);
    QFETCH(QStringList, mails);
    TestPlatform tp;
    frmAbout box(tp.platform);
    box.show();
    auto* link = box.findChild<LinkLabel*>(control);
    QVERIFY(link);
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(tp.shell->urls, urls);
    QCOMPARE(tp.shell->mails, mails);
    QVERIFY(tp.messages->shown.isEmpty());
    // A right click opens nothing.
    QTest::mouseClick(link, Qt::RightButton);
    QCOMPARE(tp.shell->urls.size() + tp.shell->mails.size(), 1);
}

void TestFrmAbout::detailsMessage() {
    TestPlatform tp;
    frmAbout box(tp.platform);
    box.show();
    QTest::mouseClick(box.Command1, Qt::LeftButton);
    QCOMPARE(tp.messages->shown.size(), 1);
    const MessageRequest shown = tp.messages->shown.first();
    const QString expected = QStringLiteral("Kalimo version 1.4.0 - Création de cartes de visite\r") +
                             QStringLiteral("\r") + QStringLiteral("Les contributeurs de Kalimo\r") +
                             QStringLiteral("E-Mail : ") + build(buildinfo::makerMail) +
                             QStringLiteral("\r") + QStringLiteral("Url : ") + build(buildinfo::makerSite) +
                             QStringLiteral("\r");
    QCOMPARE(shown.prompt, expected);
    QVERIFY(!shown.prompt.contains(QLatin1Char('\n')));
    QCOMPARE(shown.title, QStringLiteral("A propos"));
    QCOMPARE(shown.icon, MsgIcon::Information);
    QCOMPARE(shown.buttons, MsgButtons::Ok);
    QVERIFY(box.isVisible());
}

void TestFrmAbout::systemInfoButton_data() {
    QTest::addColumn<bool>("toolKnown");
    QTest::newRow("tool named by the registry") << true;
    QTest::newRow("no tool") << false;
}

void TestFrmAbout::systemInfoButton() {
    QFETCH(bool, toolKnown);
    TestPlatform tp;
    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    if (toolKnown) {
        tp.registry->setValue(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                              QStringLiteral("PATH"), RegistryType::String,
                              QByteArray("/usr/bin/hardinfo\0", 18));
        tp.shell->startable << tool;
    }
    frmAbout box(tp.platform);
    box.show();
    QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton);
    QCOMPARE(tp.shell->started, toolKnown ? QStringList{tool} : QStringList{});
    QCOMPARE(tp.messages->shown.size(), toolKnown ? 0 : 1);
    if (!toolKnown)
        QCOMPARE(tp.messages->shown.first().prompt, QStringLiteral("Information Systeme introuvable !"));
}

void TestFrmAbout::typeface() {
    TestPlatform tp;
    frmAbout box(tp.platform);
    for (QWidget* w : std::initializer_list<QWidget*>{box.lblTitle, box.lblVersion, box.Label3, box.cmdOK,
                                                      box.cmdSysInfo, box.Command1})
        QCOMPARE(w->font().family(), QStringLiteral("Comic Sans MS"));
}

void TestFrmAbout::okClosesAndMainWindowWaits() {
    TestPlatform tp;
    Module1 m;
    Form1 main(m, tp.platform);
    main.Form_Load();
    main.show();
    QString seenTitle;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seenTitle = box->windowTitle();
        wasModal = box->isModal();
        QTest::mouseClick(box->cmdOK, Qt::LeftButton);
    });
    main.Mnu_APropos->trigger();
    QCOMPARE(seenTitle, QStringLiteral("A propos Kalimo"));
    QVERIFY(wasModal);
    QVERIFY(!main.findChild<frmAbout*>());
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
