#include "SampleFiles.h"
#include "platform/QtPictureLoader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QColor Teal(0, 128, 128);

// A logo metafile: a filled ellipse, a bitmap of four quarters and the text "Café Noël".
QByteArray logoMetafile() {
    WmfBuilder b;
    b.pen(5, 0, Qt::black).brush(0, Teal).select(0).select(1).ellipse(100, 100, 900, 900);
    b.stretchDib(SampleFiles::quarters(2, 2), QRect(1100, 100, 800, 400));
    b.font(-150, 700, "Arial").select(2).textColour(Qt::black).backgroundMode(1);
    b.textOut(1100, 600, "Caf\xE9 No\xEBl");
    return b.placeable(QRect(0, 0, 2000, 1000), 1000);
}

struct Kind {
    QString name;
    QByteArray bytes;
    QSize size; // natural size
};

// One file of each kind, made from the same four quarters where the format allows. The icon's
// largest image is the one kept.
QList<Kind> kinds() {
    const QImage q = SampleFiles::quarters(40, 30);
    const QByteArray ico = SampleFiles::icon(
        {SampleFiles::quarters(16, 16), SampleFiles::quarters(48, 48), SampleFiles::quarters(32, 32)});
    // 2000 x 1000 units at 1000 to the inch: 192 x 96 pixels.
    return {{"logo.ico", ico, {48, 48}},
            {"pointer.cur", SampleFiles::icon({SampleFiles::quarters(32, 32)}, true, {5, 7}), {32, 32}},
            {"logo.bmp", SampleFiles::written(q, "bmp"), q.size()},
            {"logo.gif", SampleFiles::gif(q), q.size()},
            {"logo.jpg", SampleFiles::written(q, "jpeg"), q.size()},
            {"logo.png", SampleFiles::written(q, "png"), q.size()},
            {"logo.wmf", logoMetafile(), {192, 96}}};
}

} // namespace

class PictureLoaderTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QtPictureLoader loader_;

    std::optional<Picture> load(const QString& name, const QByteArray& bytes) {
        QFile f(dir_.filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(f.fileName()));
        f.close();
        return loader_.load(f.fileName());
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void loadsEachKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Samples>("expected");
        QTest::addColumn<int>("tolerance");
        const Samples logo = SampleFiles::samples(
            "teal 48,48 transparent 4,4 48,4 red 124,19 green 163,19 blue 124,38 yellow 163,38");
        for (const Kind& k : kinds()) {
            const bool wmf = k.name.endsWith("wmf");
            const int tolerance = wmf ? 8 : k.name.endsWith("jpg") ? 40 : 0;
            QTest::newRow(qPrintable(k.name))
                << k.name << k.bytes << k.size << (wmf ? logo : SampleFiles::quarterSamples(k.size))
                << tolerance;
        }
        QTest::newRow("wmf named otherwise") << "logo.dat" << logoMetafile() << QSize(192, 96) << logo << 8;
    }
    void loadsEachKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFETCH(Samples, expected);
        QFETCH(int, tolerance);
        const auto picture = load(name, bytes);
        QVERIFY(picture.has_value());
        QVERIFY(!picture->isNull());
        QCOMPARE(picture->isVector(), size == QSize(192, 96));
        QCOMPARE(picture->naturalSize(), size);
        const QString wrong = SampleFiles::mismatch(picture->toImage(size), expected, tolerance);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    void metafileTextIsDrawn() {
        const auto picture = load("text.wmf", logoMetafile());
        QVERIFY(picture.has_value());
        // Twice the natural size: the text runs from 1100, 600 on a 2000 x 1000 frame.
        const QImage image = picture->toImage(QSize(384, 192));
        int inText = 0, elsewhere = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) >= 200 && std::max({qRed(c), qGreen(c), qBlue(c)}) <= 80)
                    (x >= 205 && y >= 110 && y <= 180 ? inText : elsewhere)++;
            }
        }
        QVERIFY2(inText > 300, qPrintable(QString::number(inText)));
        QCOMPARE(elsewhere, 0);
    }

    // Whatever the length a file is cut to, the loader refuses it and does not crash.
    void everyCutFails_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        for (const Kind& k : kinds())
            QTest::newRow(qPrintable(k.name)) << k.name << k.bytes;
    }
    void everyCutFails() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const qsizetype step = std::max<qsizetype>(1, bytes.size() / 97);
        QList<qsizetype> lengths{12, bytes.size() / 2, bytes.size() - 3, bytes.size() - 2, bytes.size() - 1};
        for (qsizetype length = 0; length < bytes.size(); length += step)
            lengths.append(length);
        for (qsizetype length : lengths)
            QVERIFY2(!load(name, bytes.left(length)).has_value(), qPrintable(QString::number(length)));
    }

    void refusesDamagedAndOtherFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QHash<QString, QByteArray> file;
        for (const Kind& k : kinds())
            file[k.name] = k.bytes;
        const auto damaged = [&](const char* row, const QString& name, qsizetype at, const QByteArray& with) {
            QTest::newRow(row) << name << QByteArray(file[name]).replace(at, with.size(), with);
        };
        damaged("ico entry beyond the end", "logo.ico", 18, QByteArray("\xF0\xFF\0\0", 4));
        damaged("ico entry size beyond the end", "logo.ico", 14, QByteArray("\xFF\xFF\xFF\x0F", 4));
        damaged("cur entry beyond the end", "pointer.cur", 18, QByteArray("\xF0\xFF\0\0", 4));
        damaged("bmp pixels beyond the end", "logo.bmp", 10, QByteArray("\xFF\xFF\0\0", 4));
        damaged("bmp of an absurd width", "logo.bmp", 18, QByteArray("\xFF\xFF\xFF\x7F", 4));
        damaged("bmp odd depth", "logo.bmp", 28, QByteArray("\x07\0", 2));
        damaged("gif code size out of range", "logo.gif", file["logo.gif"].indexOf(',') + 10, "\x0F");
        damaged("jpeg without its frame", "logo.jpg", file["logo.jpg"].indexOf("\xFF\xC0"), "\xFF\x01");
        damaged("png header checksum", "logo.png", 29, QByteArray(4, '\0'));
        damaged("wmf checksum", "logo.wmf", 20, QByteArray(2, '\0'));
        const QByteArray text("Carte de visite\r\n");
        QTest::newRow("text") << "notes.txt" << text;
        QTest::newRow("text named as a bitmap") << "notes.bmp" << text;
        QTest::newRow("text named as a metafile") << "notes.wmf" << text;
        QTest::newRow("portable pixmap") << "image.ppm" << QByteArray("P3\n1 1\n255\n255 0 0\n");
        QTest::newRow("empty file") << "empty.gif" << QByteArray();
    }
    void refusesDamagedAndOtherFiles() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QVERIFY(!load(name, bytes).has_value());
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
