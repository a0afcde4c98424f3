#include "LittleEndian.h"
#include "platform/QtPictureLoader.h"
#include "platform/wmf/WmfPicture.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

// Writes a Windows metafile: records in order, then the headers and the end record.
class WmfBuilder {
public:
    WmfBuilder& record(int function, const QByteArray& params) {
        const QByteArray p = params + QByteArray(params.size() % 2, '\0');
        records_ += le({3 + p.size() / 2}, 4) + le({function}) + p;
        largest_ = std::max(largest_, 3 + p.size() / 2);
        objects_ += (function & 0xFFF8) == 0x02F8; // a pen, a font or a brush
        return *this;
    }
    WmfBuilder& record(int f, std::initializer_list<qint64> v) { return record(f, le(v)); }
    WmfBuilder& pen(int style, int w, QColor c) { return record(0x02FA, {style, w, 0, rg(c), c.blue()}); }
    WmfBuilder& brush(int style, QColor c) { return record(0x02FC, {style, rg(c), c.blue(), 0}); }
    static int rg(QColor c) { return c.red() | c.green() << 8; } // then the blue word
    // Height, width, escapement twice, weight, the flags and no face.
    WmfBuilder& font(int height, int width, int weight, int escapement = 0) {
        return record(0x02FB,
                      le({height, width, escapement, escapement, weight, 0, 0, 0, 0}) + QByteArray(32, 0));
    }
    WmfBuilder& select(int index) { return record(0x012D, {index}); }
    WmfBuilder& rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
    WmfBuilder& ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
    WmfBuilder& textOut(int x, int y, const QByteArray& s) {
        return record(0x0521, le({s.size()}) + s + QByteArray(s.size() % 2, '\0') + le({y, x}));
    }
    // The bitmap stretched to d: StretchDIB, or DIBStretchBlt if blit.
    WmfBuilder& stretchDib(const QByteArray& dib, const QRect& d = {0, 0, 100, 100}, bool blit = false) {
        const int w = qFromLittleEndian<qint32>(dib.data() + 4),
                  h = qAbs(qFromLittleEndian<qint32>(dib.data() + 8));
        const QByteArray place = le({h, w, 0, 0, d.height(), d.width(), d.y(), d.x()});
        return record(blit ? 0x0B41 : 0x0F43, le({0x00CC0020}, 4) + (blit ? "" : le({0})) + place + dib);
    }

    QByteArray plain() const { // nine header words, version 3, the size, the objects, the largest record
        return le({1, 9, 0x0300}) + le({12 + records_.size() / 2}, 4) + le({objects_}) + le({largest_}, 4) +
               le({0}) + records_ + le({3}, 4) + le({0});
    }
    // Framed by b, with that many units to the inch; by default 100 units square, one unit a pixel.
    QByteArray placeable(const QRect& b = {0, 0, 100, 100}, int inch = 96) const {
        const int l = b.left(), t = b.top(), r = b.right() + 1, d = b.bottom() + 1;
        return le({0xCDD7, 0x9AC6, 0, l, t, r, d, inch, 0, 0, 0xCDD7 ^ 0x9AC6 ^ l ^ t ^ r ^ d ^ inch}) +
               plain();
    }

private:
    QByteArray records_;
    qint64 largest_ = 3;
    int objects_ = 0;
};

// Record numbers the builder has no shortcut for, and the styles of no pen and no brush.
constexpr int SaveDC = 0x001E, RestoreDC = 0x0127, SetBkMode = 0x0102, SetPolyFill = 0x0106, Polygon = 0x0324;
constexpr int SetBkColor = 0x0201, SetTextColor = 0x0209, WindowOrg = 0x020B, WindowExt = 0x020C;
constexpr int DeleteObject = 0x01F0, PolyPolygon = 0x0538, Pie = 0x081A, IntersectClip = 0x0416;
constexpr int ExtTextOut = 0x0A32, NullPen = 5, NullBrush = 1;

