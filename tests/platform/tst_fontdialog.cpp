// The font dialog keeps what it is given: each step a person may take, and what comes back.
#include "TestPlatform.h"
#include "app/CardModel.h"
#include "card/CardFileWriter.h"
#include "editing/ZoneEditing.h"
#include "platform/FontDialog.h"
#include "platform/QtChoiceDialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(FontChoice)

namespace {

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void pick(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentItem(found.front());
}

QString describe(const FontChoice& c) {
    return QStringLiteral("%1|%2|%3%4%5%6")
        .arg(c.name, sizeText(c.size))
        .arg(c.bold)
        .arg(c.italic)
        .arg(c.strikethru)
        .arg(c.underline);
}

} // namespace

class FontDialogTest : public QObject {
    Q_OBJECT
private slots:
    // Steps: "family:NAME" typed, "pick:NAME" chosen in the family list, "style:NAME", "size:TEXT"
    // typed, "sizes:TEXT" chosen in the size list. ok: whether OK can be pressed then.
    void steps_data() {
        QTest::addColumn<FontChoice>("initial");
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<FontChoice>("expected");
        const QStringList db{"DejaVu Sans", "Liberation Sans", "Nimbus Sans [UKWN]", "Nimbus Sans [URW]"};
        const FontChoice arial{"Arial", 8.25f};
        const auto with = [](FontChoice c, auto change) {
            change(c);
            return c;
        };
        QTest::newRow("Arial 8.25 untouched") << arial << db << QStringList{} << true << arial;
        const FontChoice afterNew{"arial", 8};
        QTest::newRow("arial 8 untouched") << afterNew << db << QStringList{} << true << afterNew;
        const FontChoice effects{"Liberation Sans", 7.2f, true, true, true, true};
        QTest::newRow("bold italic, effects kept") << effects << db << QStringList{} << true << effects;
        QTest::newRow("10.5 typed") << arial << db << QStringList{"size:10.5"} << true
                                    << with(arial, [](FontChoice& c) { c.size = 10.5f; });
        QTest::newRow("10,5 typed") << arial << db << QStringList{"size: 10,5 "} << true
                                    << with(arial, [](FontChoice& c) { c.size = 10.5f; });
        QTest::newRow("8.25 over 8") << afterNew << db << QStringList{"size:8.25"} << true
                                     << with(afterNew, [](FontChoice& c) { c.size = 8.25f; });
        QTest::newRow("12 from the list") << arial << db << QStringList{"sizes:12"} << true
                                          << with(arial, [](FontChoice& c) { c.size = 12; });
        QTest::newRow("smallest and largest")
            << arial << db << QStringList{"size:1"} << true << with(arial, [](FontChoice& c) { c.size = 1; });
        QTest::newRow("largest") << arial << db << QStringList{"size:1638"} << true
                                 << with(arial, [](FontChoice& c) { c.size = 1638; });
        for (const char* bad : {"0", "1639", "-3", "abc", "", "8pt"})
            QTest::addRow("size %s refused", bad)
                << arial << db << QStringList{QStringLiteral("size:") + bad} << false << arial;
        QTest::newRow("no family refused") << arial << db << QStringList{"family:"} << false
                                           << with(arial, [](FontChoice& c) { c.name.clear(); });
        QTest::newRow("Gras italique") << arial << db << QStringList{"style:Gras italique"} << true
                                       << with(arial, [](FontChoice& c) { c.bold = c.italic = true; });
        QTest::newRow("Italique") << arial << db << QStringList{"style:Italique"} << true
                                  << with(arial, [](FontChoice& c) { c.italic = true; });
        QTest::newRow("Gras") << arial << db << QStringList{"style:Gras"} << true
                              << with(arial, [](FontChoice& c) { c.bold = true; });
        QTest::newRow("Normal over bold italic")
            << effects << db << QStringList{"style:Normal"} << true
            << with(effects, [](FontChoice& c) { c.bold = c.italic = false; });
        QTest::newRow("family of two foundries, picked")
            << arial << db << QStringList{"pick:Nimbus Sans"} << true
            << with(arial, [](FontChoice& c) { c.name = "Nimbus Sans"; });
        QTest::newRow("family typed with its foundry")
            << arial << db << QStringList{"family:Nimbus Sans [URW]"} << true
            << with(arial, [](FontChoice& c) { c.name = "Nimbus Sans"; });
        const FontChoice suffixed{"Nimbus Sans [UKWN]", 9};
        QTest::newRow("a foundry from an old card dropped")
            << suffixed << db << QStringList{} << true
            << with(suffixed, [](FontChoice& c) { c.name = "Nimbus Sans"; });
        QTest::newRow("another family, then back")
            << arial << db << QStringList{"pick:DejaVu Sans", "family:Arial"} << true << arial;
    }
    void steps() {
        QFETCH(FontChoice, initial);
        QFETCH(QStringList, families);
        QFETCH(QStringList, steps);
        QFETCH(bool, ok);
        QFETCH(FontChoice, expected);
        FontDialog d(initial, families);
        // It opens on the zone's own values.
        QCOMPARE(d.familyEdit->text(), withoutFoundry(initial.name));
        QCOMPARE(d.familyList->currentItem() ? d.familyList->currentItem()->text() : QString(),
                 withoutFoundry(initial.name));
        QCOMPARE(d.sizeEdit->text(), sizeText(initial.size));
        QCOMPARE(d.styleList->currentRow(), (initial.bold ? 2 : 0) + (initial.italic ? 1 : 0));
        for (int i = 0; i < d.familyList->count(); ++i)
            QVERIFY(!d.familyList->item(i)->text().contains('['));
        for (const QString& step : steps) {
            const QString what = step.section(':', 0, 0), value = step.section(':', 1);
            if (what == "family")
                typeInto(d.familyEdit, value);
            else if (what == "pick")
                pick(d.familyList, value);
            else if (what == "style")
                pick(d.styleList, value);
            else if (what == "size")
                typeInto(d.sizeEdit, value);
            else
                pick(d.sizeList, value);
        }
        QCOMPARE(d.buttons->button(QDialogButtonBox::Ok)->isEnabled(), ok);
        QCOMPARE(describe(d.choice()), describe(expected));
    }

