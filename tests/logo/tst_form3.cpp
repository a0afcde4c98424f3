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
    explicit Dialog(QSizeF card = QSizeF(85, 54)) {
        w.Form_Load();
        m.layout.cardWidth = card.width();
        m.layout.cardHeight = card.height();
    }
    Form3& open() {
        f = std::make_unique<Form3>(m, tp.platform, w);
        f->Form_Load();
        return *f;
    }
    // "Label5 to Label8|Width Height Left Top|box in twips|bars|Text1 Text2|messages", the bars
    // being HScroll1, VScroll1, HScroll2 and VScroll2, then the maxima of the first two.
    QString state() const {
        const auto numbers = [](std::initializer_list<double> values, char separator) {
            QStringList out;
            for (double v : values)
                out << QString::number(v);
            return out.join(QLatin1Char(separator));
        };
        const CardLogo& l = m.card.Logo;
        const QRectF& r = l.boxTwips;
        QStringList messages;
        for (const MessageRequest& shown : tp.messages->shown)
            messages << (shown.icon == MsgIcon::Exclamation ? shown.prompt
                                                            : QStringLiteral("(no exclamation)"));
        const QStringList labels{f->Label5->text(), f->Label6->text(), f->Label7->text(), f->Label8->text()};
        const QString bars = numbers({double(f->HScroll1->value()), double(f->VScroll1->value()),
                                      double(f->HScroll2->value()), double(f->VScroll2->value()),
                                      double(f->HScroll1->maximum()), double(f->VScroll1->maximum())},
                                     ' ');
        return labels.join(' ') + "|" + numbers({l.Width, l.Height, l.Left, l.Top}, ' ') + "|" +
               numbers({r.x(), r.y(), r.width(), r.height()}, ',') + "|" + bars + "|" + f->Text1->text() +
               " " + f->Text2->text() + "|" + messages.join('|');
    }
};

// A row of the dialog table, its steps separated by ";".
void row(const char* name, const char* steps, const char* expected, QSizeF card = {85, 54}, QRectF box = {}) {
    QTest::newRow(name) << card << box << QString::fromUtf8(steps).split(';', Qt::SkipEmptyParts)
                        << QString::fromUtf8(expected);
}

} // namespace

class Form3Test : public QObject {
    Q_OBJECT
private slots:
    void design() {
        Dialog d;
        Form3& f = d.open();
        const QStringList captions{f.windowTitle(),  f.Frame2->title(),  f.Frame3->title(),
                                   f.Label2->text(), f.Label3->text(),   f.Label1->text(),
                                   f.Label4->text(), f.Command1->text(), f.Command2->text()};
        QCOMPARE(captions, (QStringList{"Redimensionner  l'image", "Dimensions de l'image en mm",
                                        "Marges du logo / Icône en mm", "Largeur :", "Hauteur :",
                                        "Marge droite :", "Marge haute :", "&OK", "&Annuler"}));
        QStringList entries;
        for (int i = 0; i < f.Combo1->count(); ++i)
            entries << f.Combo1->itemText(i);
        QCOMPARE(entries, (QStringList{" 8 x  8 mm", "10 x 10 mm", "12 x 12 mm", "14 x 14 mm", "15 x 15 mm",
                                       "18 x 18 mm", "20 x 20 mm", " 8 x 12 mm", "10 x 15 mm", "10 x 20 mm",
                                       "15 x 20 mm", "Personnalisé"}));
        QCOMPARE(f.Combo1->currentText(), QStringLiteral("Personnalisé"));
        // Opening twice does not add the entries again.
        f.Form_Load();
        QCOMPARE(f.Combo1->count(), 12);
        for (const QLineEdit* text : {f.Text1, f.Text2})
            QVERIFY(text->isHidden() && !text->isEnabled());
    }

