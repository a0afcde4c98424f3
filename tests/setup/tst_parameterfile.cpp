#include "setup/ParameterFile.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

// Measures in file order: left, top, horizontal gap, vertical gap, width, height.
using Measures = QList<double>;
static PrintLayout layout(const Measures& v, bool frame = false, bool cut = true) {
    return PrintLayout{v[0], v[1], v[2], v[3], v[4], v[5], frame, cut};
}
// Unlike the built-in layout, so that a field left alone shows.
static const Measures Unchanged = {1, 2, 3, 4, 50, 40};

class ParameterFileTest : public QObject {
    Q_OBJECT
private slots:
    void writeReadBack_data() {
        QTest::addColumn<Measures>("values");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("DEFAUT, 30 bytes")
            << Measures{5, 0, 0, 0, 85, 54} << true << QByteArray("5,0,0,0,85,54\r\n#TRUE#,#TRUE#\r\n");
        QTest::newRow("half, negative, below one")
            << Measures{12.5, -0.75, -2, 0.25, 90, 55} << false
            << QByteArray("12.5,-.75,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");
        QTest::newRow("tiny and many digits")
            << Measures{0.00001, 1.0 / 3, 123456.789, 0, 85, 54} << true
            << QByteArray(".00001,.333333333333333,123456.789,0,85,54\r\n#TRUE#,#TRUE#\r\n");
    }
    void writeReadBack() {
        QFETCH(Measures, values);
        QFETCH(bool, frame);
        QFETCH(QByteArray, bytes);
        QCOMPARE(parameterfile::encode(layout(values, frame)), bytes);
        PrintLayout back = layout(Unchanged, !frame, false); // read back, then written again
        QVERIFY(parameterfile::apply(bytes, back));
        QCOMPARE(parameterfile::encode(back), bytes);
    }

    // A complete read sets the frame flag and clears the cut marks flag, unlike the layout read
    // into; a read that stops keeps what it read before the bad field, and both flags, with no message.
    void reader_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<Measures>("values");
        const Measures read{12.5, 0, -2, 0.25, 90, 55};
        QTest::newRow("eight fields on one line")
            << QByteArray("12.5,0,-2,0.25,90,55,#TRUE#,#FALSE#\r\n") << true << read;
        QTest::newRow("spaces after commas")
            << QByteArray("12.5, 0, -2, 0.25, 90, 55\r\n#TRUE#, #FALSE#\r\n") << true << read;
        QTest::newRow("one field a line, tabs, LF")
            << QByteArray("\t12.5\n0\n-2\n .25\n90\n55\n#TRUE#\n#FALSE#") << true << read;
        QTest::newRow("line 2 as numbers") << QByteArray("12.5,0,-2,.25,90,55\r\n1,0\r\n") << true << read;
        QTest::newRow("after field 8 ignored")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,#FALSE#,x\r\n\x01\x02") << true << read;
        QTest::newRow("long but finite number")
            << QByteArray("12.5,0,-2,.25,90,") + QByteArray(3000, '0') + "55,1,0" << true << read;
        QTest::newRow("only the six numbers") << QByteArray("12.5,0,-2,.25,90,55\r\n") << false << read;
        QTest::newRow("bad field in the middle") << QByteArray("12.5,0,x,.25,90,55\r\n#TRUE#,#FALSE#\r\n")
                                                 << false << Measures{12.5, 0, 3, 4, 50, 40};
        QTest::newRow("number then letters") << QByteArray("12.5,0,-2,.25mm,90,55\r\n#TRUE#,#FALSE#") << false
                                             << Measures{12.5, 0, -2, 4, 50, 40};
        QTest::newRow("empty file") << QByteArray() << false << Unchanged;
        QTest::newRow("thousands of digits")
            << QByteArray("1") + QByteArray(5000, '9') + ",0,0,0,85,54,1,0" << false << Unchanged;
        QTest::newRow("binary") << QByteArray::fromHex("fffe00800a0d2c23ff") << false << Unchanged;
    }
    void reader() {
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QFETCH(Measures, values);
        PrintLayout l = layout(Unchanged);
        QCOMPARE(parameterfile::apply(data, l), complete);
        QCOMPARE(parameterfile::encode(l), parameterfile::encode(layout(values, complete, !complete)));
    }

    // Paths that cannot be read, and files far larger than a parameter file.
    void readFile_data() {
        QTest::addColumn<QByteArray>("data"); // none: a named pipe, which opening would wait on
        QTest::addColumn<double>("left");     // 1 when nothing was read
        const QByteArray fields("7,0,0,0,85,54\r\n#TRUE#,#FALSE#\r\n");
        QTest::newRow("pipe: no wait") << QByteArray() << 1.0;
        QTest::newRow("fields, then megabytes") << fields + QByteArray(4 << 20, 'x') << 7.0;
        QTest::newRow("fields past the bound")
            << QByteArray(parameterfile::MaxBytes + 10, '\n') + fields << 1.0;
        QTest::newRow("a number across the bound")
            << QByteArray(parameterfile::MaxBytes - 3, ' ') + "123456,0,0,0,85,54\r\n#TRUE#,#TRUE#" << 1.0;
    }
    void readFile() {
        QFETCH(QByteArray, data);
        QFETCH(double, left);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("p.PAR")));
        if (data.isNull())
            QCOMPARE(::mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
        else
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush());
        PrintLayout l = layout(Unchanged);
        QCOMPARE(parameterfile::read(file.fileName(), l), left == 7.0);
        QCOMPARE(l.leftMargin, left);
    }

    void failedWriteKeepsThePreviousFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("garde.PAR"));
        QVERIFY(parameterfile::write(path, layout(Unchanged)));
        // Files may not grow past 8 bytes for a moment: the write fails even for root.
        struct rlimit old {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = {8, old.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool written = parameterfile::write(path, PrintLayout::builtIn());
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == parameterfile::encode(layout(Unchanged)));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("garde.PAR")});
    }
};

QTEST_GUILESS_MAIN(ParameterFileTest)
#include "tst_parameterfile.moc"
