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
const QString Site = QString::fromUtf8(buildinfo::makerSite);
const QString Mail = QString::fromUtf8(buildinfo::makerMail);
const QString Maker = QString::fromUtf8(buildinfo::makerName);

template <typename... Values> void row(const char* tag, const Values&... values) {
    (QTest::newRow(tag) << ... << values);
}
} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void detailsMessage();
    void systemInfoButton();
    void okClosesAndMainWindowWaits();
};

void TestFrmAbout::controls_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("opens"); // what a click hands to the shell; empty: not a link
    const QString none;
    row("title", "lblTitle", "Kalimo", none, none);
    row("version", "lblVersion", "Version 1.4.0", none, none);
    row("site", "Label3", "URL : " + Site, "Visitez le site officiel " + Maker, Site);
    row("mail", "lblDisclaimer", "E-Mail : " + Mail, "Envoyer un courriel", "mailto:" + Mail);
    row("donation", "Image2", none, "Faites un don pour soutenir Kalimo",
        QString::fromUtf8(buildinfo::makerDonation));
    row("details", "Command1", "Détails...", none, none);
    row("system info", "cmdSysInfo", "&Système Info...", "Informations système", none);
    row("ok", "cmdOK", "OK", none, none);
}

void TestFrmAbout::controls() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QFETCH(QString, opens);
    TestPlatform tp;
    frmAbout box(tp.platform);
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("A propos Kalimo"));
    // The notice names the maker as the build does.
    QVERIFY(box.lblDescription->text().contains(Maker));
    QWidget* w = box.findChild<QWidget*>(control);
    QVERIFY(w);
    auto* label = qobject_cast<QLabel*>(w);
    QCOMPARE(label ? label->text() : qobject_cast<QPushButton*>(w)->text(), text);
    QCOMPARE(w->toolTip(), tooltip);
    QCOMPARE(w->font().family(), QStringLiteral("Comic Sans MS"));
    QCOMPARE(w->cursor().shape() == Qt::PointingHandCursor, !opens.isEmpty());
    if (opens.isEmpty())
        return;
    // The web addresses and the mail go through the shell; a right click opens nothing.
    QVERIFY(qobject_cast<LinkLabel*>(w));
    QTest::mouseClick(w, Qt::LeftButton);
    QTest::mouseClick(w, Qt::RightButton);
    const bool mail = opens.startsWith(QLatin1String("mailto:"));
    QCOMPARE(tp.shell->urls, mail ? QStringList{} : QStringList{opens});
    QCOMPARE(tp.shell->mails, mail ? QStringList{opens} : QStringList{});
    QVERIFY(tp.messages->shown.isEmpty());
}

void TestFrmAbout::detailsMessage() {
    TestPlatform tp;
    frmAbout box(tp.platform);
    box.show();
    QTest::mouseClick(box.Command1, Qt::LeftButton);
    const QString details = QStringLiteral("Kalimo version 1.4.0 - Création de cartes de visite\r\r") +
                            "Les contributeurs de Kalimo\rE-Mail : " + Mail + "\rUrl : " + Site + "\r";
    const MessageRequest expected{details, "A propos", MsgButtons::Ok, MsgIcon::Information, 1};
    QCOMPARE(tp.messages->shown, QList<MessageRequest>{expected});
    QVERIFY(box.isVisible());
}

void TestFrmAbout::systemInfoButton() {
    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    for (const bool toolKnown : {true, false}) {
        TestPlatform tp;
        if (toolKnown) {
            tp.registry->setValue("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", RegistryType::String,
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
}

void TestFrmAbout::okClosesAndMainWindowWaits() {
    TestPlatform tp;
    Module1 m;
    Form1 main(m, tp.platform);
    main.Form_Load();
    main.show();
    QString seenTitle; // of the modal window open while the main window waits
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget())) {
            seenTitle = box->windowTitle();
            QTest::mouseClick(box->cmdOK, Qt::LeftButton);
        }
    });
    main.Mnu_APropos->trigger();
    QCOMPARE(seenTitle, QStringLiteral("A propos Kalimo"));
    QVERIFY(!main.findChild<frmAbout*>());
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
