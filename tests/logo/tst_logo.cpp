#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "logo/LogoCommands.h"
#include "logo/LogoSize.h"
#include "logo/LogoUnits.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <climits>

// The open dialog's entries, word for word and blank for blank: all pictures, the seven kinds of old,
// then PNG and SVG.
static const char filter[] =
    "Toutes les images       (*.ICO - *.CUR - *.BMP - *.GIF - *.JPG - *.PNG - *.WMF - *.SVG)|"
    "*.ico;*.cur;*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.wmf;*.svg;*.svgz|"
    "Fichiers Icone               (*.ICO)|*.ico|Fichiers curseurs           (*.CUR)|*.cur|"
    "Image en mode point    (*.BMP)|*.bmp|Images                 (*.GIF - *.JPG)|*.gif;*.jpg|"
    "Métafichiers Windows  (*.WMF)|*.wmf|Fichier image                (*.GIF)|*.gif|"
    "Fichier image                (*.JPG)|*.jpg;*.jpeg|Images PNG                   (*.PNG)|*.png|"
    "Dessins vectoriels         (*.SVG)|*.svg;*.svgz";

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }
};

// A row of a table, its steps (and the states after each) separated by ";".
static void row(const char* name, const char* steps, const char* states) {
    QTest::newRow(name) << QString(steps).split(';') << QString(states).split(';');
}
static void size(const char* name, const char* steps, const char* expected, QRectF box = {},
                 QSizeF card = {85, 54}) {
    QTest::newRow(name) << card << box << QString(steps).split(';', Qt::SkipEmptyParts) << QString(expected);
}

