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

// The picture drawn on white at the target size shows the samples: "red 50,50 white 5,5".
void addRow(const char* name, const QByteArray& file, const char* samples, QSize target = QSize(100, 100)) {
    QTest::newRow(name) << file << SampleFiles::samples(samples) << target;
}
void addRow(const char* name, const WmfBuilder& b, const char* samples) {
    addRow(name, square(b), samples);
}

// What reading the file gives: its natural size and texts, or a refusal if size is invalid.
void addRead(const char* name, const QByteArray& file, QSize size = QSize(), const QStringList& texts = {}) {
    QTest::newRow(name) << file << size << texts;
}
void addText(const char* name, const WmfBuilder& b, const QStringList& texts = {}) {
    addRead(name, square(b), QSize(100, 100), texts);
}

} // namespace

class WmfPlayerTest : public QObject {
    Q_OBJECT
private slots:
    void drawsRecords_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Samples>("samples");
        QTest::addColumn<QSize>("target");
        addRow("rectangle", redFill().rectangle(10, 10, 90, 90), "red 50,50 white 5,5 95,95");
        addRow("ellipse leaves its corners", redFill().ellipse(10, 10, 90, 90), "red 50,50 white 14,14");
        addRow("polygon", redFill().record(Polygon, {3, 10, 90, 50, 10, 90, 90}), "red 50,60 white 15,20");
        addRow("poly-polygon alternate leaves the hole", redFill().record(PolyPolygon, OuterInner),
               "red 20,20 white 50,50");
        addRow("poly-polygon winding fills it",
               redFill().record(SetPolyFillMode, {2}).record(PolyPolygon, OuterInner), "red 20,20 50,50");
        addRow("pen outlines an empty brush", tools(0, 6, Qt::blue, NullBrush).rectangle(10, 10, 90, 90),
               "blue 10,50 white 50,50");
        addRow("line from the current position",
               tools(0, 4, Qt::black).record(MoveTo, {50, 10}).record(LineTo, {50, 90}),
               "black 50,50 white 50,40 5,50");
        addRow("polyline is not filled", redFill().record(Polyline, {3, 10, 90, 50, 10, 90, 90}),
               "white 50,60");
        addRow("round rectangle", redFill().record(RoundRect, {40, 40, 90, 90, 10, 10}),
               "red 50,50 white 12,12 red 50,12");
        // From the radial at 0 degrees to the one at 90, anticlockwise: the upper right quarter.
        addRow("pie", redFill().record(Pie, {10, 50, 50, 90, 90, 90, 10, 10}), "red 65,35 white 35,65 35,35");
        addRow("chord", redFill().record(Chord, {10, 50, 50, 90, 90, 90, 10, 10}), "red 75,25 white 60,40");
        addRow("arc is a line only", tools(0, 4, Qt::black).record(Arc, {10, 50, 50, 90, 90, 90, 10, 10}),
               "white 65,35 black 78,22 white 22,78");
        WmfBuilder reuse = redFill().record(DeleteObject, {1}).brush(0, Qt::green).brush(0, Qt::blue);
        addRow("a deleted slot is reused first", reuse.select(1).rectangle(10, 10, 90, 90), "green 50,50");
        addRow("window upside down", redFill().windowOrg(0, 10).windowExt(10, -10).rectangle(1, 1, 4, 4),
               "red 25,75 white 25,25");
        // Tenths of a millimetre counting upwards: 254 of them make 96 units.
        addRow("metric units count upwards",
               redFill().record(SetMapMode, {2}).windowOrg(0, 0).rectangle(0, 0, 127, -127),
               "red 20,20 white 60,60");
        addRow("intersecting clip",
               redFill().record(IntersectClipRect, {100, 50, 0, 0}).rectangle(10, 10, 90, 90),
               "red 30,50 white 70,50");
        addRow("excluding clip",
               redFill().record(ExcludeClipRect, {60, 60, 40, 40}).rectangle(10, 10, 90, 90),
               "red 20,20 white 50,50");
        WmfBuilder restore = redFill().record(SaveDC, {}).brush(0, Qt::green).select(2);
        restore.record(IntersectClipRect, {100, 50, 0, 0}).record(RestoreDC, {-1}).rectangle(10, 10, 90, 90);
        addRow("restore brings back the brush and the clip", restore, "red 30,50 70,50");
        addRow("unknown records are skipped", redFill().record(0x0999, {1, 2, 3}).rectangle(10, 10, 90, 90),
               "red 50,50");
        addRow("a polygon longer than its record is skipped",
               redFill().record(Polygon, {100, 0, 0, 100, 0}).rectangle(40, 40, 60, 60),
               "red 50,50 white 5,5");

