#include "SampleFiles.h"
#include "platform/wmf/WmfPicture.h"

#include <QPainter>
#include <QtTest>

namespace {

// Record numbers the builder has no shortcut for.
constexpr quint16 SaveDC = 0x001E, RestoreDC = 0x0127, SetPolyFillMode = 0x0106, SetBkColor = 0x0201;
constexpr quint16 MoveTo = 0x0214, LineTo = 0x0213, Polyline = 0x0325, PolyPolygon = 0x0538;
constexpr quint16 RoundRect = 0x061C, Arc = 0x0817, Pie = 0x081A, Chord = 0x0830;
constexpr quint16 IntersectClipRect = 0x0416, ExcludeClipRect = 0x0415, ExtTextOut = 0x0A32;
constexpr quint16 SetMapMode = 0x0103, DeleteObject = 0x01F0, CreateFont = 0x02FB, Polygon = 0x0324;
constexpr int NullPen = 5, NullBrush = 1;
const QColor Red = Qt::red, White = Qt::white;

// A 100 x 100 frame at 96 units to the inch: one unit, one pixel.
QByteArray square(const WmfBuilder& b) {
    return b.placeable(QRect(0, 0, 100, 100), 96);
}

// A pen and a red brush selected: objects 0 and 1.
WmfBuilder tools(int penStyle, int penWidth, const QColor& pen, int brushStyle = 0) {
    return WmfBuilder().pen(penStyle, penWidth, pen).select(0).brush(brushStyle, Red).select(1);
}
// Pen off: shapes show as red areas.
WmfBuilder redFill() {
    return tools(NullPen, 0, Qt::black);
}

// The bitmap stretched over the whole frame.
WmfBuilder bitmap(int w, int h, int depth, const QList<QRgb>& table, const QByteArray& rows, int rle = 0) {
    return WmfBuilder().stretchDib(WmfBuilder::dib(w, h, depth, table, rows, rle), QSize(w, std::abs(h)),
                                   QRect(0, 0, 100, 100));
}

QImage render(const QByteArray& bytes, const QSize& size = QSize(100, 100)) {
    const auto picture = WmfPicture::fromData(bytes);
    if (!picture)
        return {};
    QImage image(size, QImage::Format_ARGB32);
    image.fill(White);
    QPainter painter(&image);
    picture->paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// Two squares, one inside the other, as one poly-polygon.
const QByteArray OuterInner =
    WmfBuilder::words({2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70});

void addRow(const char* name, const QByteArray& file, const Samples& samples,
            QSize target = QSize(100, 100)) {
    QTest::newRow(name) << file << samples << target;
}
void addRow(const char* name, const WmfBuilder& b, const Samples& samples) {
    addRow(name, square(b), samples);
}

// What reading the file gives: its natural size and texts, or a refusal if size is invalid.
void addRead(const char* name, const QByteArray& file, QSize size = QSize(), const QStringList& texts = {}) {
    QTest::newRow(name) << file << size << texts;
}

} // namespace

class WmfPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void drawsRecords_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Samples>("samples");
        QTest::addColumn<QSize>("target");
        addRow("rectangle", redFill().rectangle(10, 10, 90, 90),
               {{50, 50, Red}, {5, 5, White}, {95, 95, White}});
        addRow("ellipse leaves its corners", redFill().ellipse(10, 10, 90, 90),
               {{50, 50, Red}, {14, 14, White}});
        addRow("polygon", redFill().record(Polygon, {3, 10, 90, 50, 10, 90, 90}),
               {{50, 60, Red}, {15, 20, White}});
        addRow("poly-polygon alternate leaves the hole", redFill().record(PolyPolygon, OuterInner),
               {{20, 20, Red}, {50, 50, White}});
        addRow("poly-polygon winding fills it",
               redFill().record(SetPolyFillMode, {2}).record(PolyPolygon, OuterInner),
               {{20, 20, Red}, {50, 50, Red}});
        addRow("pen outlines an empty brush", tools(0, 6, Qt::blue, NullBrush).rectangle(10, 10, 90, 90),
               {{10, 50, Qt::blue}, {50, 50, White}});
        addRow("line from the current position",
               tools(0, 4, Qt::black).record(MoveTo, {50, 10}).record(LineTo, {50, 90}),
               {{50, 50, Qt::black}, {50, 40, White}, {5, 50, White}});
        addRow("polyline is not filled", redFill().record(Polyline, {3, 10, 90, 50, 10, 90, 90}),
               {{50, 60, White}});
        addRow("round rectangle", redFill().record(RoundRect, {40, 40, 90, 90, 10, 10}),
               {{50, 50, Red}, {12, 12, White}, {50, 12, Red}});
        // From the radial at 0 degrees to the one at 90, anticlockwise: the upper right quarter.
        addRow("pie", redFill().record(Pie, {10, 50, 50, 90, 90, 90, 10, 10}),
               {{65, 35, Red}, {35, 65, White}, {35, 35, White}});
        addRow("chord", redFill().record(Chord, {10, 50, 50, 90, 90, 90, 10, 10}),
               {{75, 25, Red}, {60, 40, White}});
        addRow("arc is a line only", tools(0, 4, Qt::black).record(Arc, {10, 50, 50, 90, 90, 90, 10, 10}),
               {{65, 35, White}, {78, 22, Qt::black}, {22, 78, White}});
        addRow("a deleted slot is reused first",
               redFill()
                   .record(DeleteObject, {1})
                   .brush(0, Qt::green)
                   .brush(0, Qt::blue)
                   .select(1)
                   .rectangle(10, 10, 90, 90),
               {{50, 50, Qt::green}});
        addRow("window upside down", redFill().windowOrg(0, 10).windowExt(10, -10).rectangle(1, 1, 4, 4),
               {{25, 75, Red}, {25, 25, White}});
        // Tenths of a millimetre counting upwards: 254 of them make 96 units.
        addRow("metric units count upwards",
               redFill().record(SetMapMode, {2}).windowOrg(0, 0).rectangle(0, 0, 127, -127),
               {{20, 20, Red}, {60, 60, White}});
        addRow("intersecting clip",
               redFill().record(IntersectClipRect, {100, 50, 0, 0}).rectangle(10, 10, 90, 90),
               {{30, 50, Red}, {70, 50, White}});
        addRow("excluding clip",
               redFill().record(ExcludeClipRect, {60, 60, 40, 40}).rectangle(10, 10, 90, 90),
               {{20, 20, Red}, {50, 50, White}});
        addRow("restore brings back the brush and the clip",
               redFill()
                   .record(SaveDC, {})
                   .brush(0, Qt::green)
                   .select(2)
                   .record(IntersectClipRect, {100, 50, 0, 0})
                   .record(RestoreDC, {-1})
                   .rectangle(10, 10, 90, 90),
               {{30, 50, Red}, {70, 50, Red}});
        addRow("unknown records are skipped", redFill().record(0x0999, {1, 2, 3}).rectangle(10, 10, 90, 90),
               {{50, 50, Red}});
        addRow("a polygon longer than its record is skipped",
               redFill().record(Polygon, {100, 0, 0, 100, 0}).rectangle(40, 40, 60, 60),
               {{50, 50, Red}, {5, 5, White}});

