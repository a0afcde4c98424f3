#include "platform/QtPictureLoader.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray words(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) {
        char le[2];
        qToLittleEndian<quint16>(quint16(v), le);
        out.append(le, 2);
    }
    return out;
}

// A placeable metafile, 100 units square at 1440 a inch, holding one rectangle; each record's
// size in words as given, so that a size can lie about the bytes that follow.
QByteArray metafile(int rectangleWords, int endWords, bool withEnd = true) {
    QByteArray placeable = words({0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 1440, 0, 0});
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    placeable += words({sum});
    const QByteArray records = words({rectangleWords, 0, 0x041B, 90, 90, 10, 10}) +
                               (withEnd ? words({endWords, 0, 0x0000}) : QByteArray());
    const int total = 9 + records.size() / 2;
    return placeable + words({1, 9, 0x0300, total, 0, 0, 7, 0, 0}) + records;
}

} // namespace

// A metafile whose records claim more or fewer bytes than the file holds is damaged: it is
// refused whole, whichever record lies, rather than drawn from bytes that are not there.
class MetafileBoundsTest : public QObject {
    Q_OBJECT
private slots:
    void records_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        QTest::newRow("whole") << metafile(7, 3) << true;
        QTest::newRow("drawing record past the end") << metafile(500, 3) << false;
        QTest::newRow("end record past the end") << metafile(7, 50) << false;
        QTest::newRow("record shorter than its own header") << metafile(2, 3) << false;
        QTest::newRow("end record shorter than its header") << metafile(7, 2) << false;
        QTest::newRow("no end record") << metafile(7, 3, false) << false;
    }
    void records() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        QFile file(dir.filePath("logo.wmf"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        QtPictureLoader loader;
        const auto picture = loader.load(file.fileName());
        QCOMPARE(picture.has_value() && !picture->isNull(), loads);
    }
};

QTEST_MAIN(MetafileBoundsTest)
#include "tst_metafilebounds.moc"