class LogoTest : public QObject {
    Q_OBJECT
private slots:
    // Each step acts as a person does on a test file; after each, the logo reads "Path|RecordedPath|
    // preview picture|loads so far|messages so far|preview rectangle", the paths by their file name, the
    // picture by its colour, the rectangle the start-up one unless given.
    void states_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states");
        row("chosen, empty result, failed loads",
            "choose red.bmp;toolbar;dblclick absent.bmp;copy absent.bmp;paste",
            "red.bmp|red.bmp|red|1|0;|red.bmp|red|1|0;absent.bmp|red.bmp|red|2|1;"
            "absent.bmp|red.bmp|red|2|1;absent.bmp|red.bmp|red|3|2");
        row("removed, then an empty result", "choose wide.png;remove;choose",
            "wide.png|wide.png|wide|1|0;AUCUN||none|1|0;||none|1|0");
        // Nothing copied yet; the viewer hands over the path as it is on disk.
        row("pasted twice", "paste;copy wide.png;paste;paste",
            "||builtin|0|0;||builtin|0|0;wide.png|wide.png|wide|1|0;wide.png|wide.png|wide|2|0");
        // A new picture keeps the box the size dialog gave, however wide; a removal keeps its margins.
        row("resized, chosen, removed", "resize;choose wide.png;remove",
            "||builtin|0|0|38|16|113|42;wide.png|wide.png|wide|1|0|38|16|113|42;"
            "AUCUN||none|1|0|38|16|42|42");
    }
    void states() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, states);
        QTemporaryDir dir;
        QImage red(16, 16, QImage::Format_RGB32), wide(40, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        wide.fill(Qt::blue);
        QVERIFY(red.save(dir.filePath("red.bmp")) && wide.save(dir.filePath("wide.png")));
        Window t;
        auto& [tp, m, w] = t;
        CardLogo& logo = m.card.Logo;
        const Picture builtIn = logo.picture;
        const auto named = [&builtIn](const Picture& p) -> QString {
            return p.isNull()                              ? "none"
                   : p.image() == builtIn.image()          ? "builtin"
                   : p.image().pixelColor(0, 0) == Qt::red ? "red"
                                                           : "wide";
        };
        QVERIFY(!builtIn.isNull() && !w.Command11->isEnabled());
        for (int i = 0; i < steps.size(); ++i) {
            QStringList words = steps[i].split(QLatin1Char(' '));
            if (words.size() == 2)
                words[1] = dir.filePath(words[1]);
            const QString& verb = words[0];
            if (verb == "choose" || verb == "dblclick" || verb == "toolbar") {
                const QString recorded = logo.RecordedPath;
                tp.files->chooseNext(words.value(1));
                verb == "choose"     ? QTest::mouseClick(w.Command3, Qt::LeftButton)
                : verb == "dblclick" ? QTest::mouseDClick(w.Picture2, Qt::LeftButton)
                                     : w.Toolbar1_ButtonClick(9);
                const FileDialogRequest& open = tp.files->opens.last();
                QCOMPARE(QStringList({open.title, open.initialFolder, open.initialName, open.filter}),
                         QStringList({"Ouvrir un icone", "/home/marie/cartes", recorded, filter}));
            } else if (verb == "remove") {
                QTest::mouseClick(w.Command6, Qt::LeftButton);
            } else if (verb == "copy") { // what the image viewer does
                m.CopiedImagePath = words[1];
                w.Command11->setEnabled(true);
            } else if (verb == "paste") { // a disabled button takes no click: call its handler
                w.Command11->isEnabled() ? QTest::mouseClick(w.Command11, Qt::LeftButton)
                                         : w.Command11_Click();
            } else if (verb == "resize") { // a left margin of 10 mm, a width of 30, then OK
                QTimer::singleShot(0, [] {
                    if (auto* d = qobject_cast<Form3*>(QApplication::activeModalWidget())) {
                        d->HScroll2->setValue(10);
                        d->HScroll1->setValue(30);
                        d->Command1->click();
                    }
                });
                QTest::mouseClick(w.Command10, Qt::LeftButton);
            }
            const QString expected = states[i] + (states[i].count('|') == 4 ? "|16|16|42|42" : "");
            const QRect r = w.Picture2->geometry();
            const auto file = [&dir](QString path) { return path.remove(dir.path() + '/'); };
            QStringList state{file(logo.Path), file(logo.RecordedPath), named(w.Picture2->picture())};
            for (const auto n : {tp.pictures->requests.size(), tp.messages->shown.size(), qsizetype(r.x()),
                                 qsizetype(r.y()), qsizetype(r.width()), qsizetype(r.height())})
                state << QString::number(n);
            QCOMPARE(state.join('|'), expected);
        }
        for (const MessageRequest& shown : tp.messages->shown)
            QVERIFY(shown == logocommands::unsupportedPicture());
    }
    // The size dialog opened on a logo and a card, then the steps: a list entry, "HScroll2+" for a click on
    // a bar's arrow, "HScroll2~7" for its thumb dragged and held, "OK" or "Annuler". Each row expects
    // "Label5 to Label8 ("*": not looked at)|Width Height Left Top|box in twips|the four bars, the maxima
    // of the first two|messages". Opening reads the size from the box, the margins from the card; each
    // bar writes its own field, label and side of the preview, while dragged too.
    void dialog_data() {
        QTest::addColumn<QSizeF>("card");
        QTest::addColumn<QRectF>("box"); // margins and size in mm; empty: the start-up one
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        size("start-up logo", "", "11 11 0 0|11 11 0 0|240 240 623.7 623.7|11 11 0 0 85 54|");
        size("12.5 and 13.5, margins .4 and 3.4, card sizes rounded half to even", "",
             "12 14 .4 3|12 14 0.4 3|22.68 170.1 680.4 793.8|12 14 0 3 84 86|", {0.4, 3.4, 12.5, 13.5},
             {84.5, 85.5});
        size(
            "logo wider than the card, margin beyond its bar", "",
            "80 20 25 0|80 20 25 0|1417.5 0 4536 1134|80 20 20 0 85 54|Largeur maximum de l'image =  85 mm !",
            {25, 0, 100, 20});
        size("20 x 20 on a card 15 mm high", "20 x 20 mm",
             "*|20 50 0 0|240 240 1134 2835|20 15 0 0 85 15|Hauteur maximum de l'image =  15 mm !", {},
             {85, 15});
        size("bars 1 and 3 clicked, 2 and 4 dragged", "HScroll1+;VScroll1~7;HScroll2+;VScroll2~7",
             "12 7 1 7|12 7 1 7|56.7 396.9 680.4 396.9|12 11 1 0 85 54|");
        size("bars 1 and 3 dragged, 2 and 4 clicked", "HScroll1~7;VScroll1+;HScroll2~7;VScroll2+",
             "7 12 7 1|7 12 7 1|396.9 56.7 396.9 680.4|11 12 0 1 85 54|");
        size("Annuler: the size as rounded on opening, the margins kept",
             "HScroll2+;VScroll2+;20 x 20 mm;Annuler", "*|11 11 1 1|56.7 56.7 623.7 623.7|20 20 1 1 85 54|");
        size("OK, the same preset twice", "HScroll2+;VScroll2+;20 x 20 mm;20 x 20 mm;OK",
             "*|20 20 1 1|56.7 56.7 1134 1134|20 20 1 1 85 54|");
    }
    void dialog() {
        QFETCH(QSizeF, card);
        QFETCH(QRectF, box);
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        Window t;
        auto& [tp, m, w] = t;
        m.layout.cardWidth = card.width();
        m.layout.cardHeight = card.height();
        CardLogo& logo = m.card.Logo;
        if (!box.isEmpty()) {
            logobox::setLeftMm(logo, logo.Left = box.x());
            logobox::setTopMm(logo, logo.Top = box.y());
            logobox::setWidthMm(logo, box.width());
            logobox::setHeightMm(logo, box.height());
            w.placeLogoBox();
        }
        Form3 f(m, tp.platform, w);
        f.Form_Load();
        for (const QString& step : steps) {
            QScrollBar* bar = f.findChild<QScrollBar*>(step.left(8));
            const QChar op = step.size() > 8 ? step[8] : QChar();
            if (op == '+') {
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            } else if (op == '~') {
                bar->setTracking(false);
                bar->setSliderDown(true);
                bar->setSliderPosition(step.mid(9).toInt());
            } else if (step == "OK" || step == "Annuler") {
                QTest::mouseClick(step == "OK" ? f.Command1 : f.Command2, Qt::LeftButton);
            } else { // a list entry
                f.Combo1->setCurrentIndex(f.Combo1->findText(step));
                emit f.Combo1->activated(f.Combo1->currentIndex());
            }
        }
        const QRectF& r = logo.boxTwips;
        QStringList actual{f.Label5->text(), f.Label6->text(), f.Label7->text(), f.Label8->text(), "|"};
        for (const double v : {logo.Width, logo.Height, logo.Left, logo.Top, -1.0, r.x(), r.y(), r.width(),
                               r.height(), -1.0, double(f.HScroll1->value()), double(f.VScroll1->value()),
                               double(f.HScroll2->value()), double(f.VScroll2->value()),
                               double(f.HScroll1->maximum()), double(f.VScroll1->maximum()), -1.0})
            actual << (v == -1.0 ? "|" : QString::number(v));
        for (const MessageRequest& shown : tp.messages->shown)
            actual << (shown.icon == MsgIcon::Exclamation && shown.title == "Erreur" ? shown.prompt : "?");
        const QString text = actual.join(' ').replace(" | ", "|").replace(" |", "|");
        QCOMPARE(expected.startsWith('*') ? "*|" + text.section('|', 1) : text, expected);
        // A card too large for the card area is shown smaller, its logo box with it.
        const double k = w.Picture1->scale() / 15;
        QCOMPARE(w.Picture2->geometry(),
                 QRect(qRound(r.x() * k), qRound(r.y() * k), qRound(r.width() * k), qRound(r.height() * k)));
    }

    // A size is checked against the card; a bar takes it rounded, never beyond what an int holds.
    void rules() {
        using namespace logosize;
        const auto check = [](Dimension d, double value, double card) {
            const Checked c = checkSize(d, value, card);
            return QString::number(c.value) + c.message.value_or(MessageRequest{}).prompt + '|';
        };
        QCOMPARE(check(Dimension::Width, 85, 85) + check(Dimension::Height, 60, 54.5) +
                     check(Dimension::Width, -2, 85),
                 "85|50Hauteur maximum de l'image =  54.5 mm !|1Largeur minimum de l'image = 1 mm !|");
        QCOMPARE((QList<int>{barPosition(-0.5), barPosition(1e300), barPosition(-1e300)}),
                 (QList<int>{0, INT_MAX, INT_MIN}));
    }
};

QTEST_MAIN(LogoTest)
#include "tst_logo.moc"
