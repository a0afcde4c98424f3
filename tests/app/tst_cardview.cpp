// The main window's card: what will not come out right is marked, the zone being edited shows
// on the white card in every state, and the card's colours do not follow the desktop's theme.
#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/QPrinterSurface.h"
#include "setup/Form2.h"

#include <QApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window {
    Window() { w.Form_Load(); }
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
};

QString lines(int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QStringLiteral("Ligne %1").arg(i);
    return out.join(QStringLiteral("\r\n"));
}

int countPixels(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test) {
    int n = 0;
    const QRect r = area & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool isMark(QRgb p) {
    return qRed(p) > 150 && qGreen(p) < 120 && qBlue(p) < 120 && qRed(p) - qGreen(p) > 60;
}

QPalette darkPalette() {
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, QColor(30, 30, 30));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(240, 240, 240));
    return dark;
}

} // namespace

class CardViewTest : public QObject {
    Q_OBJECT
private slots:
    // Zones in Liberation Sans 8.25; the logo is the start-up picture at the given place, or
    // none ("AUCUN") when its rectangle is empty. Expected: each kind of mark and its zone.
    void troubles_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("alignments");
        QTest::addColumn<QRectF>("logo");
        QTest::addColumn<double>("cardWidth");
        QTest::addColumn<QStringList>("expected");
        const QStringList clean{"Société Kalimo\r\nJean Dupont", "Directeur\r\n12 rue des Lilas",
                                "Tél. 01 23 45 67 89"};
        const QList<int> left{0, 0, 0};
        const QRectF corner(0, 0, 11.11, 11.11);
        const auto with = [&](int zone, const QString& text) {
            QStringList t = clean;
            t[zone - 1] = text;
            return t;
        };
        QTest::newRow("a card without trouble") << clean << left << corner << 85.0 << QStringList{};
        QTest::newRow("right and centred, without trouble")
            << clean << QList<int>{2, 1, 2} << corner << 85.0 << QStringList{};
        QTest::newRow("a long line in zone 3")
            << with(3, "Tél. 01 23 45 67 89 - contact@kalimo.example.org - www.kalimo.example.org") << left
            << corner << 85.0 << QStringList{"edge 3"};
        QTest::newRow("a long centred line in zone 1")
            << with(1, "Société Kalimo - cartes de visite, papeterie et impression") << QList<int>{2, 0, 0}
            << corner << 85.0 << QStringList{"edge 1"};
        QTest::newRow("right-aligned, 1 mm past a 77 mm card")
            << clean << QList<int>{0, 1, 0} << corner << 77.0 << QStringList{"edge 2"};
        QTest::newRow("right-aligned, just inside a 78 mm card")
            << clean << QList<int>{0, 1, 0} << corner << 78.0 << QStringList{};
        QTest::newRow("zone 3 past the bottom")
            << with(3, lines(6)) << left << corner << 85.0 << QStringList{"edge 3"};
        QTest::newRow("six lines in zone 1 reach zone 2")
            << with(1, lines(6)) << left << corner << 85.0 << QStringList{"meet 1"};
        QTest::newRow("six lines in zone 2 reach zone 3")
            << with(2, lines(6)) << left << corner << 85.0 << QStringList{"meet 2"};
        QTest::newRow("five lines in zone 1 stay clear")
            << with(1, lines(5)) << left << corner << 85.0 << QStringList{};
        QTest::newRow("a 15 mm logo at 3 mm over the name")
            << clean << left << QRectF(3, 3, 15, 15) << 85.0 << QStringList{"logo 1"};
        QTest::newRow("a logo low on the card over zone 3")
            << clean << left << QRectF(3, 38, 12, 12) << 85.0 << QStringList{"logo 3"};
        QTest::newRow("the same logo removed") << clean << left << QRectF() << 85.0 << QStringList{};
        QTest::newRow("blanks past the edge are no ink")
            << with(3, "Tél." + QString(120, ' ')) << left << corner << 85.0 << QStringList{};
        QTest::newRow("sixteen lines in zone 3")
            << with(3, lines(16)) << left << corner << 85.0 << QStringList{"edge 3", "lines 3"};
    }
    void troubles() {
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, alignments);
        QFETCH(QRectF, logo);
        QFETCH(double, cardWidth);
        QFETCH(QStringList, expected);
        CardDocument card;
        for (int n = 1; n <= 3; ++n) {
            card.zone(n).Text = texts[n - 1];
            card.zone(n).FontName = "Liberation Sans";
            card.zone(n).Alignment = qint16(alignments[n - 1]);
        }
        card.Logo.picture = Picture(QImage(":/resources/images/logo-defaut.bmp"));
        card.Logo.Path = logo.isEmpty() ? NoLogo : QString();
        card.Logo.Left = logo.x(), card.Logo.Top = logo.y();
        card.Logo.Width = logo.width(), card.Logo.Height = logo.height();
        PrintLayout layout;
        layout.cardWidth = cardWidth;
        CardView view(card, layout);
        view.resize(345, 209);
        view.refresh();

        QStringList kinds;
        const char* names[] = {"edge", "meet", "logo", "lines"};
        for (const CardTrouble& t : view.troubles())
            kinds << QStringLiteral("%1 %2").arg(names[int(t.kind)]).arg(t.zone);
        kinds.removeDuplicates();
        kinds.sort();
        QCOMPARE(kinds, expected);

        // Marked in red on the screen card, and told in the zone's tooltip.
        // The start-up picture has red of its own: it is left out.
        QImage shown = view.grab().toImage();
        const double k = view.pixelsPerMm();
        if (!logo.isEmpty()) {
            QPainter blank(&shown);
            blank.fillRect(
                QRectF(logo.x() * k, logo.y() * k, logo.width() * k, logo.height() * k).toAlignedRect(),
                Qt::white);
        }
        QCOMPARE(countPixels(shown, shown.rect(), isMark) > 0, !expected.isEmpty());
        for (int n = 1; n <= 3; ++n) {
            ZoneLabel* label = view.zoneLabel(n);
            label->setToolTip(QStringLiteral("Cliquez ici pour éditer la zone de texte %1").arg(n));
            const bool troubled = expected.join(' ').contains(QString::number(n));
            QCOMPARE(label->shownToolTip() != label->toolTip(), troubled);
            QVERIFY(label->shownToolTip().startsWith(label->toolTip()));
        }
    }

    // The zone being edited shows as a band of the desktop's highlight on the white card,
    // after start-up, a click, "Nouveau" and "Ouvrir"; typing shows at once.
    void selectedZone_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("zone");
        QTest::newRow("start-up") << "" << 1;
        QTest::newRow("click on zone 2") << "Label2" << 2;
        QTest::newRow("click on zone 3") << "Label3" << 3;
        QTest::newRow("Nouveau after zone 3") << "Label3 Nouveau" << 1;
        QTest::newRow("Ouvrir after zone 2") << "Label2 Ouvrir" << 1;
    }
    void selectedZone() {
        QFETCH(QString, action);
        QFETCH(int, zone);
        QTemporaryDir dir;
        const QString path = dir.filePath("carte.cdv");
        QVERIFY(samples::writeFile(path, samples::newCardFile()));
        Window t;
        for (const QString& step : action.split(' ', Qt::SkipEmptyParts)) {
            if (step == "Nouveau") {
                t.w.Mnu_Nouveau_Click();
            } else if (step == "Ouvrir") {
                t.tp.files->chooseNext(path);
                t.w.Mnu_Ouvrir_Click();
            } else {
                QWidget* label = t.w.Picture1->findChild<QWidget*>(step);
                QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
            }
        }
        QCOMPARE(t.w.Picture1->selectedZone(), zone);
        QColor band = t.w.Picture1->palette().color(QPalette::Highlight);
        const auto blend = [](int c) { return (c * 70 + 255 * 185) / 255; };
        band = QColor(blend(band.red()), blend(band.green()), blend(band.blue()));
        const auto isBand = [band](QRgb p) {
            return qAbs(qRed(p) - band.red()) <= 2 && qAbs(qGreen(p) - band.green()) <= 2 &&
                   qAbs(qBlue(p) - band.blue()) <= 2;
        };
        QImage shown = t.w.Picture1->grab().toImage();
        for (int n = 1; n <= 3; ++n) {
            const QRect r = t.w.Picture1->zoneLabel(n)->geometry();
            QCOMPARE(countPixels(shown, r, isBand) > 100, n == zone);
        }
        // An empty zone shows where it is; a typed line replaces that at once.
        // The first line of zone 3, clear of the frame.
        QRect band3 = t.w.Picture1->zoneLabel(3)->geometry().adjusted(20, 2, -20, 0);
        band3.setHeight(30);
        const auto grey = [](QRgb p) { return qRed(p) < 250 && qAbs(qRed(p) - qBlue(p)) < 8; };
        if (zone != 3) {
            QVERIFY(countPixels(shown, band3, grey) > 0);
            t.w.Label3_Click();
        }
        QTest::keyClicks(t.w.Text1, "Tel. 01 23 45 67 89");
        shown = t.w.Picture1->grab().toImage();
        QVERIFY(countPixels(shown, band3, [](QRgb p) { return qGray(p) < 100; }) > 20);
    }

    // Under a dark theme the card stays paper: system colours resolve to the classic light
    // ones on the card and on the page, and the rest of the window follows the theme.
    void fixedPalette_data() {
        QTest::addColumn<quint32>("colour");
        QTest::addColumn<bool>("dark");
        QTest::newRow("window text") << 0x80000008u << true;
        QTest::newRow("menu text") << 0x80000007u << true;
        QTest::newRow("button text") << 0x80000012u << true;
        QTest::newRow("black") << 0u << true;
        QTest::newRow("a number the platform lacks") << 0x80000063u << true;
        QTest::newRow("window background") << 0x80000005u << false;
        QTest::newRow("button highlight") << 0x80000014u << false;
    }
    void fixedPalette() {
        QFETCH(quint32, colour);
        QFETCH(bool, dark);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(darkPalette());
        const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
        QCOMPARE(colour::onCard(colour), QColor(dark ? Qt::black : Qt::white));

        // On the screen card.
        Window t;
        t.m.card.zone(2).ForeColor = colour;
        t.w.Label2_Click();
        QTest::keyClicks(t.w.Text1, "Dupont Dupont Dupont");
        t.w.Label1_Click(); // no band behind zone 2's text
        const QImage shown = t.w.Picture1->grab().toImage();
        const QRect zone2 = t.w.Picture1->zoneLabel(2)->geometry().adjusted(20, 2, -20, -2);
        QCOMPARE(countPixels(shown, zone2, [](QRgb p) { return qGray(p) < 80; }) > 10, dark);
        QCOMPARE(shown.pixelColor(zone2.center().x(), zone2.bottom()), QColor(Qt::white));

        // On paper.
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        auto paper = QPrinterSurface::pdfFile(pdf);
        paper->setScaleMode(6);
        paper->setTransparentText(true);
        paper->setFontName("Liberation Sans");
        paper->setFontSize(24);
        paper->setForeColor(colour);
        paper->setCurrentX(10);
        paper->setCurrentY(10);
        paper->print("Dupont");
        paper->setLineWidthDots(20);
        paper->line(10, 30, 60, 30, colour);
        paper->endDoc();
        QProcess raster;
        raster.start("pdftoppm",
                     {"-r", "72", "-png", "-W", "200", "-H", "100", "-singlefile", pdf, dir.filePath("p")});
        QVERIFY(raster.waitForFinished(60000) && raster.exitCode() == 0);
        const QImage page(dir.filePath("p.png"));
        QVERIFY(!page.isNull());
        QCOMPARE(countPixels(page, page.rect(), [](QRgb p) { return qGray(p) < 80; }) > 50, dark);
        QCOMPARE(countPixels(page, page.rect(), [](QRgb p) { return qGray(p) < 250; }) > 0, dark);
        // The window around the card keeps the theme.
        QCOMPARE(t.w.Picture1->palette().color(QPalette::Window), QColor(30, 30, 30));
    }

    // A size that no font takes (from a damaged card file) stops the drawing at that zone, as
    // printing would: the zones before it still show, and nothing fails.
    void unprintableSize() {
        CardDocument card;
        card.zone(1).Text = "Jean Dupont";
        card.zone(2).Text = "Directeur";
        card.zone(2).FontSize = 0;
        card.zone(3).Text = "Paris";
        PrintLayout layout;
        CardView view(card, layout);
        view.resize(345, 209);
        view.refresh();
        const DrawnCard drawn = view.measure();
        QCOMPARE(int(drawn.zones[0].lines.size()), 1);
        QVERIFY(drawn.zones[1].lines.empty() && drawn.zones[2].lines.empty());
        QVERIFY(!view.grab().isNull());
    }

    // The card keeps its true proportions: 1 mm is 56.7 twips while it fits the card area, less
    // for a larger card; the set-up dialog's new size shows when it closes.
    void cardSize_data() {
        QTest::addColumn<QSizeF>("card");
        QTest::addColumn<double>("scale");
        QTest::newRow("85 x 54") << QSizeF(85, 54) << 1.0;
        QTest::newRow("90 x 55") << QSizeF(90, 55) << 1.0;
        QTest::newRow("too wide") << QSizeF(182.5, 54) << 0.5;
        QTest::newRow("too high") << QSizeF(85, 110.58) << 0.5;
    }
    void cardSize() {
        QFETCH(QSizeF, card);
        QFETCH(double, scale);
        Window t;
        t.m.layout.cardWidth = card.width();
        t.m.layout.cardHeight = card.height();
        t.w.form2().done(QDialog::Accepted);
        CardView& view = *t.w.Picture1;
        QVERIFY(qAbs(view.scale() - scale) < 0.005);
        // The zone boxes cover the card from top to bottom, each from its zone's top.
        const double k = 56.7 / 15 * view.scale();
        QCOMPARE(view.zoneLabel(1)->geometry().top(), 0);
        QVERIFY(qAbs(view.zoneLabel(2)->geometry().top() - 0.33 * card.height() * k) <= 1);
        QVERIFY(qAbs(view.zoneLabel(3)->geometry().top() - 0.66 * card.height() * k) <= 1);
        QVERIFY(qAbs(view.zoneLabel(3)->geometry().bottom() + 1 - card.height() * k) <= 1);
        QVERIFY(qAbs(view.zoneLabel(3)->geometry().width() - card.width() * k) <= 1);
        // The outline at the card's edge: grey just inside it, the window's colour just past it.
        const QImage shown = view.grab().toImage();
        const int right = int(card.width() * k) - 1;
        QCOMPARE(shown.pixelColor(right, 40), QColor(128, 128, 128));
        if (right + 3 < shown.width())
            QCOMPARE(shown.pixelColor(right + 3, 40), view.palette().color(QPalette::Window));
    }

    // Every system colour the card may hold, as the classic light scheme has it, whatever the
    // desktop's palette; a number beyond the scheme is window text.
    void classicScheme_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("expected");
        const QList<QColor> scheme{
            {212, 208, 200}, {58, 110, 165},  {10, 36, 106},   {128, 128, 128}, {212, 208, 200},
            {255, 255, 255}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {255, 255, 255},
            {212, 208, 200}, {212, 208, 200}, {128, 128, 128}, {10, 36, 106},   {255, 255, 255},
            {212, 208, 200}, {128, 128, 128}, {128, 128, 128}, {0, 0, 0},       {212, 208, 200},
            {255, 255, 255}, {64, 64, 64},    {212, 208, 200}, {0, 0, 0},       {255, 255, 225}};
        for (int k = 0; k < scheme.size(); ++k)
            QTest::addRow("system colour %d", k) << k << scheme[k];
        QTest::newRow("system colour 25") << 25 << QColor(Qt::black);
        QTest::newRow("system colour 0x7FFFFFFF") << 0x7FFFFFFF << QColor(Qt::black);
    }
    void classicScheme() {
        QFETCH(int, index);
        QFETCH(QColor, expected);
        const QPalette before = QApplication::palette();
        const quint32 value = colour::SystemBase + quint32(index);
        QCOMPARE(colour::onCard(value), expected);
        QApplication::setPalette(darkPalette());
        QCOMPARE(colour::onCard(value), expected);
        QApplication::setPalette(before);
        // Colours that are not system colours are drawn as they are.
        QCOMPARE(colour::onCard(colour::fromQColor(expected)), expected);
    }
};

QTEST_MAIN(CardViewTest)
#include "tst_cardview.moc"
