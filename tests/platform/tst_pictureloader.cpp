#include "SampleFiles.h"
#include "WmfBuilder.h"
#include "platform/QtPictureLoader.h"
#include "platform/wmf/WmfPicture.h"

#include <QTemporaryDir>
#include <QtTest>

using Samples = QList<QPair<QPoint, QColor>>;
Q_DECLARE_METATYPE(Samples)

namespace {

const QColor Teal(0, 128, 128);

// A logo metafile: a filled ellipse, a bitmap of four quarters and the text "Café Noël".
QByteArray logoMetafile() {
    WmfBuilder b;
    b.pen(5, 0, Qt::black).brush(0, Teal).select(0).select(1);
    b.ellipse(100, 100, 900, 900);
    b.stretchDib(SampleFiles::quarters(2, 2), QRect(1100, 100, 800, 400));
    b.font(-150, 700, "Arial").select(2).textColour(Qt::black).backgroundMode(1);
    b.textOut(1100, 600, "Caf\xE9 No\xEBl");
    return b.placeable(QRect(0, 0, 2000, 1000), 1000);
}

int distance(const QColor& a, const QColor& b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue()), std::abs(a.alpha() - b.alpha())});
}

} // namespace

class PictureLoaderTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QtPictureLoader loader_;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Every kind of file, each made from the same four quarters where the format allows.
    static void addSamples() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QImage q = SampleFiles::quarters(40, 30);
        const QImage grey(16, 16, QImage::Format_RGB32);
        QImage small = grey;
        small.fill(Qt::gray);
        QImage middle(32, 32, QImage::Format_RGB32);
        middle.fill(Qt::black);
        QTest::newRow("ico") << "logo.ico"
                             << SampleFiles::icon({small, SampleFiles::quarters(48, 48), middle});
        QTest::newRow("cur") << "pointer.cur"
                             << SampleFiles::icon({SampleFiles::quarters(32, 32)}, true, {5, 7});
        QTest::newRow("bmp") << "logo.bmp" << SampleFiles::written(q, "bmp");
        QTest::newRow("gif") << "logo.gif" << SampleFiles::gif(q);
        QTest::newRow("jpeg") << "logo.jpg" << SampleFiles::written(q, "jpeg");
        QTest::newRow("png") << "logo.png" << SampleFiles::written(q, "png");
        QTest::newRow("wmf") << "logo.wmf" << logoMetafile();
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void loadsEachKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("vector");
        QTest::addColumn<Samples>("samples");
        QTest::addColumn<int>("tolerance");
        const QImage q = SampleFiles::quarters(40, 30);
        const Samples quarters{
            {{5, 5}, Qt::red}, {{35, 5}, Qt::green}, {{5, 25}, Qt::blue}, {{35, 25}, Qt::yellow}};
        QImage grey(16, 16, QImage::Format_RGB32);
        grey.fill(Qt::gray);
        QImage black(32, 32, QImage::Format_RGB32);
        black.fill(Qt::black);
        QTest::newRow("ico keeps the largest")
            << "logo.ico" << SampleFiles::icon({grey, SampleFiles::quarters(48, 48), black}) << QSize(48, 48)
            << false
            << Samples{{{4, 4}, Qt::red}, {{44, 4}, Qt::green}, {{4, 44}, Qt::blue}, {{44, 44}, Qt::yellow}}
            << 0;
        QTest::newRow("cur with a hotspot")
            << "pointer.cur" << SampleFiles::icon({SampleFiles::quarters(32, 32)}, true, {5, 7})
            << QSize(32, 32) << false
            << Samples{{{2, 2}, Qt::red}, {{30, 2}, Qt::green}, {{2, 30}, Qt::blue}, {{30, 30}, Qt::yellow}}
            << 0;
        QTest::newRow("bmp") << "logo.bmp" << SampleFiles::written(q, "bmp") << q.size() << false << quarters
                             << 0;
        QTest::newRow("gif") << "logo.gif" << SampleFiles::gif(q) << q.size() << false << quarters << 0;
        QTest::newRow("jpeg") << "logo.jpg" << SampleFiles::written(q, "jpeg") << q.size() << false
                              << quarters << 40;
        QTest::newRow("png") << "logo.png" << SampleFiles::written(q, "png") << q.size() << false << quarters
                             << 0;
        // 2000 x 1000 units at 1000 to the inch: 192 x 96 pixels.
        QTest::newRow("wmf") << "logo.wmf" << logoMetafile() << QSize(192, 96) << true
                             << Samples{{{48, 48}, Teal},           {{4, 4}, Qt::transparent},
                                        {{48, 4}, Qt::transparent}, {{124, 19}, Qt::red},
                                        {{163, 19}, Qt::green},     {{124, 38}, Qt::blue},
                                        {{163, 38}, Qt::yellow}}
                             << 8;
        QTest::newRow("wmf named otherwise")
            << "logo.dat" << logoMetafile() << QSize(192, 96) << true << Samples{{{48, 48}, Teal}} << 8;
    }
    void loadsEachKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(bool, vector);
        QFETCH(Samples, samples);
        QFETCH(int, tolerance);
        const auto picture = loader_.load(write(name, bytes));
        QVERIFY(picture.has_value());
        QVERIFY(!picture->isNull());
        QCOMPARE(picture->isVector(), vector);
        QCOMPARE(picture->naturalSize(), size);
        const QImage image = picture->toImage(size).convertToFormat(QImage::Format_ARGB32);
        for (const auto& [point, colour] : samples) {
            const QColor seen = image.pixelColor(point);
            QVERIFY2(distance(seen, colour) <= tolerance,
                     qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                                    .arg(point.x())
                                    .arg(point.y())
                                    .arg(seen.name(QColor::HexArgb), colour.name(QColor::HexArgb))));
        }
    }

    void metafileTextIsDrawnAndDecoded() {
        const QByteArray bytes = logoMetafile();
        QCOMPARE(WmfPicture::fromData(bytes)->texts(), QStringList{QStringLiteral("Café Noël")});
        const auto picture = loader_.load(write("text.wmf", bytes));
        QVERIFY(picture.has_value());
        // Twice the natural size: the text runs from 1100, 600 on a 2000 x 1000 frame.
        const QImage image = picture->toImage(QSize(384, 192));
        int inText = 0;
        int elsewhere = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) < 200 || std::max({qRed(c), qGreen(c), qBlue(c)}) > 80)
                    continue;
                (x >= 205 && y >= 110 && y <= 180 ? inText : elsewhere)++;
            }
        }
        QVERIFY2(inText > 300, qPrintable(QString::number(inText)));
        QCOMPARE(elsewhere, 0);
    }

    void damagedFilesFail_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        const QImage q = SampleFiles::quarters(40, 30);
        const QByteArray ico = SampleFiles::icon({q, SampleFiles::quarters(16, 16)});
        const QByteArray cur = SampleFiles::icon({q}, true, {3, 3});
        const QByteArray bmp = SampleFiles::written(q, "bmp");
        const QByteArray gif = SampleFiles::gif(q);
        const QByteArray jpeg = SampleFiles::written(q, "jpeg");
        const QByteArray png = SampleFiles::written(q, "png");
        const QByteArray wmf = logoMetafile();
        const auto patched = [](QByteArray bytes, qsizetype at, const QByteArray& with) {
            return bytes.replace(at, with.size(), with);
        };
        const struct {
            const char* kind;
            QString name;
            QByteArray bytes;
        } kinds[] = {{"ico", "a.ico", ico}, {"cur", "a.cur", cur},   {"bmp", "a.bmp", bmp},
                     {"gif", "a.gif", gif}, {"jpeg", "a.jpg", jpeg}, {"png", "a.png", png},
                     {"wmf", "a.wmf", wmf}};
        for (const auto& k : kinds) {
            QTest::addRow("%s cut in half", k.kind) << k.name << k.bytes.left(k.bytes.size() / 2);
            QTest::addRow("%s cut before its last bytes", k.kind)
                << k.name << k.bytes.left(k.bytes.size() - 3);
            QTest::addRow("%s header only", k.kind) << k.name << k.bytes.left(12);
        }
        QTest::newRow("ico entry beyond the end")
            << "b.ico" << patched(ico, 18, QByteArray("\xF0\xFF\x00\x00", 4));
        QTest::newRow("ico entry size beyond the end")
            << "c.ico" << patched(ico, 14, QByteArray("\xFF\xFF\xFF\x0F", 4));
        QTest::newRow("cur entry beyond the end")
            << "b.cur" << patched(cur, 18, QByteArray("\xF0\xFF\x00\x00", 4));
        QTest::newRow("bmp pixels beyond the end")
            << "b.bmp" << patched(bmp, 10, QByteArray("\xFF\xFF\x00\x00", 4));
        QTest::newRow("bmp of an absurd width")
            << "d.bmp" << patched(bmp, 18, QByteArray("\xFF\xFF\xFF\x7F", 4));
        QTest::newRow("bmp odd depth") << "c.bmp" << patched(bmp, 28, QByteArray("\x07\x00", 2));
        QTest::newRow("gif code size out of range") << "b.gif" << patched(gif, gif.indexOf(',') + 10, "\x0F");
        QTest::newRow("jpeg without its frame")
            << "b.jpg" << patched(jpeg, jpeg.indexOf("\xFF\xC0"), "\xFF\x01");
        QTest::newRow("png header checksum") << "b.png" << patched(png, 29, QByteArray(4, '\0'));
        QTest::newRow("wmf checksum") << "b.wmf" << patched(wmf, 20, QByteArray(2, '\0'));
        QTest::newRow("wmf record beyond the end")
            << "c.wmf" << patched(wmf, 40, QByteArray("\xFF\xFF\x00\x00", 4));
        QTest::newRow("wmf without its end record") << "d.wmf" << wmf.left(wmf.size() - 6);
    }
    void damagedFilesFail() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(!loader_.load(write(name, bytes)).has_value());
    }

    // Whatever the length a file is cut to, the loader refuses it and does not crash.
    void everyCutFails_data() { addSamples(); }
    void everyCutFails() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const qsizetype step = std::max<qsizetype>(1, bytes.size() / 97);
        for (qsizetype length = 0; length < bytes.size(); length += step)
            QVERIFY2(!loader_.load(write(name, bytes.left(length))).has_value(),
                     qPrintable(QString::number(length)));
    }

    void otherFilesFail_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << "notes.txt" << QByteArray("Carte de visite\r\n");
        QTest::newRow("text named as a bitmap") << "notes.bmp" << QByteArray("Carte de visite\r\n");
        QTest::newRow("text named as a metafile") << "notes.wmf" << QByteArray("Carte de visite\r\n");
        QTest::newRow("portable pixmap") << "image.ppm" << QByteArray("P3\n1 1\n255\n255 0 0\n");
        QTest::newRow("empty file") << "empty.gif" << QByteArray();
    }
    void otherFilesFail() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(!loader_.load(write(name, bytes)).has_value());
    }

    void missingFileFails() { QVERIFY(!loader_.load(dir_.filePath("absent.bmp")).has_value()); }

    void emptyPathGivesTheEmptyPicture() {
        const auto picture = loader_.load(QString());
        QVERIFY(picture.has_value());
        QVERIFY(picture->isNull());
    }
};

QTEST_MAIN(PictureLoaderTest)
#include "tst_pictureloader.moc"
