#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardFileReader.h"
#include "platform/BoundedRead.h"
#include "platform/FileNames.h"
#include "platform/QtPictureLoader.h"
#include "setup/ParameterFile.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long peakMemoryKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A bitmap header that announces width × height pixels and holds none of them.
QByteArray bitmapHeader(qint32 width, qint32 height) {
    QByteArray b(54, '\0');
    QDataStream s(&b, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(54) << quint32(0) << quint32(54) << quint32(40) << width << height << quint16(1)
      << quint16(24);
    return b;
}

// Makes the named input in the folder; "@" in a name stands for the folder.
QString makeInput(const QTemporaryDir& dir, const QString& kind) {
    const QString path = dir.filePath(kind);
    if (kind == "fifo")
        ::mkfifo(QFile::encodeName(path).constData(), 0644);
    else if (kind == "folder")
        QDir(dir.path()).mkdir(kind);
    else if (kind == "over the bound") {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.resize(QtPictureLoader::MaxFileSize + 1); // sparse: nothing is written
    } else if (kind == "huge picture")
        samples::writeFile(path, bitmapHeader(100000, 100000));
    else if (kind.startsWith('/'))
        return kind;
    return path;
}

} // namespace

// Only ordinary files reach a reader, and never more than a bound of them.
class ReaderInputsTest : public QObject {
    Q_OBJECT
private slots:
    void boundedRead_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("special");
        QTest::addColumn<qint64>("bound");
        QTest::addColumn<int>("refusal");
        using R = boundedread::Refusal;
        QTest::newRow("ordinary") << QByteArray("abc") << "" << qint64(3) << int(R::None);
        QTest::newRow("empty") << QByteArray() << "" << qint64(0) << int(R::None);
        QTest::newRow("one byte over") << QByteArray("abcd") << "" << qint64(3) << int(R::TooLarge);
        QTest::newRow("missing") << QByteArray() << "missing" << qint64(10) << int(R::Missing);
        QTest::newRow("in a missing folder") << QByteArray() << "missing/x" << qint64(10) << int(R::Missing);
        QTest::newRow("folder") << QByteArray() << "folder" << qint64(10) << int(R::NotOrdinary);
        QTest::newRow("named pipe") << QByteArray() << "fifo" << qint64(10) << int(R::NotOrdinary);
        QTest::newRow("endless device") << QByteArray() << "/dev/zero" << qint64(10) << int(R::NotOrdinary);
        QTest::newRow("empty device") << QByteArray() << "/dev/null" << qint64(10) << int(R::NotOrdinary);
        QTest::newRow("empty name") << QByteArray() << "@" << qint64(10) << int(R::Missing);
        QTest::newRow("name cut by a NUL") << QByteArray() << "nul" << qint64(10) << int(R::Missing);
    }
    void boundedRead() {
        QFETCH(QByteArray, content);
        QFETCH(QString, special);
        QFETCH(qint64, bound);
        QFETCH(int, refusal);
        QTemporaryDir dir;
        QString path = dir.filePath("file");
        if (special == "@")
            path.clear();
        else if (special == "nul") {
            QVERIFY(samples::writeFile(path, "abc"));
            path += QChar(0) + QString("x"); // the file exists up to the NUL
        } else if (!special.isEmpty())
            path = makeInput(dir, special);
        else
            QVERIFY(samples::writeFile(path, content));
        const boundedread::Result r = boundedread::readFile(path, bound);
        QCOMPARE(int(r.refusal), refusal);
        QCOMPARE(r.bytes.has_value(), refusal == int(boundedread::Refusal::None));
        if (r.bytes)
            QCOMPARE(*r.bytes, content);
        QCOMPARE(boundedread::isOrdinaryFile(path), special.isEmpty());
    }

    // The three readers given what is no file of theirs: a refusal, at once, without growth.
    void readers_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("random device") << "/dev/urandom";
        QTest::newRow("folder") << "folder";
        QTest::newRow("over the bound") << "over the bound";
    }
    void readers() {
        QFETCH(QString, input);
        QTemporaryDir dir;
        const QString path = makeInput(dir, input);
        const long before = peakMemoryKb();
        FakePictureLoader pictures;
        CardDocument card = {};
        card.zone(1).Text = "kept";
        QVERIFY(cardfile::read(path, card, pictures).status != CardReadResult::Status::Read);
        QCOMPARE(card.zone(1).Text, QString("kept"));
        PrintLayout layout;
        QVERIFY(!parameterfile::read(path, layout));
        QCOMPARE(parameterfile::encode(layout), parameterfile::encode(PrintLayout{}));
        QVERIFY(!QtPictureLoader().load(path));
        QVERIFY(peakMemoryKb() - before < 32 * 1024);
    }

    // "Logo Icone" given what cannot be a logo: the usual message, at once and without
    // growth, and the logo the card had stays.
    void logoIcone_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("endless device") << "/dev/zero";
        QTest::newRow("folder") << "folder";
        QTest::newRow("over the bound") << "over the bound";
        QTest::newRow("huge picture") << "huge picture";
    }
    void logoIcone() {
        QFETCH(QString, input);
        QTemporaryDir dir;
        const QString path = makeInput(dir, input);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        const QString before = m.card.Logo.RecordedPath;
        const QSize shown = m.card.Logo.picture.naturalSize();
        const long memory = peakMemoryKb();
        tp.files->chooseNext(path);
        w.findChild<QPushButton*>("Command3")->click();
        QCOMPARE(tp.messages->shown.size(), 1);
        QCOMPARE(tp.messages->shown.first().prompt, QString("Format d'image non supporté !"));
        QCOMPARE(tp.messages->shown.first().title, QString("Erreur"));
        QCOMPARE(m.card.Logo.Path, path);
        QCOMPARE(m.card.Logo.RecordedPath, before);
        QCOMPARE(m.card.Logo.picture.naturalSize(), shown);
        QVERIFY(peakMemoryKb() - memory < 32 * 1024);
    }

    // A picture named by bytes that are not UTF-8 loads like any other.
    void latin1Logo() {
        QTemporaryDir dir;
        const QString name = filename::fromBytes(QFile::encodeName(dir.path()) + "/logo\xe9.bmp");
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "BMP"));
        // Qt's own file names are UTF-8: the file is made through the system's bytes.
        const QByteArray bytes = filename::toBytes(name);
        QCOMPARE(bytes.right(9), QByteArray("logo\xe9.bmp"));
        FILE* raw = std::fopen(bytes.constData(), "wb");
        QVERIFY(raw);
        std::fwrite(bmp.constData(), 1, size_t(bmp.size()), raw);
        std::fclose(raw);
        const auto picture = QtPictureLoader().load(name);
        QVERIFY(picture);
        QCOMPARE(picture->naturalSize(), QSize(3, 2));
        QVERIFY(cardfile::logoExists(name));
        ::unlink(bytes.constData()); // a name Qt cannot remove
    }
};

QTEST_MAIN(ReaderInputsTest)
#include "tst_readerinputs.moc"
