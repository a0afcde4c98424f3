#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

Q_DECLARE_METATYPE(FontChoice)
Q_DECLARE_METATYPE(std::optional<FontChoice>)
Q_DECLARE_METATYPE(std::optional<quint32>)

namespace {

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }

    ZoneLabel* zoneBox(int n) { return w.findChild<ZoneLabel*>(QStringLiteral("Label%1").arg(n)); }
    QPlainTextEdit* editor() { return w.findChild<QPlainTextEdit*>(QStringLiteral("Text1")); }
    void click(int n) { QTest::mouseClick(zoneBox(n), Qt::LeftButton); }
    // Types into the editor as a person does; a line break is the Enter key.
    void type(const QString& text) {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(editor(), Qt::Key_Return);
            for (const QChar c : lines[i]) {
                if (c.unicode() < 128)
                    QTest::keyClick(editor(), char(c.unicode()));
                else // a key of a French keyboard, such as é
                    QTest::sendKeyEvent(QTest::Click, editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }
};

} // namespace

class ZoneEditingTest : public QObject {
    Q_OBJECT
private slots:
    // Each step is "zone:typed text": a click on the zone's box, then typing.
    void typing_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("zone 2 then zone 3")
            << QStringList{"2:Bonjour", "3:Café"} << QStringList{"", "Bonjour", "Café"};
        QTest::newRow("enter gives CR LF")
            << QStringList{"1:Marie Curie\nPhysicienne"} << QStringList{"Marie Curie\r\nPhysicienne", "", ""};
        QTest::newRow("same zone clicked again")
            << QStringList{"2:ab", "2:cd"} << QStringList{"", "abcd", ""};
        QTest::newRow("back to an edited zone")
            << QStringList{"2:a", "3:b", "2:c"} << QStringList{"", "ac", "b"};
        QTest::newRow("blanks kept") << QStringList{"3:  x  \n\n"} << QStringList{"", "", "  x  \r\n\r\n"};
    }
    void typing() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, texts);
        Window t;
        for (const QString& step : steps) {
            const int n = step.section(QLatin1Char(':'), 0, 0).toInt();
            t.click(n);
            QCOMPARE(t.m.SelectedZone, n);
            QCOMPARE(t.w.editorText(), t.m.card.zone(n).Text);
            t.editor()->moveCursor(QTextCursor::End);
            t.type(step.section(QLatin1Char(':'), 1));
        }
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(t.m.card.zone(n).Text, texts[n - 1]);
            // The preview shows the zone's lines.
            QCOMPARE(t.zoneBox(n)->text(), QString(texts[n - 1]).replace(QLatin1String("\r\n"), "\n"));
        }
    }

    void selection_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("checkedOption"); // empty: the options stay as they were
        QTest::newRow("centred zone 3") << 3 << 2 << "Option3";
        QTest::newRow("right zone 2") << 2 << 1 << "Option2";
        QTest::newRow("left zone 1") << 1 << 0 << "Option1";
        QTest::newRow("unknown code from a file") << 2 << 7 << "";
    }
    void selection() {
        QFETCH(int, zone);
        QFETCH(int, alignment);
        QFETCH(QString, checkedOption);
        Window t;
        t.m.card.zone(zone).Alignment = qint16(alignment);
        t.m.card.zone(zone).Text = QStringLiteral("Texte");
        t.w.show();
        QVERIFY(QTest::qWaitForWindowActive(&t.w));
        t.click(zone);

        QCOMPARE(t.w.findChild<QLabel*>("Label4")->text(),
                 QStringLiteral("Edition du texte zone %1").arg(zone));
        QCOMPARE(t.w.findChild<QGroupBox*>("Frame1")->title(), QStringLiteral("Aligner texte %1").arg(zone));
        QCOMPARE(int(t.m.card.zone(zone).Alignment), alignment);
        if (!checkedOption.isEmpty())
            QVERIFY(t.w.findChild<QRadioButton*>(checkedOption)->isChecked());
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(t.zoneBox(n)->isOpaque(), n == zone);
            QCOMPARE(t.m.card.zone(n).Text, n == zone ? QStringLiteral("Texte") : QString());
        }
        QCOMPARE(t.zoneBox(zone)->backColour(), colour::WindowBackground);
        QCOMPARE(QApplication::focusWidget(), t.editor());
    }

    void options_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("labelAlignment");
        QTest::newRow("Droite") << "Option2" << 1 << int(Qt::AlignRight);
        QTest::newRow("Centre") << "Option3" << 2 << int(Qt::AlignHCenter);
    }
    void options() {
        QFETCH(QString, option);
        QFETCH(int, alignment);
        QFETCH(int, labelAlignment);
        Window t;
        t.click(2);
        QTest::mouseClick(t.w.findChild<QRadioButton*>(option), Qt::LeftButton);
        QCOMPARE(int(t.m.card.zone(2).Alignment), alignment);
        QCOMPARE(int(t.zoneBox(2)->alignment() & Qt::AlignHorizontal_Mask), labelAlignment);
        QCOMPARE(int(t.m.card.zone(1).Alignment), 0);
        QCOMPARE(int(t.m.card.zone(3).Alignment), 0);
        // Back on Gauche.
        QTest::mouseClick(t.w.findChild<QRadioButton*>("Option1"), Qt::LeftButton);
        QCOMPARE(int(t.m.card.zone(2).Alignment), 0);
    }

    void font_data() {
        QTest::addColumn<std::optional<FontChoice>>("answer");
        QTest::addColumn<FontChoice>("expected");
        const FontChoice start{"Arial", 8.25f, false, false, false, false};
        QTest::newRow("cancelled") << std::optional<FontChoice>() << start;
        const FontChoice chosen{"DejaVu Serif", 10.5f, true, true, true, true};
        QTest::newRow("10.5 stays 10.5") << std::optional<FontChoice>(chosen) << chosen;
        QTest::newRow("no name keeps the name")
            << std::optional<FontChoice>(FontChoice{"", 12.0f, true, false, false, false})
            << FontChoice{"Arial", 12.0f, true, false, false, false};
        QTest::newRow("no size keeps the size")
            << std::optional<FontChoice>(FontChoice{"Courier", 0.0f, false, true, false, false})
            << FontChoice{"Courier", 8.25f, false, true, false, false};
    }
    void font() {
        QFETCH(std::optional<FontChoice>, answer);
        QFETCH(FontChoice, expected);
        Window t;
        t.click(3);
        t.tp.dialogs->fonts.enqueue(answer);
        QTest::mouseClick(t.w.findChild<QPushButton*>("Command1"), Qt::LeftButton);

        QCOMPARE(t.tp.dialogs->fontRequests.size(), 1);
        QVERIFY(t.tp.dialogs->fontRequests[0] == (FontChoice{"Arial", 8.25f, false, false, false, false}));
        const TextZone& z = t.m.card.zone(3);
        QCOMPARE(z.FontName, expected.name);
        QCOMPARE(z.FontSize, expected.size);
        QCOMPARE(z.FontBold, expected.bold);
        QCOMPARE(z.FontItalic, expected.italic);
        QCOMPARE(z.FontStrikethru, expected.strikethru);
        QCOMPARE(z.FontUnderline, expected.underline);
        const QFont shown = t.zoneBox(3)->font();
        QCOMPARE(shown.pointSizeF(), double(expected.size));
        QCOMPARE(shown.bold(), expected.bold);
        QCOMPARE(shown.underline(), expected.underline);
        QCOMPARE(shown.strikeOut(), expected.strikethru);
        // Only the selected zone changes.
        QCOMPARE(t.m.card.zone(1).FontSize, 8.25f);
        QCOMPARE(t.m.card.zone(2).FontName, QStringLiteral("Arial"));
    }

    void colour_data() {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<std::optional<quint32>>("answer");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("system colour cancelled")
            << colour::WindowText << std::optional<quint32>() << colour::WindowText;
        QTest::newRow("system colour replaced")
            << colour::WindowText << std::optional<quint32>(0x0000FFu) << quint32(0x0000FFu);
        QTest::newRow("rgb cancelled")
            << quint32(0x336699u) << std::optional<quint32>() << quint32(0x336699u);
        QTest::newRow("black chosen") << quint32(0x336699u) << std::optional<quint32>(0u) << quint32(0u);
    }
    void colour() {
        QFETCH(quint32, start);
        QFETCH(std::optional<quint32>, answer);
        QFETCH(quint32, expected);
        Window t;
        t.m.card.zone(2).ForeColor = start;
        t.click(2);
        t.tp.dialogs->colours.enqueue(answer);
        QTest::mouseClick(t.w.findChild<QPushButton*>("Command2"), Qt::LeftButton);

        // The dialog shows a system colour as the desktop draws it.
        const quint32 shown = colour::isSystem(start)
                                  ? colour::fromQColor(colour::resolve(start, QApplication::palette()))
                                  : start;
        QCOMPARE(t.tp.dialogs->colourRequests, QList<quint32>{shown});
        QCOMPARE(t.m.card.zone(2).ForeColor, expected);
        QCOMPARE(t.zoneBox(2)->palette().color(QPalette::WindowText),
                 colour::resolve(expected, QApplication::palette()));
        QCOMPARE(t.m.card.zone(1).ForeColor, colour::WindowText);
        // Neither the highlight nor the editor moves.
        QVERIFY(t.zoneBox(2)->isOpaque());
        QCOMPARE(t.m.SelectedZone, 2);
    }

    // A selection that names no zone leaves every tool without effect.
    void noZoneSelected() {
        Window t;
        t.m.card.zone(1).Text = QStringLiteral("garde");
        t.m.SelectedZone = 0;
        t.type(QStringLiteral("x"));
        t.tp.dialogs->fonts.enqueue(FontChoice{"Courier", 14.0f, true, true, true, true});
        t.w.Command1_Click();
        t.w.Command2_Click();
        t.w.Option3_Click();
        QCOMPARE(t.tp.dialogs->fontRequests.size(), 0);
        QCOMPARE(t.tp.dialogs->colourRequests.size(), 0);
        QCOMPARE(t.m.card.zone(1).Text, QStringLiteral("garde"));
        QCOMPARE(int(t.m.card.zone(1).Alignment), 0);
    }
};

QTEST_MAIN(ZoneEditingTest)
#include "tst_zoneediting.moc"
