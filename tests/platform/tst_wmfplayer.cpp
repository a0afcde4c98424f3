#include "SampleFiles.h"
#include "WmfBuilder.h"
#include "platform/wmf/WmfPicture.h"

#include <QPainter>
#include <QtTest>

using Samples = QList<QPair<QPoint, QColor>>;
Q_DECLARE_METATYPE(Samples)

namespace {

// Record numbers the builder has no shortcut for.
constexpr quint16 SaveDC = 0x001E;
constexpr quint16 RestoreDC = 0x0127;
constexpr quint16 SetPolyFillMode = 0x0106;
constexpr quint16 SetBkColor = 0x0201;
constexpr quint16 MoveTo = 0x0214;
constexpr quint16 LineTo = 0x0213;
constexpr quint16 Polyline = 0x0325;
constexpr quint16 PolyPolygon = 0x0538;
constexpr quint16 RoundRect = 0x061C;
constexpr quint16 Arc = 0x0817;
constexpr quint16 Pie = 0x081A;
constexpr quint16 Chord = 0x0830;
constexpr quint16 IntersectClipRect = 0x0416;
constexpr quint16 ExcludeClipRect = 0x0415;
constexpr quint16 ExtTextOut = 0x0A32;
constexpr int NullPen = 5;
constexpr int NullBrush = 1;

// A 100 x 100 frame at 96 units to the inch: one unit, one pixel.
QByteArray square(const WmfBuilder& b) {
    return b.placeable(QRect(0, 0, 100, 100), 96);
}

// Pen off and a red brush: shapes show as red areas.
WmfBuilder redFill() {
    WmfBuilder b;
    b.pen(NullPen, 0, Qt::black).select(0).brush(0, Qt::red).select(1);
    return b;
}

QImage render(const QByteArray& bytes, const QSize& size = QSize(100, 100)) {
    const auto picture = WmfPicture::fromData(bytes);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    if (!picture)
        return {};
    QPainter painter(&image);
    picture->paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QByteArray polyPolygon(const QList<QPolygon>& polygons) {
    QByteArray p = WmfBuilder::words({qint16(polygons.size())});
    for (const QPolygon& poly : polygons)
        p += WmfBuilder::words({qint16(poly.size())});
    for (const QPolygon& poly : polygons)
        for (const QPoint& pt : poly)
            p += WmfBuilder::words({qint16(pt.x()), qint16(pt.y())});
    return p;
}

const QPolygon Outer({QPoint(10, 10), QPoint(90, 10), QPoint(90, 90), QPoint(10, 90)});
const QPolygon Inner({QPoint(30, 30), QPoint(70, 30), QPoint(70, 70), QPoint(30, 70)});

} // namespace

class WmfPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void drawsRecords_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Samples>("samples");
        const QColor white = Qt::white;
        const QColor red = Qt::red;

