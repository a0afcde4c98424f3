// The logo chooser offers exactly the kinds the picture loader takes, and an SVG logo prints as
// vectors.
#include "LittleEndian.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/LogoCommands.h"
#include "platform/QPrinterSurface.h"
#include "platform/QtPictureLoader.h"

#include <QBuffer>
#include <QImageWriter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray encoded(const char* format) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

const QByteArray Svg =
    "<?xml version=\"1.0\"?>\n<!-- logo -->\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"40\" viewBox=\"0 0 40 40\">"
    "<rect x=\"0\" y=\"0\" width=\"40\" height=\"40\" fill=\"#0000ff\"/>"
    "<circle cx=\"20\" cy=\"20\" r=\"12\" fill=\"#ff0000\"/></svg>\n";

// The same bytes as a gzip file, as .svgz drawings are stored.
QByteArray gzip(const QByteArray& data) {
    const QByteArray z = qCompress(data, 9); // 4 bytes of length, then a zlib stream
    const QByteArray deflate = z.mid(4 + 2, z.size() - 4 - 2 - 4);
    quint32 crc = 0xFFFFFFFF;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return QByteArray("\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03", 10) + deflate + le({~crc}, 4) +
           le({data.size()}, 4);
}

// One sample file of each kind the chooser may offer, by extension.
QByteArray sample(const QString& extension) {
    if (extension == "ico")
        return encoded("ico");
    if (extension == "cur") {
        QByteArray b = encoded("ico");
        b[2] = 2; // a cursor's directory: the same entries, hot spot 0, 0
        b[10] = b[11] = b[12] = b[13] = 0;
        return b;
    }
    if (extension == "bmp")
        return encoded("bmp");
    if (extension == "gif") // one red pixel
        return QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
                          ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                          35);
    if (extension == "jpg" || extension == "jpeg")
        return encoded("jpeg");
    if (extension == "png")
        return encoded("png");
    if (extension == "wmf") // a plain metafile: one rectangle, then the end
        return le({1, 9, 0x0300}) + le({19}, 4) + le({0}) + le({7}, 4) + le({0}) + le({7}, 4) +
               le({0x041B, 30, 30, 0, 0}) + le({3}, 4) + le({0});
    if (extension == "svg")
        return Svg;
    if (extension == "svgz")
        return gzip(Svg);
    return {};
}

// The chooser's entries: description and patterns, in order.
QList<QPair<QString, QStringList>> entries() {
    const QStringList parts = logocommands::fileFilter().split('|');
    QList<QPair<QString, QStringList>> out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out.append({parts[i], parts[i + 1].split(';')});
    return out;
}

// The images a PDF holds, as poppler lists them.
int pdfImages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!p.waitForFinished() || p.exitCode() != 0)
        return -1;
    return qMax(0, int(p.readAllStandardOutput().trimmed().split('\n').size()) - 2); // two header lines
}

QImage rasterised(const QString& pdf, const QString& stem) {
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                         QStringLiteral("-singlefile"), pdf, stem});
    if (!p.waitForFinished())
        return {};
    return QImage(stem + ".png");
}

} // namespace