        const QImage q = SampleFiles::quarters(2, 2);
        const QRect all(0, 0, 100, 100);
        addRow("stretched bitmap", WmfBuilder().stretchDib(q, all), SampleFiles::quarterSamples({100, 100}));
        addRow("stretch blit", WmfBuilder().stretchDib(q, all, true),
               SampleFiles::quarterSamples({100, 100}));
        addRow("mirrored destination", WmfBuilder().stretchDib(q, QRect(100, 0, -100, 100)),
               {{25, 25, Qt::green}, {75, 25, Red}});
        const QList<QRgb> redBlue{qRgb(255, 0, 0), qRgb(0, 0, 255)},
            greenYellow{qRgb(0, 255, 0), qRgb(255, 255, 0)};
        // Rows of four bytes; the top row first since the height is negative.
        addRow("8-bit top-down bitmap", bitmap(2, -2, 8, redBlue, QByteArray("\0\1\0\0\1\0\0\0", 8)),
               {{25, 25, Red}, {75, 25, Qt::blue}, {25, 75, Qt::blue}, {75, 75, Red}});
        addRow("1-bit bitmap", bitmap(2, 1, 1, greenYellow, QByteArray("\x80\0\0\0", 4)),
               {{25, 50, Qt::yellow}, {75, 50, Qt::green}});
        addRow("32-bit bitmap", bitmap(2, 1, 32, {}, QByteArray("\xFF\0\0\0\0\xFF\0\0", 8)),
               {{25, 50, Qt::blue}, {75, 50, Qt::green}});
        // Runs: one blue then one red, end of row; two red; end of bitmap. Rows run upwards.
        addRow("run-length 8-bit bitmap",
               bitmap(2, 2, 8, redBlue, QByteArray("\1\1\1\0\0\0\2\0\0\0\0\1", 12), 1),
               {{25, 25, Red}, {75, 25, Red}, {25, 75, Qt::blue}, {75, 75, Red}});
        addRow("run-length literal pixels", bitmap(3, 1, 8, redBlue, QByteArray("\0\3\1\0\1\0\0\1", 8), 1),
               {{16, 50, Qt::blue}, {50, 50, Red}, {83, 50, Qt::blue}});
        addRow("run-length 4-bit bitmap", bitmap(2, 1, 4, greenYellow, QByteArray("\2\x10\0\1", 4), 2),
               {{25, 50, Qt::yellow}, {75, 50, Qt::green}});
        addRow("bitmap with rows missing is skipped",
               redFill()
                   .stretchDib(WmfBuilder::dib(2, 2, 32, {}, QByteArray(8, '\0')), QSize(2, 2), all)
                   .rectangle(40, 40, 60, 60),
               {{5, 5, White}, {50, 50, Red}});
        // Drawn at any size, the picture fills the target: here at three times its natural width.
        addRow("stretched to the target", square(redFill().rectangle(50, 0, 100, 50)),
               {{200, 30, Red}, {290, 70, Red}, {100, 30, White}, {200, 80, White}}, QSize(300, 150));
        // Mappings that squeeze or stretch text beyond reason still draw without failing.
        addRow("thin frame", WmfBuilder().windowExt(1, 200).textOut(0, 10, "C@\xE9\x61tion").plain(), {},
               {64, 48});
        addRow("flat frame", WmfBuilder().windowExt(200, 1).textOut(0, 0, "Noel").plain(), {}, {48, 64});
        addRow("huge font", square(WmfBuilder().font(-32768, 900, "Sans", 900).select(0).textOut(0, 0, "W")),
               {}, {64, 48});
        const QByteArray wideFont = WmfBuilder::words({-20, 32767, 0, 0, 400, 0, 0, 0, 0});
        addRow("wide font", square(WmfBuilder().record(CreateFont, wideFont).select(0).textOut(0, 0, "W")),
               {}, {64, 48});
    }
    void drawsRecords() {
        QFETCH(QByteArray, file);
        QFETCH(Samples, samples);
        QFETCH(QSize, target);
        const QString wrong = SampleFiles::mismatch(render(file, target), samples);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
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
            .record(SetBkColor, WmfBuilder::colour(qRgb(255, 255, 0)));
        const QImage image = render(square(b.backgroundMode(mode).textOut(10, 30, "Mm")));
        int yellow = 0, blue = 0, outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                yellow += c == QColor(Qt::yellow);
                blue += c == QColor(Qt::blue);
                // Top-left alignment: nothing above or left of the reference point.
                outside += (y < 30 || x < 10) && c != White;
            }
        }
        QVERIFY(blue > 20);
        QCOMPARE(yellow > 100, filled);
        QCOMPARE(outside, 0);
    }

    void readsTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QStringList>("texts");
        const QSize square100(100, 100);
        addRead("frame away from the origin", WmfBuilder().placeable(QRect(-50, 20, 100, 50), 96), {100, 50});
        addRead("plain file with a window", WmfBuilder().windowExt(300, 200).plain(), {300, 200});
        addRead("plain file with a large window", WmfBuilder().windowExt(3000, 2000).plain(), {1024, 683});
        addRead("plain file framed by what it draws",
                WmfBuilder().pen(NullPen, 0, Qt::black).select(0).ellipse(10, 20, 50, 40).plain(), {40, 20});

        addRead("accents", square(WmfBuilder().textOut(10, 10, "Caf\xE9 No\xEBl")), square100, {"Café Noël"});
        addRead("even length", square(WmfBuilder().textOut(10, 10, "\x80 12")), square100, {"€ 12"});
        addRead("extended", square(WmfBuilder().extTextOut(10, 10, "\xC0 la une")), square100, {"À la une"});
        // Clipping box and one advance per character.
        const QByteArray withBox = WmfBuilder::words({20, 10, 3, 4, 0, 0, 100, 100}) +
                                   QByteArray("\xE7\xE0s\0", 4) + WmfBuilder::words({10, 10, 10});
        addRead("extended with box and advances", square(WmfBuilder().record(ExtTextOut, withBox)), square100,
                {"çàs"});
        addRead("length beyond the record",
                square(WmfBuilder().record(ExtTextOut, WmfBuilder::words({20, 10, 50, 0}) + "abc")),
                square100);
        addRead("in order", square(WmfBuilder().textOut(0, 0, "un").extTextOut(0, 20, "deux")), square100,
                {"un", "deux"});

        const QByteArray good = square(redFill().rectangle(10, 10, 90, 90));
        const auto patched = [&](qsizetype at, const QByteArray& with) {
            return QByteArray(good).replace(at, with.size(), with);
        };
        addRead("empty", QByteArray());
        addRead("placeable header only", good.left(22));
        addRead("checksum", patched(20, QByteArray(2, '\0')));
        addRead("empty frame", WmfBuilder().placeable(QRect(10, 10, 0, 50), 96));
        addRead("header of eight words", patched(24, QByteArray("\x08\0", 2)));
        addRead("header of an unknown kind", patched(22, QByteArray("\x03\0", 2)));
        addRead("record shorter than its own header", patched(40, QByteArray("\x02\0\0\0", 4)));
        addRead("record beyond the end", patched(40, QByteArray("\0\x10\0\0", 4)));
        addRead("record of four billion words", patched(40, QByteArray("\xFF\xFF\xFF\xFF", 4)));
        addRead("no end record", good.left(good.size() - 6));
        addRead("cut inside a record", good.left(good.size() - 9));
        addRead("plain file that draws nothing", WmfBuilder().backgroundMode(1).plain());
    }
    void readsTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        QFETCH(QStringList, texts);
        const auto picture = WmfPicture::fromData(file);
        QCOMPARE(bool(picture), size.isValid());
        if (picture) {
            QCOMPARE(picture->naturalSize(), size);
            QCOMPARE(picture->texts(), texts);
        }
    }
};

QTEST_MAIN(WmfPlayerTest)
#include "tst_wmfplayer.moc"