    // The dialog opened on a card and a logo, then the steps: a list entry chosen; "HScroll2=5"
    // for a bar moved, "HScroll2+" for a click on its arrow, "HScroll2~7" for its thumb dragged
    // and held without tracking; "OK" or "Annuler" clicked. Each row expects the state, where a
    // field of "*" is not looked at.
    // Opening reads the size back from the preview box, the margins from the card.
    void dialog_data() {
        QTest::addColumn<QSizeF>("card");
        QTest::addColumn<QRectF>("box"); // margins and size in mm; empty: the start-up one
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        row("start-up logo", "", "11 11 0 0|11 11 0 0|240,240,623.7,623.7|11 11 0 0 85 54|11 11|");
        row("12.5 and 13.5, card sizes rounded half to even", "",
            "12 14 0 0|12 14 0 0|0,0,680.4,793.8|12 14 0 0 84 86|12 14|", {84.5, 85.5}, {0, 0, 12.5, 13.5});
        row("margins .4 and 3.4", "", "20 20 .4 3|20 20 0.4 3|22.68,170.1,1134,1134|20 20 0 3 85 54|20 20|",
            {85, 54}, {0.4, 3.4, 20, 20});
        row("margin beyond its bar", "", "20 20 25 0|20 20 25 0|1417.5,0,1134,1134|20 20 20 0 85 54|20 20|",
            {85, 54}, {25, 0, 20, 20});
        row("logo wider than the card", "",
            "80 20 0 0|80 20 0 0|0,0,4536,1134|80 20 0 0 85 54|100 20|Largeur maximum de l'image =  85 mm !",
            {85, 54}, {0, 0, 100, 20});
        row("card narrower than the replacement", "",
            "80 20 0 0|80 20 0 0|0,0,4536,1134|40 20 0 0 40 54|50 20|Largeur maximum de l'image =  40 mm !",
            {40, 54}, {0, 0, 50, 20});
        row("8 x 12", " 8 x 12 mm", "8 12 0 0|8 12 0 0|240,240,453.6,680.4|8 12 0 0 85 54|8 12|");
        row("the same preset twice", "15 x 20 mm;15 x 20 mm",
            "15 20 0 0|15 20 0 0|240,240,850.5,1134|15 20 0 0 85 54|15 20|");
        row("20 x 20 on a card 15 mm high", "20 x 20 mm",
            "*|20 50 0 0|240,240,1134,2835|20 15 0 0 85 15|20 20|Hauteur maximum de l'image =  15 mm !",
            {85, 15});
        row("20 x 20 on a card 15 mm wide", "20 x 20 mm",
            "*|80 20 0 0|240,240,4536,1134|15 20 0 0 15 54|20 20|Largeur maximum de l'image =  15 mm !",
            {15, 54});
        row("custom", "Personnalisé", "11 11 0 0|11 11 0 0|240,240,623.7,623.7|11 11 0 0 85 54|11 11|");
        // Each bar writes its field, its label and one side of the preview, while dragged too;
        // the hidden texts keep what they held.
        row("width, arrow", "HScroll1+", "12 11 0 0|12 11 0 0|240,240,680.4,623.7|12 11 0 0 85 54|11 11|");
        row("width, dragged", "HScroll1~7", "7 11 0 0|7 11 0 0|240,240,396.9,623.7|11 11 0 0 85 54|11 11|");
        row("height, arrow", "VScroll1+", "11 12 0 0|11 12 0 0|240,240,623.7,680.4|11 12 0 0 85 54|11 11|");
        row("height, dragged", "VScroll1~7", "11 7 0 0|11 7 0 0|240,240,623.7,396.9|11 11 0 0 85 54|11 11|");
        row("left margin, arrow", "HScroll2+",
            "11 11 1 0|11 11 1 0|56.7,240,623.7,623.7|11 11 1 0 85 54|11 11|");
        row("left margin, dragged", "HScroll2~7",
            "11 11 7 0|11 11 7 0|396.9,240,623.7,623.7|11 11 0 0 85 54|11 11|");
        row("top margin, arrow", "VScroll2+",
            "11 11 0 1|11 11 0 1|240,56.7,623.7,623.7|11 11 0 1 85 54|11 11|");
        row("top margin, dragged", "VScroll2~7",
            "11 11 0 7|11 11 0 7|240,396.9,623.7,623.7|11 11 0 0 85 54|11 11|");
        row("Annuler: the size as rounded on opening, the margins kept",
            "HScroll2=5;VScroll2=7;HScroll1=30;20 x 20 mm;Annuler",
            "*|11 11 5 7|283.5,396.9,623.7,623.7|*|*|");
        row("OK", "HScroll2=5;VScroll2=7;HScroll1=30;20 x 20 mm;OK",
            "*|20 20 5 7|283.5,396.9,1134,1134|*|*|");
    }
    void dialog() {
        QFETCH(QSizeF, card);
        QFETCH(QRectF, box);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        Dialog d(card);
        if (!box.isEmpty()) {
            CardLogo& logo = d.m.card.Logo;
            logo.Left = box.x();
            logo.Top = box.y();
            logobox::setLeftMm(logo, box.x());
            logobox::setTopMm(logo, box.y());
            logobox::setWidthMm(logo, box.width());
            logobox::setHeightMm(logo, box.height());
            d.w.placeLogoBox();
        }
        Form3& f = d.open();
        for (const QString& step : steps) {
            QScrollBar* bar = f.findChild<QScrollBar*>(step.left(8));
            const QChar op = step.size() > 8 ? step[8] : QChar();
            if (op == '=') {
                bar->setValue(step.mid(9).toInt());
            } else if (op == '+') {
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            } else if (op == '~') {
                bar->setTracking(false);
                bar->setSliderDown(true);
                bar->setSliderPosition(step.mid(9).toInt());
            } else if (step == "OK" || step == "Annuler") {
                QTest::mouseClick(step == "OK" ? f.Command1 : f.Command2, Qt::LeftButton);
            } else { // a list entry
                const int index = f.Combo1->findText(step);
                QVERIFY(index >= 0);
                f.Combo1->setCurrentIndex(index);
                emit f.Combo1->activated(index);
            }
        }
        if (steps.contains("OK") || steps.contains("Annuler"))
            QCOMPARE(f.result(), int(steps.contains("OK") ? QDialog::Accepted : QDialog::Rejected));

        QStringList actual = d.state().split('|');
        const QStringList wanted = expected.split('|');
        for (int i = 0; i < wanted.size(); ++i)
            if (wanted[i] == "*")
                actual[i] = "*";
        QCOMPARE(actual.join('|'), expected);
        // The preview follows the box; the size bars show for a custom size, and its texts
        // take typing once it is chosen.
        const QRectF& twips = d.m.card.Logo.boxTwips;
        QCOMPARE(d.w.Picture2->geometry(), QRect(qRound(twips.x() / 15), qRound(twips.y() / 15),
                                                 qRound(twips.width() / 15), qRound(twips.height() / 15)));
        const bool custom = f.Combo1->currentText() == QStringLiteral("Personnalisé");
        QCOMPARE(!f.HScroll1->isHidden() && !f.VScroll1->isHidden(), custom);
        QCOMPARE(f.Text1->isEnabled(), steps.contains(QStringLiteral("Personnalisé")));
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
        const CardLogo& logo = d.m.card.Logo;
        QCOMPARE((QList<double>{logo.Width, logo.Height, logo.Left, logo.Top}),
                 (QList<double>{11, 11, 4, 0}));
        QVERIFY(!d.w.findChild<Form3*>());
    }
};

QTEST_MAIN(Form3Test)
#include "tst_form3.moc"