class LogoFormatsTest : public QObject {
    Q_OBJECT
private slots:
    // Every pattern of every entry names a kind that loads; the first entry gathers all of them.
    void chooserMatchesLoader_data() {
        QTest::addColumn<QString>("extension");
        QSet<QString> all;
        for (const auto& [description, patterns] : entries())
            for (const QString& pattern : patterns)
                all.insert(pattern);
        const QSet<QString> expected{"*.ico",  "*.cur", "*.bmp", "*.gif", "*.jpg",
                                     "*.jpeg", "*.png", "*.wmf", "*.svg", "*.svgz"};
        QCOMPARE(all, expected);
        const auto list = entries();
        QVERIFY(list.first().first.startsWith("Toutes les images"));
        QCOMPARE(QSet<QString>(list.first().second.begin(), list.first().second.end()), expected);
        for (const QString& pattern : all)
            QTest::newRow(qPrintable(pattern)) << pattern.mid(2);
    }
    void chooserMatchesLoader() {
        QFETCH(QString, extension);
        QTemporaryDir dir;
        const QString path = dir.filePath("logo." + extension);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(sample(extension)) > 0);
        f.close();
        QtPictureLoader loader;
        const auto picture = loader.load(path);
        QVERIFY2(picture && !picture->isNull(), qPrintable(path));
        QCOMPARE(picture->isVector(), extension == "wmf" || extension.startsWith("svg"));
        // Whatever its name says, an SVG is known by its text.
        if (extension == "svg") {
            QVERIFY(QFile::copy(path, dir.filePath("dessin.png")));
            const auto renamed = loader.load(dir.filePath("dessin.png"));
            QVERIFY(renamed && renamed->isVector());
        }
    }

    // What the loader refuses, SVG-like or named so.
    void refused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("broken SVG") << "a.svg"
                                    << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect");
        QTest::newRow("SVG text under another name") << "a.png" << QByteArray("<svg><g></svg>");
        QTest::newRow("text named .svg") << "a.svg" << QByteArray("bonjour\n");
        QTest::newRow("damaged gzip named .svgz") << "a.svgz" << gzip(Svg).left(20);
        QTest::newRow("web page") << "a.svg" << QByteArray("<html><body><svg></svg></body></html>");
    }
    void refused() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        QVERIFY(!QtPictureLoader().load(f.fileName()));
    }

    // A logo on paper: an SVG as lines and fills (no image in the PDF) drawn where the logo goes, a PNG as
    // an image.
    void onPaper_data() {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<int>("images");
        QTest::newRow("svg") << "svg" << 0;
        QTest::newRow("svgz") << "svgz" << 0;
        QTest::newRow("png") << "png" << 1;
    }
    void onPaper() {
        QFETCH(QString, extension);
        QFETCH(int, images);
        QTemporaryDir dir;
        const QString logo = dir.filePath("logo." + extension);
        QFile f(logo);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(sample(extension)) > 0);
        f.close();
        const auto picture = QtPictureLoader().load(logo);
        QVERIFY(picture);
        const QString pdf = dir.filePath("page.pdf");
        auto surface = QPrinterSurface::pdfFile(pdf);
        surface->setScaleMode(6);
        surface->paintPicture(*picture, 20, 30, 40, 40);
        surface->endDoc();
        QCOMPARE(pdfImages(pdf), images);
        if (images == 0) {
            // 72 dpi: the 40 mm square from (20, 30) mm; the red circle in its middle, blue at its corner.
            const QImage page = rasterised(pdf, dir.filePath("page"));
            QVERIFY(!page.isNull());
            const auto at = [&](double xMm, double yMm) {
                return page.pixelColor(int(xMm / 25.4 * 72), int(yMm / 25.4 * 72));
            };
            QCOMPARE(at(40, 50), QColor(Qt::red));
            QCOMPARE(at(22, 32), QColor(Qt::blue));
            QCOMPARE(at(15, 25), QColor(Qt::white));
        }
    }

    // A card whose logo is an SVG opens with the drawing; one whose logo is no picture names that file.
    void cardLogo_data() {
        QTest::addColumn<QByteArray>("logo");
        QTest::addColumn<QString>("message");
        QTest::newRow("svg") << Svg << QString();
        QTest::newRow("not a picture")
            << QByteArray("<svg") << "Fichier icone @ illisible : format d'image non supporté !";
    }
    void cardLogo() {
        QFETCH(QByteArray, logo);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString logoPath = dir.filePath("logo.svg");
        QFile f(logoPath);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(logo) > 0);
        f.close();
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        // Saved with the logo, then read back through the program's own loader.
        m.card.Logo.RecordedPath = logoPath;
        m.card.Logo.Path = logoPath;
        const QString card = dir.filePath("CARTE.CDV");
        w.SaveFile(card);
        tp.platform.pictures = std::make_unique<QtPictureLoader>();
        w.OpenFile(card);
        QCOMPARE(tp.messages->shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(tp.messages->shown.first().prompt, QString(message).replace("@", logoPath));
        QCOMPARE(m.card.Logo.picture.isVector(), message.isEmpty());
        QCOMPARE(m.card.Logo.picture.isNull(), !message.isEmpty());
    }
};

QTEST_MAIN(LogoFormatsTest)
#include "tst_logoformats.moc"
