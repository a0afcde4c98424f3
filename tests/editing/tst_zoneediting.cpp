#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }
    ZoneLabel* box(int n) { return std::array{w.Label1, w.Label2, w.Label3}[n - 1]; }
    // Clicks the zone's box, then types at its end; a line break is the Enter key.
    void edit(int n, const QString& text) {
        QTest::mouseClick(box(n), Qt::LeftButton);
        w.Text1->moveCursor(QTextCursor::End);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w.Text1, c == '\n' ? Qt::Key_Return : Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
    }
};

class ZoneEditingTest : public QObject {
    Q_OBJECT
private slots:
    // Each step is a zone's number, then what is typed: the editor takes up the zone's text, Enter
    // gives CR LF, blanks stay, the other zones are left alone. Clicking a centred zone checks "Centre",
    // an option then aligns that zone only. Font answers in turn: a cancel keeps the font, a blank name
    // or size keeps that part. A system colour is offered as the desktop draws it; a cancel keeps it,
    // black replaces it.
    void editing() {
        Window t;
        for (const QString step : {"2Bonjour", "3Café\n  x  \n", "2!"})
            t.edit(step.left(1).toInt(), step.mid(1));
        const QStringList texts{"", "Bonjour!", "Café\r\n  x  \r\n"};
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(t.m.card.zone(n).Text, texts[n - 1]);
            QCOMPARE(t.box(n)->text(), QString(texts[n - 1]).replace(QLatin1String("\r\n"), "\n"));
        }
        t.m.SelectedZone = 0; // a selection that names no zone leaves every tool without effect
        QTest::keyClick(t.w.Text1, 'x');
        t.w.Command1_Click();
        t.w.Command2_Click();
        t.w.Option3_Click();
        t.m.card.zone(3).Alignment = 2;
        t.m.card.zone(2).Alignment = 7; // an unknown code from a file is kept
        t.edit(2, {});
        t.edit(3, {});
        QVERIFY(t.w.Option3->isChecked() && t.box(3)->isOpaque() && !t.box(2)->isOpaque());
        QTest::mouseClick(t.w.Option2, Qt::LeftButton);
        QCOMPARE(
            (QList<int>{t.m.card.zone(1).Alignment, t.m.card.zone(2).Alignment, t.m.card.zone(3).Alignment}),
            (QList<int>{0, 7, 1}));
        const auto fontOf = [](const TextZone& z) {
            return FontChoice{z.FontName,   z.FontSize,       z.FontBold,
                              z.FontItalic, z.FontStrikethru, z.FontUnderline};
        };
        const FontChoice start{"Arial", 8.25f}, chosen{"DejaVu Serif", 10.5f, true, true, true, true};
        const QList<std::pair<std::optional<FontChoice>, FontChoice>> fonts{
            {{}, start}, {chosen, chosen}, {FontChoice{"", 0.0f}, FontChoice{"DejaVu Serif", 10.5f}}};
        for (const auto& [answer, expected] : fonts) {
            t.tp.dialogs->fonts.enqueue(answer);
            QTest::mouseClick(t.w.Command1, Qt::LeftButton);
            QCOMPARE(fontOf(t.m.card.zone(3)), expected);
        }
        QCOMPARE(t.tp.dialogs->fontRequests, (QList<FontChoice>{start, start, chosen}));
        const QList<std::pair<std::optional<quint32>, quint32>> colours{{{}, colour::WindowText}, {0u, 0u}};
        for (const auto& [answer, expected] : colours) {
            t.tp.dialogs->colours.enqueue(answer);
            QTest::mouseClick(t.w.Command2, Qt::LeftButton);
            QCOMPARE(t.m.card.zone(3).ForeColor, expected);
        }
        // Window text as the card shows it, whatever the desktop: black.
        QCOMPARE(t.tp.dialogs->colourRequests, QList<quint32>(2, colour::Black));
        QCOMPARE(fontOf(t.m.card.zone(2)), start);
        QCOMPARE(t.m.card.zone(2).ForeColor, colour::WindowText);
        QCOMPARE(t.m.card.zone(1).Text, QString());
    }
};

QTEST_MAIN(ZoneEditingTest)
#include "tst_zoneediting.moc"