// A pen and a red brush selected, objects 0 and 1; with the pen off, shapes show as red areas.
WmfBuilder tools(int penStyle = NullPen, int width = 0, QColor pen = Qt::black, int brushStyle = 0) {
    return WmfBuilder().pen(penStyle, width, pen).select(0).brush(brushStyle, Qt::red).select(1);
}

} // namespace

class PictureLoaderTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QtPictureLoader loader_;

    // Two by two quarters, red, lime / blue, yellow, in four colours: each pixel a code after a clear code.
    static inline const QByteArray Gif =
        QByteArray::fromHex("47494638396102000200f10000ff000000ff000000ffffff002c"
                            "000000000200020000020404437105003b");
    static QImage quarters(int w, int h) {
        return QImage::fromData(Gif).convertToFormat(QImage::Format_RGB32).scaled(w, h);
    }
    // Through Qt's own writers: "bmp", "png", "jpeg".
    static QByteArray written(const QImage& image, const char* format) {
        QByteArray out;
        QBuffer buffer(&out);
        image.save(&buffer, format, 95);
        return out;
    }
    // A device-independent bitmap: the info header (height negative for top-down rows), the colour table
    // (blue, green, red, 0 each) and the rows as given.
    static QByteArray dib(int w, int h, int bits, const QByteArray& table, const QByteArray& rows,
                          int rle = 0) {
        return le({40, w, h, 1 | bits << 16, rle, rows.size(), 2835, 2835, table.size() / 4, 0}, 4) + table +
               rows;
    }
    static QByteArray dib(const QImage& image) { return written(image, "bmp").mid(14); }
    static WmfBuilder bitmap(const QByteArray& dib) { return WmfBuilder().stretchDib(dib); }
    // An icon (or a cursor, with its hotspot) of square quarters, each a bitmap of twice the height: the
    // colours, then a clear mask.
    static QByteArray icon(const QList<int>& sides, bool cursor = false, QPoint hotspot = {}) {
        QByteArray head = le({0, cursor ? 2 : 1, sides.size()}), body;
        for (int side : sides) {
            const QByteArray bitmap = dib(quarters(side, side)).replace(8, 4, le({2 * side}, 4)) +
                                      QByteArray((side + 31) / 32 * 4 * side, '\0');
            head += le({side * 0x101, 0, cursor ? hotspot.x() : 1, cursor ? hotspot.y() : 24}) +
                    le({bitmap.size(), 6 + 16 * sides.size() + body.size()}, 4);
            body += bitmap;
        }
        return head + body;
    }
    // A logo of 192 x 96 pixels: a teal ellipse, a bitmap of four quarters and "Café Noël" in magenta.
    static constexpr char LogoColours[] = "teal 48,48 transparent 4,4 red 124,19 lime 163,19 blue 124,38";
    static QByteArray logo() {
        WmfBuilder b = tools().brush(0, QColor(0, 128, 128)).select(2).ellipse(100, 100, 900, 900);
        b.stretchDib(dib(quarters(2, 2)), {1100, 100, 800, 400}).font(-150, 0, 700).select(3);
        b.record(SetTextColor, {0x00FF, 0xFF}).record(SetBkMode, {1}).textOut(1100, 600, "Caf\xE9 No\xEBl");
        return b.placeable({0, 0, 2000, 1000}, 1000);
    }
    // The first of the expected colours the image misses by more than tolerance in any channel; empty if
    // none. Expected: colour names each followed by its points, "red 5,5 white 1,1".
    static QString mismatch(const QImage& image, const QString& expected, int tolerance = 0) {
        QColor c;
        for (const QString& word : expected.split(' ', Qt::SkipEmptyParts)) {
            const QStringList xy = word.split(',');
            const QColor seen = xy.size() == 2 ? image.pixelColor(xy[0].toInt(), xy[1].toInt()) : c;
            if (xy.size() != 2)
                c = QColor::fromString(word);
            else if (std::max({qAbs(seen.red() - c.red()), qAbs(seen.green() - c.green()),
                               qAbs(seen.blue() - c.blue()), qAbs(seen.alpha() - c.alpha())}) > tolerance)
                return word + ": " + seen.name(QColor::HexArgb) + ", not " + c.name(QColor::HexArgb);
        }
        return {};
    }
    static constexpr char Quarters[] = "red 0,0 lime 1,0 blue 0,1 yellow 1,1"; // shrunk to two by two
    std::optional<Picture> load(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.flush())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        return loader_.load(f.fileName());
    }
    // A metafile of that natural size (refused if invalid) and texts, drawn at that size shows the colours.
    static void row(const char* name, const QByteArray& file, QSize size = {}, const QStringList& texts = {},
                    const char* colours = "") {
        QTest::newRow(name) << file << size << texts << colours;
    }
    static void draw(const char* name, const WmfBuilder& b, const char* colours, QStringList texts = {}) {
        row(name, b.placeable(), {100, 100}, texts, colours);
    }

