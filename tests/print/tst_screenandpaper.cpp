// The card on screen and the card on paper come from one drawing: drawn on the screen surface
// and on the PDF surface, rasterised at the same scale, every zone's ink lies at the same place.
#include "platform/QPrinterSurface.h"
#include "platform/QtPictureLoader.h"
#include "platform/ScreenSurface.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double Dpi = 300;
constexpr double PxPerMm = Dpi / 25.4;
// 10.16 mm is 120 pixels at 300 dpi: the card starts on a whole pixel in both rasters.
constexpr double LeftMargin = 10.16;
// The part of the sheet compared: the card, and room for what runs past it.
const QSize Area(int(std::lround((LeftMargin + 85 + 45) * PxPerMm)), int(std::lround(110 * PxPerMm)));

// Pure colours, one per zone, so that each zone's ink is told apart in a raster.
const quint32 ZoneColours[3] = {0x0000FF, 0x00AA00, 0xFF0000}; // red, green, blue
bool isZoneInk(QRgb p, int zone) {
    const int r = qRed(p), g = qGreen(p), b = qBlue(p);
    switch (zone) {
    case 1:
        return r - g > 100 && r - b > 100;
    case 2:
        return g - r > 80 && g - b > 80;
    default:
        return b - r > 100 && b - g > 100;
    }
}

QRect inkBox(const QImage& image, int zone) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (isZoneInk(line[x], zone))
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

QString lines(int count, const QString& stem) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << stem.arg(i);
    return out.join(QStringLiteral("\r\n"));
}

} // namespace

class ScreenAndPaperTest : public QObject {
    Q_OBJECT
private slots:
    void sameInk_data() {
        QTest::addColumn<QList<int>>("alignments");
        QTest::addColumn<QList<int>>("lineCounts");
        QTest::addColumn<QString>("longZone"); // the zone that carries a line running past the card
        QTest::newRow("left, right, centre; 1, 6, 2 lines")
            << QList<int>{0, 1, 2} << QList<int>{1, 6, 2} << "3";
        QTest::newRow("right, centre, left; 2, 1, 15 lines")
            << QList<int>{1, 2, 0} << QList<int>{2, 1, 15} << "2";
        QTest::newRow("centre, left, right; 15, 3, 1 lines")
            << QList<int>{2, 0, 1} << QList<int>{15, 3, 1} << "1";
    }
    void sameInk() {
        QFETCH(QList<int>, alignments);
        QFETCH(QList<int>, lineCounts);
        QFETCH(QString, longZone);
        QTemporaryDir dir;
        QImage yellow(32, 32, QImage::Format_RGB32);
        yellow.fill(QColor(255, 220, 0));
        const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
        QVERIFY(yellow.save(bmp, "BMP"));

        CardDocument card;
        const QString fonts[3] = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Sans"),
                                  QStringLiteral("Liberation Sans")};
        const float sizes[3] = {12, 7.5f, 8.25f};
        for (int n = 1; n <= 3; ++n) {
            TextZone& z = card.zone(n);
            const bool isLong = QString::number(n) == longZone;
            z.Text = lines(lineCounts[n - 1] - (isLong ? 1 : 0),
                           QStringLiteral("Ligne %1 de la zone ") + QString::number(n));
            if (isLong)
                z.Text += QStringLiteral(
                    "\r\nTél. 01 23 45 67 89 - contact@kalimo.example.org - www.kalimo.example.org");
            z.FontName = fonts[n - 1];
            z.FontSize = sizes[n - 1];
            z.FontBold = n == 1;
            z.FontItalic = n == 2;
            z.ForeColor = ZoneColours[n - 1];
            z.Alignment = qint16(alignments[n - 1]);
        }
        QtPictureLoader loader;
        card.Logo = {bmp, bmp, 15, 15, 3, 3, *loader.load(bmp), {}};
        PrintLayout layout;
        layout.leftMargin = LeftMargin;
        layout.printFrame = layout.printCutMarks = false;
        const CardOrigin at = cellOrigin(layout, 1);

        // Paper.
        const QString pdf = dir.filePath(QStringLiteral("carte.pdf"));
        {
            std::array<ZonePrintLines, 3> printLines;
            QVERIFY(DecoupeLignes(card, printLines));
            auto paper = QPrinterSurface::pdfFile(pdf);
            paper->setScaleMode(6);
            paper->setTransparentText(true);
            drawCard(*paper, {card, layout, printLines}, at, DrawOrder::DecorationsFirst);
            paper->endDoc();
        }
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
                     {"-r", "300", "-png", "-x", "0", "-y", "0", "-W", QString::number(Area.width()), "-H",
                      QString::number(Area.height()), "-singlefile", pdf,
                      dir.filePath(QStringLiteral("papier"))});
        QVERIFY(raster.waitForFinished(60000) && raster.exitCode() == 0);
        const QImage paper =
            QImage(dir.filePath(QStringLiteral("papier.png"))).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(paper.size(), Area);

        // Screen, at the same scale.
        QImage screen(Area, QImage::Format_RGB32);
        screen.fill(Qt::white);
        {
            std::array<ZonePrintLines, 3> printLines;
            QVERIFY(DecoupeLignes(card, printLines));
            QPainter p(&screen);
            p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
            ScreenSurface surface(&p, PxPerMm);
            surface.setScaleMode(6);
            surface.setTransparentText(true);
            drawCard(surface, {card, layout, printLines}, at, DrawOrder::DecorationsFirst);
        }

        for (int n = 1; n <= 3; ++n) {
            const QRect onPaper = inkBox(paper, n), onScreen = inkBox(screen, n);
            const QString both = QStringLiteral("zone %1: paper %2,%3 %4x%5, screen %6,%7 %8x%9")
                                     .arg(n)
                                     .arg(onPaper.x())
                                     .arg(onPaper.y())
                                     .arg(onPaper.width())
                                     .arg(onPaper.height())
                                     .arg(onScreen.x())
                                     .arg(onScreen.y())
                                     .arg(onScreen.width())
                                     .arg(onScreen.height());
            QVERIFY2(onPaper.width() > 50 && onPaper.height() > 20, qPrintable(both));
            QVERIFY2(qAbs(onPaper.left() - onScreen.left()) <= 1 &&
                         qAbs(onPaper.right() - onScreen.right()) <= 1 &&
                         qAbs(onPaper.top() - onScreen.top()) <= 1 &&
                         qAbs(onPaper.bottom() - onScreen.bottom()) <= 1,
                     qPrintable(both));
        }
        // The logo too: same rectangle on both.
        const auto logoBox = [](const QImage& image) {
            QRect box;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    if (qRed(p) > 200 && qGreen(p) > 180 && qBlue(p) < 80)
                        box |= QRect(x, y, 1, 1);
                }
            return box;
        };
        const QRect logoPaper = logoBox(paper), logoScreen = logoBox(screen);
        QVERIFY(qAbs(logoPaper.left() - logoScreen.left()) <= 1 &&
                qAbs(logoPaper.right() - logoScreen.right()) <= 1);
        QCOMPARE(logoPaper.left(), int(std::lround((LeftMargin + 3) * PxPerMm)));
    }
};

QTEST_MAIN(ScreenAndPaperTest)
#include "tst_screenandpaper.moc"