        QTest::newRow("rectangle") << square(redFill().rectangle(10, 10, 90, 90))
                                   << Samples{{{50, 50}, red}, {{5, 5}, white}, {{95, 95}, white}};
        QTest::newRow("ellipse leaves its corners")
            << square(redFill().ellipse(10, 10, 90, 90)) << Samples{{{50, 50}, red}, {{14, 14}, white}};
        QTest::newRow("polygon") << square(redFill().polygon(
                                        QPolygon({QPoint(10, 90), QPoint(50, 10), QPoint(90, 90)})))
                                 << Samples{{{50, 60}, red}, {{15, 20}, white}};
        QTest::newRow("poly-polygon alternate leaves the hole")
            << square(redFill().record(PolyPolygon, polyPolygon({Outer, Inner})))
            << Samples{{{20, 20}, red}, {{50, 50}, white}};
        QTest::newRow("poly-polygon winding fills it")
            << square(redFill().record(SetPolyFillMode, {2}).record(PolyPolygon, polyPolygon({Outer, Inner})))
            << Samples{{{20, 20}, red}, {{50, 50}, red}};
        QTest::newRow("pen outlines an empty brush") << square(WmfBuilder()
                                                                   .pen(0, 6, Qt::blue)
                                                                   .select(0)
                                                                   .brush(NullBrush, Qt::red)
                                                                   .select(1)
                                                                   .rectangle(10, 10, 90, 90))
                                                     << Samples{{{10, 50}, Qt::blue}, {{50, 50}, white}};
        QTest::newRow("line from the current position")
            << square(WmfBuilder()
                          .pen(0, 4, Qt::black)
                          .select(0)
                          .record(MoveTo, {50, 10})
                          .record(LineTo, {50, 90}))
            << Samples{{{50, 50}, Qt::black}, {{50, 40}, white}, {{5, 50}, white}};
        QTest::newRow("polyline is not filled")
            << square(redFill().record(Polyline, {3, 10, 90, 50, 10, 90, 90})) << Samples{{{50, 60}, white}};
        QTest::newRow("round rectangle") << square(redFill().record(RoundRect, {40, 40, 90, 90, 10, 10}))
                                         << Samples{{{50, 50}, red}, {{12, 12}, white}, {{50, 12}, red}};
        // From the radial at 0 degrees to the one at 90, anticlockwise: the upper right quarter.
        QTest::newRow("pie") << square(redFill().record(Pie, {10, 50, 50, 90, 90, 90, 10, 10}))
                             << Samples{{{65, 35}, red}, {{35, 65}, white}, {{35, 35}, white}};
        QTest::newRow("chord") << square(redFill().record(Chord, {10, 50, 50, 90, 90, 90, 10, 10}))
                               << Samples{{{75, 25}, red}, {{60, 40}, white}};
        QTest::newRow("arc is a line only")
            << square(WmfBuilder()
                          .pen(0, 4, Qt::black)
                          .select(0)
                          .brush(0, Qt::red)
                          .select(1)
                          .record(Arc, {10, 50, 50, 90, 90, 90, 10, 10}))
            << Samples{{{65, 35}, white}, {{78, 22}, Qt::black}, {{22, 78}, white}};
        QTest::newRow("a deleted slot is reused first") << square(redFill()
                                                                      .remove(1)
                                                                      .brush(0, Qt::green)
                                                                      .brush(0, Qt::blue)
                                                                      .select(1)
                                                                      .rectangle(10, 10, 90, 90))
                                                        << Samples{{{50, 50}, Qt::green}};
        QTest::newRow("restore brings the brush back") << square(redFill()
                                                                     .record(SaveDC, {})
                                                                     .brush(0, Qt::green)
                                                                     .select(2)
                                                                     .record(RestoreDC, {-1})
                                                                     .rectangle(10, 10, 90, 90))
                                                       << Samples{{{50, 50}, red}};
        QTest::newRow("window mapped onto the frame")
            << square(redFill().windowOrg(0, 0).windowExt(10, 10).rectangle(1, 1, 4, 4))
            << Samples{{{25, 25}, red}, {{60, 60}, white}};
        QTest::newRow("window upside down")
            << square(redFill().windowOrg(0, 10).windowExt(10, -10).rectangle(1, 1, 4, 4))
            << Samples{{{25, 75}, red}, {{25, 25}, white}};
        // Tenths of a millimetre counting upwards: 254 of them make 96 units.
        QTest::newRow("metric units count upwards")
            << square(redFill().mapMode(2).windowOrg(0, 0).rectangle(0, 0, 127, -127))
            << Samples{{{20, 20}, red}, {{60, 60}, white}};
        QTest::newRow("intersecting clip")
            << square(redFill().record(IntersectClipRect, {100, 50, 0, 0}).rectangle(10, 10, 90, 90))
            << Samples{{{30, 50}, red}, {{70, 50}, white}};
        QTest::newRow("excluding clip")
            << square(redFill().record(ExcludeClipRect, {60, 60, 40, 40}).rectangle(10, 10, 90, 90))
            << Samples{{{20, 20}, red}, {{50, 50}, white}};
        QTest::newRow("clip undone by a restore") << square(redFill()
                                                                .record(SaveDC, {})
                                                                .record(IntersectClipRect, {100, 50, 0, 0})
                                                                .record(RestoreDC, {-1})
                                                                .rectangle(10, 10, 90, 90))
                                                  << Samples{{{70, 50}, red}};
        QTest::newRow("unknown records are skipped")
            << square(redFill().record(0x0999, {1, 2, 3}).rectangle(10, 10, 90, 90))
            << Samples{{{50, 50}, red}};
        QTest::newRow("a polygon longer than its record is skipped")
            << square(redFill().record(0x0324, {100, 0, 0, 100, 0}).rectangle(40, 40, 60, 60))
            << Samples{{{50, 50}, red}, {{5, 5}, white}};