private slots:
    // One file of each kind, of four quarters; an icon shows its largest image.
    void eachKindLoadsAndEveryCutFails_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("ico") << "logo.ico" << icon({16, 48, 32}) << QSize(48, 48);
        QTest::newRow("cur") << "pointer.cur" << icon({32}, true, {5, 7}) << QSize(32, 32);
        QTest::newRow("bmp") << "logo.bmp" << written(quarters(40, 30), "bmp") << QSize(40, 30);
        QTest::newRow("gif") << "logo.gif" << Gif << QSize(2, 2);
        QTest::newRow("jpeg") << "logo.jpg" << written(quarters(40, 30), "jpeg") << QSize(40, 30);
        QTest::newRow("png") << "logo.png" << written(quarters(40, 30), "png") << QSize(40, 30);
        QTest::newRow("wmf") << "logo.wmf" << logo() << QSize(192, 96);
        QTest::newRow("wmf named otherwise") << "logo.dat" << logo() << QSize(192, 96);
    }
    void eachKindLoadsAndEveryCutFails() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        const auto picture = load(name, bytes);
        QVERIFY(picture && !picture->isNull());
        QCOMPARE(picture->naturalSize(), size);
        const QString wrong = picture->isVector() ? mismatch(picture->toImage(size), LogoColours, 8)
                                                  : mismatch(picture->toImage({2, 2}), Quarters, 40);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        // Whatever the length the file is cut to, the loader refuses it.
        const qsizetype n = bytes.size(), step = std::max<qsizetype>(1, n / 97);
        for (qsizetype length = 0; length < n; length += length + step < n - 3 ? step : 1)
            QVERIFY2(!load(name, bytes.left(length)), qPrintable(QString::number(length)));
    }

    // At twice the natural size, the text starts at 211, 115; nothing else is magenta.
    void metafileTextIsDrawn() {
        const QImage image = load("text.wmf", logo())->toImage({384, 192});
        int inText = 0, elsewhere = 0;
        for (int x = 0, y = 0; y < 192; x = (x + 1) % 384, y += !x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) >= 200 && qRed(c) >= 175 && qGreen(c) <= 80 && qBlue(c) >= 175)
                (x >= 205 && y >= 110 && y <= 180 ? inText : elsewhere)++;
        }
        QVERIFY2(inText > 300, qPrintable(QString::number(inText)));
        QCOMPARE(elsewhere, 0);
    }

    void refusesDamagedAndOtherFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const auto damaged = [](const char* row, const char* name, QByteArray file, int at, QByteArray by) {
            QTest::newRow(row) << name << file.replace(at, by.size(), by);
        };
        const QByteArray jpeg = written(quarters(40, 30), "jpeg");
        damaged("ico entry beyond the end", "logo.ico", icon({16, 48}), 18, QByteArray("\xF0\xFF\0\0", 4));
        damaged("cur entry size beyond the end", "logo.cur", icon({32}, true), 14, "\xFF\xFF\xFF\x0F");
        damaged("bmp of an absurd width", "logo.bmp", written(quarters(40, 30), "bmp"), 18,
                "\xFF\xFF\xFF\x7F");
        damaged("gif code size out of range", "logo.gif", Gif, 35, "\x0F");
        damaged("jpeg without its frame", "logo.jpg", jpeg, jpeg.indexOf("\xFF\xC0"), "\xFF\x01");
        damaged("png header checksum", "logo.png", written(quarters(40, 30), "png"), 29, QByteArray(4, '\0'));
        damaged("wmf checksum", "logo.wmf", logo(), 20, QByteArray(2, '\0'));
        QTest::newRow("text named as a metafile") << "notes.wmf" << QByteArray("Carte de visite\r\n");
        QTest::newRow("portable pixmap") << "image.ppm" << QByteArray("P3\n1 1\n255\n255 0 0\n");
    }
    void refusesDamagedAndOtherFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(!load(name, bytes));
    }

    void missingFileFailsAndNoPathIsTheEmptyPicture() {
        QVERIFY(!loader_.load(dir_.filePath("absent.bmp")));
        QVERIFY(loader_.load(QString()).value_or(Picture(QImage(1, 1, QImage::Format_RGB32))).isNull());
    }

    void metafiles_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("colours");
        const auto nested = le({2, 4, 4, 10, 10, 90, 10, 90, 90, 10, 90, 30, 30, 70, 30, 70, 70, 30, 70});
        draw("rectangle", tools().rectangle(10, 10, 90, 90), "red 50,50 transparent 5,5 95,95");
        draw("alternate fill", tools().record(PolyPolygon, nested), "red 20,20 transparent 50,50");
        draw("winding fill", tools().record(SetPolyFill, {2}).record(PolyPolygon, nested), "red 20,20 50,50");
        draw("pen only", tools(0, 6, Qt::blue, NullBrush).rectangle(10, 10, 90, 90),
             "blue 10,50 transparent 50,50");
        // From the radial at 0 degrees to the one at 90, anticlockwise: the upper right quarter.
        draw("pie", tools().record(Pie, {10, 50, 50, 90, 90, 90, 10, 10}),
             "red 65,35 transparent 35,65 35,35");
        draw("deleted slot reused",
             tools().record(DeleteObject, {1}).brush(0, Qt::green).select(1).rectangle(10, 10, 90, 90),
             "lime 50,50");
        draw("window upside down",
             tools().record(WindowOrg, {10, 0}).record(WindowExt, {-10, 10}).rectangle(1, 1, 4, 4),
             "red 25,75 transparent 25,25");
        // A lime brush clipped to the left half, then the red brush and no clip back.
        WmfBuilder clip =
            tools().record(SaveDC, {}).brush(0, Qt::green).select(2).record(IntersectClip, {100, 50, 0, 0});
        clip.rectangle(10, 10, 90, 40).record(RestoreDC, {-1}).rectangle(10, 60, 90, 90);
        draw("clip and brush restored", clip, "lime 30,25 transparent 70,25 red 30,75 70,75");
        draw("polygon past its record",
             tools().record(Polygon, {100, 0, 0, 100, 0}).rectangle(40, 40, 60, 60),
             "red 50,50 transparent 5,5");
        // Blanks on yellow from 10, 30, then without background from 10, 70: a box from that point.
        WmfBuilder blanks = WmfBuilder().font(-30, 0, 400).select(0).record(SetBkColor, {0xFFFF, 0});
        blanks.record(SetBkMode, {2}).textOut(10, 30, "  ").record(SetBkMode, {1}).textOut(10, 70, "  ");
        draw("text background", blanks, "yellow 14,40 transparent 14,25 5,40 14,80", {"  ", "  "});

        const QByteArray q = dib(quarters(2, 2));
        draw("stretch blit", WmfBuilder().stretchDib(q, {0, 0, 100, 100}, true), "red 25,25 yellow 75,75");
        draw("mirrored destination", WmfBuilder().stretchDib(q, {100, 0, -100, 100}), "lime 25,25 red 75,25");
        // Colour tables (blue, green, red, 0): red and blue, lime and yellow. Rows padded to four bytes.
        const QByteArray redBlue("\0\0\xFF\0\xFF\0\0\0", 8), limeYellow("\0\xFF\0\0\0\xFF\xFF\0", 8);
        draw("8-bit top-down", bitmap(dib(2, -2, 8, redBlue, QByteArray("\0\1\0\0\1\0\0\0", 8))),
             "red 25,25 blue 75,25 25,75 red 75,75");
        draw("1-bit", bitmap(dib(2, 1, 1, limeYellow, QByteArray("\x80\0\0\0", 4))),
             "yellow 25,50 lime 75,50");
        // Bottom row: three literal pixels padded to a word, end of row; top row: a run of three; end.
        draw("run-length", bitmap(dib(3, 2, 8, redBlue, QByteArray("\0\3\1\0\1\0\0\0\3\0\0\1", 12), 1)),
             "red 16,25 50,25 83,25 blue 16,75 red 50,75 blue 83,75");
        draw("bitmap rows missing",
             tools().stretchDib(dib(2, 2, 32, {}, QByteArray(8, '\0'))).rectangle(40, 40, 60, 60),
             "transparent 5,5 red 50,50");
        // Text squeezed or stretched beyond reason is still drawn.
        draw("thin window", WmfBuilder().record(WindowExt, {200, 1}).textOut(0, 10, "\xE9t\xE9"), "",
             {"été"});
        draw("flat window", WmfBuilder().record(WindowExt, {1, 200}).textOut(0, 0, "Noel"), "", {"Noel"});
        WmfBuilder fonts = WmfBuilder().font(-32768, 0, 900, 900).select(0).textOut(0, 0, "W");
        draw("huge and wide fonts", fonts.font(-20, 32767, 400).select(1).textOut(0, 0, "W"), "", {"W", "W"});

        row("frame away from the origin", WmfBuilder().placeable({-50, 20, 100, 50}), {100, 50});
        row("large window", WmfBuilder().record(WindowExt, {2000, 3000}).plain(), {1024, 683});
        row("framed by what it draws", tools().ellipse(10, 20, 50, 40).plain(), {40, 20});
        const WmfBuilder latin = WmfBuilder().textOut(10, 10, "Caf\xE9 No\xEBl").textOut(10, 30, "\x80 12");
        draw("Windows-1252, odd and even lengths", latin, "", {"Café Noël", "€ 12"});
        // Clipping box and one advance per character.
        const QByteArray boxed =
            le({20, 10, 3, 4, 0, 0, 100, 100}) + QByteArray("\xE7\xE0s\0", 4) + le({10, 10, 10});
        draw("text with box and advances", WmfBuilder().record(ExtTextOut, boxed), "", {"çàs"});
        draw("text longer than its record", WmfBuilder().record(ExtTextOut, le({20, 10, 50, 0}) + "abc"), "");
        const QByteArray good = tools().rectangle(10, 10, 90, 90).placeable();
        const auto patched = [&](qsizetype at, const QByteArray& with) {
            return QByteArray(good).replace(at, with.size(), with);
        };
        row("empty frame", WmfBuilder().placeable({10, 10, 0, 50}));
        row("header of eight words", patched(24, QByteArray("\x08\0", 2)));
        row("record shorter than its own header", patched(40, QByteArray("\x02\0\0\0", 4)));
        row("record of four billion words", patched(40, QByteArray("\xFF\xFF\xFF\xFF", 4)));
        row("plain file that draws nothing", WmfBuilder().record(SetBkMode, {1}).plain());
    }
    void metafiles() {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        QFETCH(QStringList, texts);
        QFETCH(QString, colours);
        const auto picture = WmfPicture::fromData(file);
        QCOMPARE(bool(picture), size.isValid());
        if (!picture)
            return;
        QCOMPARE(picture->naturalSize(), size);
        QCOMPARE(picture->texts(), texts);
        const QString wrong =
            mismatch(Picture(std::shared_ptr<const VectorPicture>(picture)).toImage(size), colours);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }
};

QTEST_MAIN(PictureLoaderTest)
#include "tst_pictureloader.moc"