    void names() {
        QCOMPARE(cardFamilies({"Nimbus Sans [URW]", "Arial", "nimbus sans [UKWN]", "DejaVu Sans", " [x]"}),
                 (QStringList{"Arial", "DejaVu Sans", "Nimbus Sans"}));
        QCOMPARE(sizeText(8.25f), QString("8.25"));
        QCOMPARE(sizeText(7.2f), QString("7.2"));
        QCOMPARE(parseSize("7.2").value_or(0), 7.2f);
    }

    // Through the real dialog as the main window opens it: OK keeps the zone as it was, Annuler
    // gives nothing, and no family the dialog offers brings a foundry into the card file.
    void realDialog() {
        FakeSpooler spooler;
        QtChoiceDialogs dialogs(spooler);
        const FontChoice arial{"Arial", 8.25f};
        const auto answer = [](const std::function<void(FontDialog&)>& act) {
            QTimer::singleShot(0, [act] {
                auto* d = qobject_cast<FontDialog*>(QApplication::activeModalWidget());
                QVERIFY(d);
                act(*d);
            });
        };
        answer([](FontDialog& d) { d.buttons->button(QDialogButtonBox::Ok)->click(); });
        QCOMPARE(describe(dialogs.chooseFont(arial).value_or(FontChoice{})), describe(arial));
        answer([](FontDialog& d) {
            typeInto(d.sizeEdit, "10.5");
            d.buttons->button(QDialogButtonBox::Cancel)->click();
        });
        QVERIFY(!dialogs.chooseFont(arial).has_value());

        TextZone zone;
        QStringList offered;
        FontDialog probe(arial, QFontDatabase::families());
        for (int i = 0; i < probe.familyList->count(); ++i)
            offered << probe.familyList->item(i)->text();
        QVERIFY(offered.size() > 1);
        for (const QString& family : offered) {
            answer([family](FontDialog& d) {
                pick(d.familyList, family);
                typeInto(d.sizeEdit, "10.5");
                d.buttons->button(QDialogButtonBox::Ok)->click();
            });
            const std::optional<FontChoice> chosen = dialogs.chooseFont(zoneediting::fontOf(zone));
            QVERIFY(chosen);
            zoneediting::applyFont(zone, *chosen);
            QCOMPARE(zone.FontName, family);
            QCOMPARE(zone.FontSize, 10.5f);
            CardDocument card;
            card.zone(2) = zone;
            const QByteArray file = cardfile::toBytes(card);
            QVERIFY(!family.contains('['));
            QVERIFY2(file.contains("[Police 2]\r\n" + family.toLatin1() + "\r\n 10.5\r\n"), file.constData());
        }
    }
};

QTEST_MAIN(FontDialogTest)
#include "tst_fontdialog.moc"