        const QImage q = SampleFiles::quarters(2, 2);
        const Samples quarters{
            {{25, 25}, red}, {{75, 25}, Qt::green}, {{25, 75}, Qt::blue}, {{75, 75}, Qt::yellow}};
        QTest::newRow("stretched bitmap")
            << square(WmfBuilder().stretchDib(q, QRect(0, 0, 100, 100))) << quarters;
        QTest::newRow("stretch blit")
            << square(WmfBuilder().dibStretchBlt(q, QRect(0, 0, 100, 100))) << quarters;
        QTest::newRow("mirrored destination") << square(WmfBuilder().stretchDib(q, QRect(100, 0, -100, 100)))
                                              << Samples{{{25, 25}, Qt::green}, {{75, 25}, red}};
        // Rows of four bytes; the top row first since the height is negative.
        const QByteArray rows8("\x00\x01\x00\x00\x01\x00\x00\x00", 8);
        QTest::newRow("8-bit top-down bitmap")
            << square(WmfBuilder().stretchDib(
                   WmfBuilder::dib(2, -2, 8, {qRgb(255, 0, 0), qRgb(0, 0, 255)}, rows8), QSize(2, 2),
                   QRect(0, 0, 100, 100)))
            << Samples{{{25, 25}, red}, {{75, 25}, Qt::blue}, {{25, 75}, Qt::blue}, {{75, 75}, red}};
        QTest::newRow("1-bit bitmap")
            << square(WmfBuilder().stretchDib(WmfBuilder::dib(2, 1, 1, {qRgb(0, 255, 0), qRgb(255, 255, 0)},
                                                              QByteArray("\x80\x00\x00\x00", 4)),
                                              QSize(2, 1), QRect(0, 0, 100, 100)))
            << Samples{{{25, 50}, Qt::yellow}, {{75, 50}, Qt::green}};
        QTest::newRow("32-bit bitmap")
            << square(WmfBuilder().stretchDib(
                   WmfBuilder::dib(2, 1, 32, {}, QByteArray("\xFF\x00\x00\x00\x00\xFF\x00\x00", 8)),
                   QSize(2, 1), QRect(0, 0, 100, 100)))
            << Samples{{{25, 50}, Qt::blue}, {{75, 50}, Qt::green}};
        // Runs: one blue then one red, end of row; two red; end of bitmap. Rows run upwards.
        QTest::newRow("run-length 8-bit bitmap")
            << square(WmfBuilder().stretchDib(
                   WmfBuilder::dib(2, 2, 8, {qRgb(255, 0, 0), qRgb(0, 0, 255)},
                                   QByteArray("\x01\x01\x01\x00\x00\x00\x02\x00\x00\x00\x00\x01", 12), 1),
                   QSize(2, 2), QRect(0, 0, 100, 100)))
            << Samples{{{25, 25}, red}, {{75, 25}, red}, {{25, 75}, Qt::blue}, {{75, 75}, red}};
        QTest::newRow("run-length literal pixels")
            << square(WmfBuilder().stretchDib(
                   WmfBuilder::dib(3, 1, 8, {qRgb(255, 0, 0), qRgb(0, 0, 255)},
                                   QByteArray("\x00\x03\x01\x00\x01\x00\x00\x01", 8), 1),
                   QSize(3, 1), QRect(0, 0, 99, 100)))
            << Samples{{{16, 50}, Qt::blue}, {{50, 50}, red}, {{83, 50}, Qt::blue}};
        QTest::newRow("run-length 4-bit bitmap")
            << square(WmfBuilder().stretchDib(WmfBuilder::dib(2, 1, 4, {qRgb(0, 255, 0), qRgb(255, 255, 0)},
                                                              QByteArray("\x02\x10\x00\x01", 4), 2),
                                              QSize(2, 1), QRect(0, 0, 100, 100)))
            << Samples{{{25, 50}, Qt::yellow}, {{75, 50}, Qt::green}};
        QTest::newRow("bitmap with rows missing is skipped")
            << square(redFill()
                          .stretchDib(WmfBuilder::dib(2, 2, 32, {}, QByteArray(8, '\0')), QSize(2, 2),
                                      QRect(0, 0, 100, 100))
                          .rectangle(40, 40, 60, 60))
            << Samples{{{5, 5}, white}, {{50, 50}, red}};
    }
    void drawsRecords() {
        QFETCH(QByteArray, file);
        QFETCH(Samples, samples);
        const QImage image = render(file);
        QVERIFY(!image.isNull());
        for (const auto& [point, colour] : samples)
            QVERIFY2(image.pixelColor(point) == colour,
                     qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                                    .arg(point.x())
                                    .arg(point.y())
                                    .arg(image.pixelColor(point).name(), colour.name())));
    }

    void decodesText_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("accents") << square(WmfBuilder().textOut(10, 10, "Caf\xE9 No\xEBl"))
                                 << QStringList{QStringLiteral("Café Noël")};
        QTest::newRow("even length") << square(WmfBuilder().textOut(10, 10, "\x80 12"))
                                     << QStringList{QStringLiteral("€ 12")};
        QTest::newRow("extended") << square(WmfBuilder().extTextOut(10, 10, "\xC0 la une"))
                                  << QStringList{QStringLiteral("À la une")};
        // Clipping box and one advance per character.
        const QByteArray withBox = WmfBuilder::words({20, 10, 3, 4, 0, 0, 100, 100}) +
                                   QByteArray("\xE7\xE0s\0", 4) + WmfBuilder::words({10, 10, 10});
        QTest::newRow("extended with box and advances")
            << square(WmfBuilder().record(ExtTextOut, withBox)) << QStringList{QStringLiteral("çàs")};
        QTest::newRow("length beyond the record")
            << square(WmfBuilder().record(ExtTextOut, WmfBuilder::words({20, 10, 50, 0}) + "abc"))
            << QStringList{};
        QTest::newRow("in order") << square(WmfBuilder().textOut(0, 0, "un").extTextOut(0, 20, "deux"))
                                  << QStringList{QStringLiteral("un"), QStringLiteral("deux")};
    }
    void decodesText() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, texts);
        const auto picture = WmfPicture::fromData(file);
        QVERIFY(picture);
        QCOMPARE(picture->texts(), texts);
    }

    // Text is drawn in the text colour, on the background colour unless the background is transparent.
    void textBackground_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("filled");
        QTest::newRow("opaque") << 2 << true;
        QTest::newRow("transparent") << 1 << false;
    }
    void textBackground() {
        QFETCH(int, mode);
        QFETCH(bool, filled);
        WmfBuilder b;
        b.font(-30, 400, "Sans")
            .select(0)
            .textColour(Qt::blue)
            .record(SetBkColor, WmfBuilder::colour(Qt::yellow));
        b.backgroundMode(mode).textOut(10, 30, "Mm");
        const QImage image = render(square(b));
        int yellow = 0;
        int blue = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                yellow += image.pixelColor(x, y) == QColor(Qt::yellow);
                blue += image.pixelColor(x, y) == QColor(Qt::blue);
                // Top-left alignment: nothing above or left of the reference point.
                if (y < 30 || x < 10)
                    QCOMPARE(image.pixelColor(x, y), QColor(Qt::white));
            }
        }
        QVERIFY(blue > 20);
        QCOMPARE(yellow > 100, filled);
    }

    void refusesDamagedFiles_data() {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = square(redFill().rectangle(10, 10, 90, 90));
        const auto patched = [&](qsizetype at, const QByteArray& with) {
            return QByteArray(good).replace(at, with.size(), with);
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("placeable header only") << good.left(22);
        QTest::newRow("checksum") << patched(20, QByteArray(2, '\0'));
        QTest::newRow("empty frame") << WmfBuilder().placeable(QRect(10, 10, 0, 50), 96);
        QTest::newRow("header of eight words") << patched(24, QByteArray("\x08\x00", 2));
        QTest::newRow("header of an unknown kind") << patched(22, QByteArray("\x03\x00", 2));
        QTest::newRow("record shorter than its own header") << patched(40, QByteArray("\x02\x00\x00\x00", 4));
        QTest::newRow("record beyond the end") << patched(40, QByteArray("\x00\x10\x00\x00", 4));
        QTest::newRow("record of four billion words") << patched(40, QByteArray("\xFF\xFF\xFF\xFF", 4));
        QTest::newRow("no end record") << good.left(good.size() - 6);
        QTest::newRow("cut inside a record") << good.left(good.size() - 9);
        QTest::newRow("plain file that draws nothing") << WmfBuilder().backgroundMode(1).plain();
    }
    void refusesDamagedFiles() {
        QFETCH(QByteArray, file);
        QVERIFY(!WmfPicture::fromData(file));
    }

    void naturalSize_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("two inches by one")
            << WmfBuilder().placeable(QRect(0, 0, 2880, 1440), 1440) << QSize(192, 96);
        QTest::newRow("frame away from the origin")
            << WmfBuilder().placeable(QRect(-50, 20, 100, 50), 96) << QSize(100, 50);
        QTest::newRow("plain file with a window")
            << WmfBuilder().windowOrg(0, 0).windowExt(300, 200).plain() << QSize(300, 200);
        QTest::newRow("plain file with a large window")
            << WmfBuilder().windowOrg(0, 0).windowExt(3000, 2000).plain() << QSize(1024, 683);
        QTest::newRow("plain file framed by what it draws")
            << WmfBuilder().pen(NullPen, 0, Qt::black).select(0).ellipse(10, 20, 50, 40).plain()
            << QSize(40, 20);
    }
    void naturalSize() {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        const auto picture = WmfPicture::fromData(file);
        QVERIFY(picture);
        QCOMPARE(picture->naturalSize(), size);
    }

    // Mappings that squeeze or stretch text beyond reason still draw without failing.
    void extremeMappings_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("target");
        QTest::newRow("thin frame") << WmfBuilder().windowExt(1, 200).textOut(0, 10, "C@\xE9\x61tion").plain()
                                    << QSize(64, 48);
        QTest::newRow("flat frame") << WmfBuilder().windowExt(200, 1).textOut(0, 0, "Noel").plain()
                                    << QSize(48, 64);
        QTest::newRow("huge font")
            << square(WmfBuilder().font(-32768, 900, "Sans", 900).select(0).textOut(0, 0, "W"))
            << QSize(64, 48);
        QTest::newRow("wide font") << square(WmfBuilder()
                                                 .record(0x02FB, WmfBuilder::words(
                                                                     {-20, 32767, 0, 0, 400, 0, 0, 0, 0}))
                                                 .select(0)
                                                 .textOut(0, 0, "W"))
                                   << QSize(64, 48);
    }
    void extremeMappings() {
        QFETCH(QByteArray, file);
        QFETCH(QSize, target);
        QVERIFY(WmfPicture::fromData(file));
        QVERIFY(!render(file, target).isNull());
    }

    // Drawn at any size, the picture fills the target: here at three times its natural size.
    void stretchesToTheTarget() {
        const QImage image = render(square(redFill().rectangle(50, 0, 100, 50)), QSize(300, 150));
        QCOMPARE(image.pixelColor(200, 30), QColor(Qt::red));
        QCOMPARE(image.pixelColor(290, 70), QColor(Qt::red));
        QCOMPARE(image.pixelColor(100, 30), QColor(Qt::white));
        QCOMPARE(image.pixelColor(200, 80), QColor(Qt::white));
    }
};

QTEST_MAIN(WmfPlayerTest)
#include "tst_wmfplayer.moc"