        const QImage q = SampleFiles::quarters(2, 2);
        const QRect all(0, 0, 100, 100);
        const char* quarters = "red 25,25 green 75,25 blue 25,75 yellow 75,75";
        addRow("stretched bitmap", WmfBuilder().stretchDib(q, all), quarters);
        addRow("stretch blit", WmfBuilder().stretchDib(q, all, true), quarters);
        addRow("mirrored destination", WmfBuilder().stretchDib(q, QRect(100, 0, -100, 100)),
               "green 25,25 red 75,25");
        const QList<QRgb> redBlue{qRgb(255, 0, 0), qRgb(0, 0, 255)},
            greenYellow{qRgb(0, 255, 0), qRgb(255, 255, 0)};
        // Rows of four bytes; the top row first since the height is negative.
        addRow("8-bit top-down bitmap", bitmap(2, -2, 8, redBlue, QByteArray("\0\1\0\0\1\0\0\0", 8)),
               "red 25,25 blue 75,25 25,75 red 75,75");
        addRow("1-bit bitmap", bitmap(2, 1, 1, greenYellow, QByteArray("\x80\0\0\0", 4)),
               "yellow 25,50 green 75,50");
        addRow("32-bit bitmap", bitmap(2, 1, 32, {}, QByteArray("\xFF\0\0\0\0\xFF\0\0", 8)),
               "blue 25,50 green 75,50");
        // Runs: one blue then one red, end of row; two red; end of bitmap. Rows run upwards.
        addRow("run-length 8-bit bitmap",
               bitmap(2, 2, 8, redBlue, QByteArray("\1\1\1\0\0\0\2\0\0\0\0\1", 12), 1),
               "red 25,25 75,25 blue 25,75 red 75,75");
        addRow("run-length literal pixels", bitmap(3, 1, 8, redBlue, QByteArray("\0\3\1\0\1\0\0\1", 8), 1),
               "blue 16,50 red 50,50 blue 83,50");
        addRow("run-length 4-bit bitmap", bitmap(2, 1, 4, greenYellow, QByteArray("\2\x10\0\1", 4), 2),
               "yellow 25,50 green 75,50");
        addRow("bitmap with rows missing is skipped",
               redFill()
                   .stretchDib(WmfBuilder::dib(2, 2, 32, {}, QByteArray(8, '\0')), QSize(2, 2), all)
                   .rectangle(40, 40, 60, 60),
               "white 5,5 red 50,50");
        // Drawn at any size, the picture fills the target: here at three times its natural width.
        addRow("stretched to the target", square(redFill().rectangle(50, 0, 100, 50)),
               "red 200,30 290,70 white 100,30 200,80", QSize(300, 150));
        // Mappings that squeeze or stretch text beyond reason still draw without failing.
        addRow("thin frame", WmfBuilder().windowExt(1, 200).textOut(0, 10, "C@\xE9\x61tion").plain(), "",
               {64, 48});
        addRow("flat frame", WmfBuilder().windowExt(200, 1).textOut(0, 0, "Noel").plain(), "", {48, 64});
        addRow("huge font", square(WmfBuilder().font(-32768, 900, "Sans", 900).select(0).textOut(0, 0, "W")),
               "", {64, 48});
        const QByteArray wideFont = WmfBuilder::words({-20, 32767, 0, 0, 400, 0, 0, 0, 0});
        addRow("wide font", square(WmfBuilder().record(CreateFont, wideFont).select(0).textOut(0, 0, "W")),
               "", {64, 48});
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
        const QByteArray background = WmfBuilder::colour(qRgb(255, 255, 0));
        auto b =
            WmfBuilder().font(-30, 400, "Sans").select(0).textColour(Qt::blue).record(SetBkColor, background);
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
        addRead("frame away from the origin", WmfBuilder().placeable(QRect(-50, 20, 100, 50), 96), {100, 50});
        addRead("plain file with a window", WmfBuilder().windowExt(300, 200).plain(), {300, 200});
        addRead("plain file with a large window", WmfBuilder().windowExt(3000, 2000).plain(), {1024, 683});
        addRead("plain file framed by what it draws",
                WmfBuilder().pen(NullPen, 0, Qt::black).select(0).ellipse(10, 20, 50, 40).plain(), {40, 20});

        addText("accents", WmfBuilder().textOut(10, 10, "Caf\xE9 No\xEBl"), {"Café Noël"});
        addText("even length", WmfBuilder().textOut(10, 10, "\x80 12"), {"€ 12"});
        addText("extended", WmfBuilder().extTextOut(10, 10, "\xC0 la une"), {"À la une"});
        // Clipping box and one advance per character.
        const QByteArray withBox = WmfBuilder::words({20, 10, 3, 4, 0, 0, 100, 100}) +
                                   QByteArray("\xE7\xE0s\0", 4) + WmfBuilder::words({10, 10, 10});
        addText("extended with box and advances", WmfBuilder().record(ExtTextOut, withBox), {"çàs"});
        addText("length beyond the record",
                WmfBuilder().record(ExtTextOut, WmfBuilder::words({20, 10, 50, 0}) + "abc"));
        addText("in order", WmfBuilder().textOut(0, 0, "un").extTextOut(0, 20, "deux"), {"un", "deux"});

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
