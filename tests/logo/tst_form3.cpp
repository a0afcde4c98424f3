#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "logo/LogoUnits.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

namespace {

// The main window after a start-up without a card, and the dialog over it.
struct Dialog {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    std::unique_ptr<Form3> f;
    Dialog() { w.Form_Load(); }
    Form3& open() {
        f = std::make_unique<Form3>(m, tp.platform, w);
        f->Form_Load();
        return *f;
    }
    QString label(const char* name) const { return f->findChild<QLabel*>(name)->text(); }
    QScrollBar* bar(const char* name) const { return f->findChild<QScrollBar*>(name); }
    void choose(const QString& text) {
        QComboBox* list = f->findChild<QComboBox*>("Combo1");
        const int index = list->findText(text);
        QVERIFY(index >= 0);
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    QStringList prompts() const {
        QStringList out;
        for (const MessageRequest& r : tp.messages->shown)
            out << r.prompt;
        return out;
    }
};

// The box in twips, as the tables write it.
QString boxText(const QRectF& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}
QString twips(double mm) {
    return QString::number(float(mm * 56.7));
}

} // namespace

class Form3Test : public QObject {
    Q_OBJECT
private slots:
    void design_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame2") << "Frame2"
                                << "Dimensions de l'image en mm";
        QTest::newRow("Frame3") << "Frame3"
                                << "Marges du logo / Icône en mm";
        QTest::newRow("Label2") << "Label2"
                                << "Largeur :";
        QTest::newRow("Label3") << "Label3"
                                << "Hauteur :";
        QTest::newRow("Label1") << "Label1"
                                << "Marge droite :";
        QTest::newRow("Label4") << "Label4"
                                << "Marge haute :";
        QTest::newRow("Command1") << "Command1"
                                  << "&OK";
        QTest::newRow("Command2") << "Command2"
                                  << "&Annuler";
        QTest::newRow("Combo1") << "Combo1"
                                << "Personnalisé";
    }
    void design() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Dialog d;
        Form3& f = d.open();
        QCOMPARE(f.windowTitle(), QStringLiteral("Redimensionner  l'image"));
        QWidget* control = f.findChild<QWidget*>(name);
        QVERIFY(control);
        if (auto* g = qobject_cast<QGroupBox*>(control))
            QCOMPARE(g->title(), caption);
        else if (auto* l = qobject_cast<QLabel*>(control))
            QCOMPARE(l->text(), caption);
        else if (auto* b = qobject_cast<QPushButton*>(control))
            QCOMPARE(b->text(), caption);
        else if (auto* c = qobject_cast<QComboBox*>(control))
            QCOMPARE(c->currentText(), caption);
    }

    void list() {
        Dialog d;
        d.open();
        QComboBox* list = d.f->findChild<QComboBox*>("Combo1");
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        QCOMPARE(entries, (QStringList{" 8 x  8 mm", "10 x 10 mm", "12 x 12 mm", "14 x 14 mm", "15 x 15 mm",
                                       "18 x 18 mm", "20 x 20 mm", " 8 x 12 mm", "10 x 15 mm", "10 x 20 mm",
                                       "15 x 20 mm", "Personnalisé"}));
        // Opening twice does not add the entries again.
        d.f->Form_Load();
        QCOMPARE(list->count(), 12);
        for (const char* name : {"Text1", "Text2"}) {
            QLineEdit* text = d.f->findChild<QLineEdit*>(name);
            QVERIFY(text->isHidden());
            QVERIFY(!text->isEnabled());
        }
    }

    // The size is read back from the preview box; the margins from the card.
    void opening_data() {
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("cardWidth");
        QTest::addColumn<QStringList>("labels");   // Label5 to Label8
        QTest::addColumn<QList<double>>("stored"); // Width, Height, Left, Top
        QTest::addColumn<QList<int>>("bars");      // HScroll1, VScroll1, HScroll2, VScroll2
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("start-up logo")
            << QRectF(240, 240, 630, 630) << 0.0 << 0.0 << 85.0 << QStringList{"11", "11", "0", "0"}
            << QList<double>{11, 11, 0, 0} << QList<int>{11, 11, 0, 0}
            << "240,240," + twips(11) + "," + twips(11) << QStringList();
        QTest::newRow("12.5 and 13.5")
            << QRectF(0, 0, float(12.5 * 56.7), float(13.5 * 56.7)) << 0.0 << 0.0 << 85.0
            << QStringList{"12", "14", "0", "0"} << QList<double>{12, 14, 0, 0} << QList<int>{12, 14, 0, 0}
            << "0,0," + twips(12) + "," + twips(14) << QStringList();
        QTest::newRow("margins .4 and 3.4")
            << QRectF(float(0.4 * 56.7), float(3.4 * 56.7), 1134, 1134) << 0.4 << 3.4 << 85.0
            << QStringList{"20", "20", ".4", "3"} << QList<double>{20, 20, 0.4, 3} << QList<int>{20, 20, 0, 3}
            << twips(0.4) + "," + twips(3) + ",1134,1134" << QStringList();
        QTest::newRow("margin beyond its bar")
            << QRectF(float(25 * 56.7), 0, 1134, 1134) << 25.0 << 0.0 << 85.0
            << QStringList{"20", "20", "25", "0"} << QList<double>{20, 20, 25, 0} << QList<int>{20, 20, 20, 0}
            << twips(25) + ",0,1134,1134" << QStringList();
        QTest::newRow("logo wider than the card")
            << QRectF(0, 0, float(100 * 56.7), 1134) << 0.0 << 0.0 << 85.0
            << QStringList{"80", "20", "0", "0"} << QList<double>{80, 20, 0, 0} << QList<int>{80, 20, 0, 0}
            << "0,0," + twips(80) + ",1134" << QStringList{"Largeur maximum de l'image =  85 mm !"};
        QTest::newRow("card narrower than the replacement")
            << QRectF(0, 0, float(50 * 56.7), 1134) << 0.0 << 0.0 << 40.0 << QStringList{"80", "20", "0", "0"}
            << QList<double>{80, 20, 0, 0} << QList<int>{40, 20, 0, 0} << "0,0," + twips(80) + ",1134"
            << QStringList{"Largeur maximum de l'image =  40 mm !"};
    }
    void opening() {
        QFETCH(QRectF, box);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, cardWidth);
        QFETCH(QStringList, labels);
        QFETCH(QList<double>, stored);
        QFETCH(QList<int>, bars);
        QFETCH(QString, preview);
        QFETCH(QStringList, messages);
        Dialog d;
        d.m.layout.cardWidth = cardWidth;
        d.m.card.Logo.boxTwips = box;
        d.m.card.Logo.Left = left;
        d.m.card.Logo.Top = top;
        d.w.placeLogoBox();
        d.open();

        QCOMPARE((QStringList{d.label("Label5"), d.label("Label6"), d.label("Label7"), d.label("Label8")}),
                 labels);
        const CardLogo& logo = d.m.card.Logo;
        QCOMPARE((QList<double>{logo.Width, logo.Height, logo.Left, logo.Top}), stored);
        QCOMPARE((QList<int>{d.bar("HScroll1")->value(), d.bar("VScroll1")->value(),
                             d.bar("HScroll2")->value(), d.bar("VScroll2")->value()}),
                 bars);
        QCOMPARE(boxText(logo.boxTwips), preview);
        QCOMPARE(d.prompts(), messages);
        QCOMPARE(d.bar("HScroll1")->maximum(), int(cardWidth));
        QCOMPARE(d.bar("VScroll1")->maximum(), 54);
        // The preview follows the box.
        QCOMPARE(d.w.Picture2->width(), qRound(logo.boxTwips.width() / 15));
    }

    void barMaximum_data() {
        QTest::addColumn<double>("card");
        QTest::addColumn<int>("maximum");
        QTest::newRow("84.5") << 84.5 << 84;
        QTest::newRow("85.5") << 85.5 << 86;
    }
    void barMaximum() {
        QFETCH(double, card);
        QFETCH(int, maximum);
        Dialog d;
        d.m.layout.cardWidth = card;
        d.m.layout.cardHeight = card;
        d.open();
        QCOMPARE(d.bar("HScroll1")->maximum(), maximum);
        QCOMPARE(d.bar("VScroll1")->maximum(), maximum);
    }

    void presets_data() {
        QTest::addColumn<double>("cardWidth");
        QTest::addColumn<double>("cardHeight");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("barsShown");
        QTest::newRow("20 x 20") << 85.0 << 54.0 << "20 x 20 mm" << 20.0 << 20.0 << QStringList() << false;
        QTest::newRow("8 x 12") << 85.0 << 54.0 << " 8 x 12 mm" << 8.0 << 12.0 << QStringList() << false;
        QTest::newRow("20 x 20 on a card 15 mm high")
            << 85.0 << 15.0 << "20 x 20 mm" << 20.0 << 50.0
            << QStringList{"Hauteur maximum de l'image =  15 mm !"} << false;
        QTest::newRow("20 x 20 on a card 15 mm wide")
            << 15.0 << 54.0 << "20 x 20 mm" << 80.0 << 20.0
            << QStringList{"Largeur maximum de l'image =  15 mm !"} << false;
        QTest::newRow("custom") << 85.0 << 54.0 << "Personnalisé" << 11.0 << 11.0 << QStringList() << true;
    }
    void presets() {
        QFETCH(double, cardWidth);
        QFETCH(double, cardHeight);
        QFETCH(QString, entry);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QStringList, messages);
        QFETCH(bool, barsShown);
        Dialog d;
        d.m.layout.cardWidth = cardWidth;
        d.m.layout.cardHeight = cardHeight;
        d.open();
        d.f->show();
        d.choose(entry);

        const CardLogo& logo = d.m.card.Logo;
        QCOMPARE(logo.Width, width);
        QCOMPARE(logo.Height, height);
        QCOMPARE(logo.boxTwips.width(), double(float(width * 56.7)));
        QCOMPARE(logo.boxTwips.height(), double(float(height * 56.7)));
        QCOMPARE(d.prompts(), messages);
        for (const MessageRequest& r : d.tp.messages->shown)
            QCOMPARE(r.icon, MsgIcon::Exclamation);
        QCOMPARE(d.bar("HScroll1")->isVisible(), barsShown);
        QCOMPARE(d.bar("VScroll1")->isVisible(), barsShown);
        QCOMPARE(d.f->findChild<QLineEdit*>("Text1")->isEnabled(), barsShown);
        // A bar never leaves its range.
        QVERIFY(d.bar("VScroll1")->value() <= d.bar("VScroll1")->maximum());
        QVERIFY(d.bar("HScroll1")->value() <= d.bar("HScroll1")->maximum());
    }

    void samePresetTwice() {
        Dialog d;
        d.open();
        d.choose(QStringLiteral("15 x 20 mm"));
        const CardLogo before = d.m.card.Logo;
        const QString texts =
            d.f->findChild<QLineEdit*>("Text1")->text() + "|" + d.f->findChild<QLineEdit*>("Text2")->text();
        d.choose(QStringLiteral("15 x 20 mm"));
        const CardLogo& after = d.m.card.Logo;
        QCOMPARE(after.Width, before.Width);
        QCOMPARE(after.Height, before.Height);
        QCOMPARE(after.boxTwips, before.boxTwips);
        QCOMPARE(d.f->findChild<QLineEdit*>("Text1")->text() + "|" +
                     d.f->findChild<QLineEdit*>("Text2")->text(),
                 texts);
        QCOMPARE(texts, QStringLiteral("15|20"));
        QVERIFY(d.tp.messages->shown.isEmpty());
    }

    // Each bar writes its field, its label and one side of the preview, while dragged too.
    void bars_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("field"); // 0 Width, 1 Height, 2 Left, 3 Top
        QTest::newRow("width") << "HScroll1"
                               << "Label5" << 0;
        QTest::newRow("height") << "VScroll1"
                                << "Label6" << 1;
        QTest::newRow("left margin") << "HScroll2"
                                     << "Label7" << 2;
        QTest::newRow("top margin") << "VScroll2"
                                    << "Label8" << 3;
    }
    void bars() {
        QFETCH(QString, bar);
        QFETCH(QString, label);
        QFETCH(int, field);
        Dialog d;
        d.open();
        QScrollBar* b = d.bar(bar.toLatin1());
        const CardLogo& logo = d.m.card.Logo;
        const auto read = [&logo, field]() {
            const double fields[] = {logo.Width, logo.Height, logo.Left, logo.Top};
            const QRectF& r = logo.boxTwips;
            const double sides[] = {r.width(), r.height(), r.x(), r.y()};
            return qMakePair(fields[field], sides[field]);
        };
        // One arrow click moves it by one.
        b->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const double start = field < 2 ? 11 : 0;
        QCOMPARE(read(), qMakePair(start + 1, double(float((start + 1) * 56.7))));
        QCOMPARE(d.label(label.toLatin1()), QString::number(start + 1));
        // Dragging without tracking: the preview follows the thumb before the value settles.
        b->setTracking(false);
        b->setSliderDown(true);
        b->setSliderPosition(7);
        QCOMPARE(read(), qMakePair(7.0, double(float(7 * 56.7))));
        QCOMPARE(d.label(label.toLatin1()), QStringLiteral("7"));
        QCOMPARE(d.w.Picture2->geometry(),
                 QRect(qRound(logo.boxTwips.x() / 15), qRound(logo.boxTwips.y() / 15),
                       qRound(logo.boxTwips.width() / 15), qRound(logo.boxTwips.height() / 15)));
        b->setSliderDown(false);
        // The hidden texts keep what they held.
        QCOMPARE(d.f->findChild<QLineEdit*>("Text1")->text(), QStringLiteral("11"));
    }

    void cancel() {
        Dialog d;
        d.open();
        d.bar("HScroll2")->setValue(5);
        d.bar("VScroll2")->setValue(7);
        d.bar("HScroll1")->setValue(30);
        d.choose(QStringLiteral("20 x 20 mm"));
        QTest::mouseClick(d.f->findChild<QPushButton*>("Command2"), Qt::LeftButton);

        QCOMPARE(d.f->result(), int(QDialog::Rejected));
        const CardLogo& logo = d.m.card.Logo;
        // The size as rounded on opening, not the 11.11 of before.
        QCOMPARE(logo.Width, 11.0);
        QCOMPARE(logo.Height, 11.0);
        QCOMPARE(logo.Left, 5.0);
        QCOMPARE(logo.Top, 7.0);
        QCOMPARE(boxText(logo.boxTwips), twips(5) + "," + twips(7) + "," + twips(11) + "," + twips(11));
    }

    void ok() {
        Dialog d;
        d.open();
        d.choose(QStringLiteral("10 x 15 mm"));
        QTest::mouseClick(d.f->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QCOMPARE(d.f->result(), int(QDialog::Accepted));
        QCOMPARE(d.m.card.Logo.Width, 10.0);
        QCOMPARE(d.m.card.Logo.Height, 15.0);
    }

    // The main window's button shows the dialog modally and waits for it.
    void resizeButton() {
        Dialog d;
        QString title;
        QTimer::singleShot(0, [&title]() {
            auto* dialog = qobject_cast<Form3*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            dialog->HScroll2->setValue(4);
            dialog->Command2->click();
        });
        QTest::mouseClick(d.w.Command10, Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Redimensionner  l'image"));
        QCOMPARE(d.m.card.Logo.Width, 11.0);
        QCOMPARE(d.m.card.Logo.Left, 4.0);
        QVERIFY(!d.w.findChild<Form3*>());
    }
};

QTEST_MAIN(Form3Test)
#include "tst_form3.moc"
