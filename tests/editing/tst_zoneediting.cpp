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

    ZoneLabel* zoneBox(int n) { return std::array{w.Label1, w.Label2, w.Label3}[n - 1]; }
    QPlainTextEdit* editor() { return w.Text1; }
    void click(int n) { QTest::mouseClick(zoneBox(n), Qt::LeftButton); }
    // Types into the editor as a person does; a line break is the Enter key.
    void type(const QString& text) {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n'))
                QTest::keyClick(editor(), Qt::Key_Return);
            else if (c.unicode() < 128)
                QTest::keyClick(editor(), char(c.unicode()));
            else // a key of a French keyboard, such as é
                QTest::sendKeyEvent(QTest::Click, editor(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
};

FontChoice fontOf(const TextZone& z) {
    return {z.FontName, z.FontSize, z.FontBold, z.FontItalic, z.FontStrikethru, z.FontUnderline};
}

} // namespace

static char* toString(const FontChoice& f) {
    QString text;
    QDebug(&text) << f.name << f.size << f.bold << f.italic << f.strikethru << f.underline;
    return qstrdup(text.toUtf8());
}

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

    // Clicking a zone's box selects it; then each option aligns that zone only.
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

        QCOMPARE(t.w.Label4->text(), QStringLiteral("Edition du texte zone %1").arg(zone));
        QCOMPARE(t.w.Frame1->title(), QStringLiteral("Aligner texte %1").arg(zone));
        QCOMPARE(int(t.m.card.zone(zone).Alignment), alignment);
        if (!checkedOption.isEmpty())
            QVERIFY(t.w.findChild<QRadioButton*>(checkedOption)->isChecked());
        QCOMPARE(t.zoneBox(zone)->backColour(), colour::WindowBackground);
        QCOMPARE(QApplication::focusWidget(), t.editor());

        const Qt::Alignment sides[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
        for (const int code : {1, 2, 0}) {
            QTest::mouseClick(std::array{t.w.Option1, t.w.Option2, t.w.Option3}[code], Qt::LeftButton);
            QCOMPARE(int(t.m.card.zone(zone).Alignment), code);
            QCOMPARE(t.zoneBox(zone)->alignment() & Qt::AlignHorizontal_Mask, sides[code]);
        }
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(t.zoneBox(n)->isOpaque(), n == zone);
            QCOMPARE(t.m.card.zone(n).Text, n == zone ? QStringLiteral("Texte") : QString());
            if (n != zone)
                QCOMPARE(int(t.m.card.zone(n).Alignment), 0);
        }
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
        QTest::mouseClick(t.w.Command1, Qt::LeftButton);

        const FontChoice start{"Arial", 8.25f, false, false, false, false};
        QCOMPARE(t.tp.dialogs->fontRequests, QList<FontChoice>{start});
        QCOMPARE(fontOf(t.m.card.zone(3)), expected);
        const QFont shown = t.zoneBox(3)->font();
        QCOMPARE((FontChoice{expected.name, float(shown.pointSizeF()), shown.bold(), shown.italic(),
                             shown.strikeOut(), shown.underline()}),
                 expected);
        // Only the selected zone changes.
        QCOMPARE(fontOf(t.m.card.zone(1)), start);
        QCOMPARE(fontOf(t.m.card.zone(2)), start);
    }

    // A cancel keeps the colour; any answer, black included, replaces it.
    void colour_data() {
        QTest::addColumn<quint32>("start");
        QTest::addColumn<std::optional<quint32>>("answer");
        QTest::newRow("system colour cancelled") << colour::WindowText << std::optional<quint32>();
        QTest::newRow("system colour replaced") << colour::WindowText << std::optional<quint32>(0x0000FFu);
        QTest::newRow("rgb cancelled") << quint32(0x336699u) << std::optional<quint32>();
        QTest::newRow("black chosen") << quint32(0x336699u) << std::optional<quint32>(0u);
    }
    void colour() {
        QFETCH(quint32, start);
        QFETCH(std::optional<quint32>, answer);
        const quint32 expected = answer.value_or(start);
        Window t;
        t.m.card.zone(2).ForeColor = start;
        t.click(2);
        t.tp.dialogs->colours.enqueue(answer);
        QTest::mouseClick(t.w.Command2, Qt::LeftButton);

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
