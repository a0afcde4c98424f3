// The alignment options against the zones they stand for, and where typing goes at start-up.
#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window {
    explicit Window(const QString& argument = QString()) {
        tp.environment->argument = argument;
        w = std::make_unique<Form1>(m, tp.platform);
        w->Form_Load();
    }
    TestPlatform tp;
    Module1 m;
    std::unique_ptr<Form1> w;

    // Which options are checked, "G", "D", "C" in order, "-" for none.
    QString checked() const {
        QString s;
        for (QRadioButton* o : {w->Option1, w->Option2, w->Option3})
            if (o->isChecked())
                s += o->text().left(1);
        return s.isEmpty() ? QStringLiteral("-") : s;
    }
    QString alignments() const {
        return QStringLiteral("%1%2%3")
            .arg(m.card.zone(1).Alignment)
            .arg(m.card.zone(2).Alignment)
            .arg(m.card.zone(3).Alignment);
    }
    // One step of a script: "z2" clicks zone 2, "o3" clicks option 3, "n" is "Nouveau", "d" moves to the
    // next option with the Down key, "s" presses Space on the checked option (the first one when none is),
    // "k7" puts the unknown code 7 into zone 1 as a damaged card would, "f" opens a card whose zone 1 is
    // centred, "t" types in the editor.
    void run(const QString& step, const QString& cardFile) {
        QRadioButton* options[3] = {w->Option1, w->Option2, w->Option3};
        ZoneLabel* zones[3] = {w->Label1, w->Label2, w->Label3};
        const QChar c = step.at(0);
        const int k = step.mid(1).toInt();
        if (c == 'z')
            QTest::mouseClick(zones[k - 1], Qt::LeftButton);
        else if (c == 'o')
            QTest::mouseClick(options[k - 1], Qt::LeftButton);
        else if (c == 'n') {
            // A changed card is set aside without saving; a clean one is renewed at once.
            if (w->isWindowModified())
                tp.messages->answers << MsgAnswer::Discard;
            w->Mnu_Nouveau_Click();
        } else if (c == 'd' || c == 's') {
            QRadioButton* focused = nullptr;
            for (QRadioButton* o : options)
                if (o->isChecked())
                    focused = o;
            focused = focused ? focused : options[0];
            // Keys move between options only in a window on screen.
            w->show();
            QVERIFY(QTest::qWaitForWindowActive(w.get()));
            focused->setFocus();
            QTest::keyClick(focused, c == 'd' ? Qt::Key_Down : Qt::Key_Space);
        } else if (c == 'k') {
            m.card.zone(1).Alignment = qint16(k);
            w->refreshZone(1);
        } else if (c == 'f') {
            w->OpenFile(cardFile);
        } else if (c == 't') {
            QTest::keyClicks(w->Text1, QStringLiteral("ab"));
        }
    }
};

QString centredCardFile(const QTemporaryDir& dir) {
    QByteArray bytes = samples::newCardFile();
    // Zone 1's alignment is the first " 0 " after "[Alignement 1]".
    const int at = bytes.indexOf("[Alignement 1]\r\n") + 16;
    bytes.replace(at, 3, " 2 ");
    const QString path = dir.filePath(QStringLiteral("CENTRE.CDV"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace

class AlignmentOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void options_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("checked");    // the options checked at the end
        QTest::addColumn<QString>("alignments"); // zones 1, 2, 3
        QTest::newRow("start-up: zone 1 left, Gauche checked") << ""
                                                               << "G"
                                                               << "000";
        QTest::newRow("Centre aligns zone 1") << "o3"
                                              << "C"
                                              << "200";
        QTest::newRow("Nouveau checks Gauche again") << "o3 n"
                                                     << "G"
                                                     << "000";
        QTest::newRow("Centre after Nouveau centres") << "o3 n o3"
                                                      << "C"
                                                      << "200";
        QTest::newRow("Centre clicked twice stays") << "o3 o3"
                                                    << "C"
                                                    << "200";
        QTest::newRow("each zone its own option") << "o2 z2 o3 z3 z1"
                                                  << "D"
                                                  << "120";
        QTest::newRow("back to a centred zone") << "z2 o3 z1 z2"
                                                << "C"
                                                << "020";
        QTest::newRow("Down key moves and applies") << "d"
                                                    << "D"
                                                    << "100";
        QTest::newRow("a code no option shows: none checked") << "k7"
                                                              << "-"
                                                              << "700";
        QTest::newRow("then a click applies") << "k7 o1"
                                              << "G"
                                              << "000";
        QTest::newRow("then Gauche by keyboard applies") << "k7 s"
                                                         << "G"
                                                         << "000";
        QTest::newRow("a card opened centred") << "o2 f"
                                               << "C"
                                               << "200";
        QTest::newRow("typing keeps the option") << "o2 t"
                                                 << "D"
                                                 << "100";
        QTest::newRow("zone 3 cleared by Nouveau") << "z3 o2 n"
                                                   << "G"
                                                   << "000";
    }
    void options() {
        QFETCH(QString, script);
        QFETCH(QString, checked);
        QFETCH(QString, alignments);
        QTemporaryDir dir;
        const QString card = centredCardFile(dir);
        Window t;
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts))
            t.run(step, card);
        QCOMPARE(t.checked(), checked);
        QCOMPARE(t.alignments(), alignments);
    }

    // At start-up the editor of zone 1 holds the keyboard: typed text lands in zone 1, and Space does
    // not press the logo button.
    void focusAtStartUp_data() {
        QTest::addColumn<QString>("argument");
        QTest::newRow("no card") << QString();
        QTest::newRow("a card that does not exist") << QStringLiteral("/nulle/part/ABSENT.CDV");
    }
    void focusAtStartUp() {
        QFETCH(QString, argument);
        Window t(argument);
        t.w->show();
        QVERIFY(QTest::qWaitForWindowActive(t.w.get()));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t.w->Text1));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ma carte "));
        QCOMPARE(t.m.card.zone(1).Text, QStringLiteral("Ma carte "));
        QVERIFY(t.tp.files->opens.isEmpty());
    }
};

QTEST_MAIN(AlignmentOptionsTest)
#include "tst_alignmentoptions.moc"
