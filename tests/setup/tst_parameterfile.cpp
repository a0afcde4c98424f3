#include "setup/ParameterFile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Measures in file order: left, top, horizontal gap, vertical gap, width, height.
PrintLayout layout(const QList<double>& v, bool frame, bool cut) {
    return PrintLayout{v[0], v[1], v[2], v[3], v[4], v[5], frame, cut};
}

QList<double> measures(const PrintLayout& l) {
    return {l.leftMargin, l.topMargin, l.horizontalSeparator, l.verticalSeparator, l.cardWidth, l.cardHeight};
}

// A layout unlike the built-in one, so that a field left alone shows.
const QList<double> Unchanged = {1, 2, 3, 4, 50, 40};
PrintLayout previous() {
    return layout(Unchanged, false, true);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class ParameterFileTest : public QObject {
    Q_OBJECT
private slots:
    void writeReadBack_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("DEFAUT, 30 bytes") << QList<double>{5, 0, 0, 0, 85, 54} << true << true
                                          << QByteArray("5,0,0,0,85,54\r\n#TRUE#,#TRUE#\r\n");
        QTest::newRow("half millimetre and negative")
            << QList<double>{12.5, 0, -2, 0.25, 90, 55} << false << true
            << QByteArray("12.5,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");
        QTest::newRow("below one and negative below one")
            << QList<double>{0.5, -0.75, 0, 0, 85, 54} << true << false
            << QByteArray(".5,-.75,0,0,85,54\r\n#TRUE#,#FALSE#\r\n");
        QTest::newRow("tiny and many digits")
            << QList<double>{0.00001, 1.0 / 3, 123456.789, 0, 85, 54} << true << true
            << QByteArray("1E-05,.333333333333333,123456.789,0,85,54\r\n#TRUE#,#TRUE#\r\n");
    }
    void writeReadBack() {
        QFETCH(QList<double>, values);
        QFETCH(bool, frame);
        QFETCH(bool, cut);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("essai.PAR"));
        QVERIFY(parameterfile::write(path, layout(values, frame, cut)));
        QCOMPARE(fileBytes(path), bytes);

        PrintLayout back = previous();
        QVERIFY(parameterfile::read(path, back));
        const QList<double> read = measures(back);
        for (int i = 0; i < 6; ++i)
            QVERIFY2(qAbs(read[i] - values[i]) <= 1e-14 * qMax(1.0, qAbs(values[i])),
                     qPrintable(QString::number(i)));
        QCOMPARE(back.printFrame, frame);
        QCOMPARE(back.printCutMarks, cut);
    }

    // A complete read sets the frame flag and clears the other, unlike the layout read into; a
    // read that stops leaves both flags as they were.
    void reader_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QList<double>>("values");
        const QList<double> read{12.5, 0, -2, 0.25, 90, 55};
        QTest::newRow("two lines") << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,#FALSE#\r\n") << true << read;
        QTest::newRow("eight fields on one line")
            << QByteArray("12.5,0,-2,0.25,90,55,#TRUE#,#FALSE#\r\n") << true << read;
        QTest::newRow("spaces after commas")
            << QByteArray("12.5, 0, -2, 0.25, 90, 55\r\n#TRUE#, #FALSE#\r\n") << true << read;
        QTest::newRow("one field per line, tabs, LF")
            << QByteArray("\t12.5\n0\n-2\n .25\n90\n55\n#TRUE#\n#FALSE#") << true << read;
        QTest::newRow("blanks after a field, blank lines")
            << QByteArray("\r\n\r\n12.5 ,0,-2,.25,90,55\t\r\n\r\n#TRUE# ,#FALSE#") << true << read;
        QTest::newRow("comma at the end of line 1")
            << QByteArray("12.5,0,-2,.25,90,55,\r\n#TRUE#,#FALSE#\r\n") << true << read;
        QTest::newRow("line 2 as numbers") << QByteArray("12.5,0,-2,.25,90,55\r\n1,0\r\n") << true << read;
        QTest::newRow("any number not zero is true")
            << QByteArray("12.5,0,-2,.25,90,55\r\n-.5,0\r\n") << true << read;
        QTest::newRow("exponent, plus sign, tokens in any case")
            << QByteArray("1.25E1,+0,-2,25E-2,90,55\r\n#true#,#False#") << true << read;
        QTest::newRow("anything after field 8 ignored")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,#FALSE#,x\r\n\x01\x02garbage\r\n") << true << read;
        QTest::newRow("a long number that is finite")
            << QByteArray("12.5,0,-2,.25,90,") + QByteArray(3000, '0') + QByteArray("55\r\n#TRUE#,#FALSE#")
            << true << read;

        // Stops: what was read before the bad field stays, the rest keeps its value.
        QTest::newRow("only the six numbers") << QByteArray("12.5,0,-2,.25,90,55\r\n") << false << read;
        QTest::newRow("bad field in the middle") << QByteArray("12.5,0,x,.25,90,55\r\n#TRUE#,#FALSE#\r\n")
                                                 << false << QList<double>{12.5, 0, 3, 4, 50, 40};
        QTest::newRow("number followed by letters")
            << QByteArray("12.5,0,-2,.25mm,90,55\r\n#TRUE#,#FALSE#\r\n") << false
            << QList<double>{12.5, 0, -2, 4, 50, 40};
        QTest::newRow("empty field") << QByteArray("12.5,,-2,.25,90,55\r\n#TRUE#,#FALSE#\r\n") << false
                                     << QList<double>{12.5, 2, 3, 4, 50, 40};
        QTest::newRow("bad second flag")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,oui\r\n") << false << read;
        QTest::newRow("empty file") << QByteArray() << false << Unchanged;
        QTest::newRow("blanks only") << QByteArray(" \t\r\n\r\n") << false << Unchanged;
        QTest::newRow("thousands of digits")
            << QByteArray("1") + QByteArray(5000, '9') + QByteArray(",0,0,0,85,54\r\n#TRUE#,#FALSE#") << false
            << Unchanged;
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            binary += char(255 - i);
        QTest::newRow("binary") << binary << false << Unchanged;
    }
    void reader() {
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QFETCH(QList<double>, values);
        PrintLayout l = previous();
        QCOMPARE(parameterfile::apply(data, l), complete);
        QCOMPARE(measures(l), values);
        QCOMPARE(l.printFrame, complete);
        QCOMPARE(l.printCutMarks, !complete);
        QCOMPARE(l.cardCount, qint16(10));
    }

    // Reading from disk: paths that cannot be read, files far larger than a parameter file.
    void readFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<double>("left");
        const QByteArray fields("7,0,0,0,85,54\r\n#TRUE#,#FALSE#\r\n");
        QTest::newRow("missing") << "missing" << QByteArray() << false << 1.0;
        QTest::newRow("folder") << "folder" << QByteArray() << false << 1.0;
        QTest::newRow("pipe") << "pipe" << QByteArray() << false << 1.0;
        QTest::newRow("fields, then a great deal more")
            << "file" << fields + QByteArray(4 << 20, 'x') << true << 7.0;
        QTest::newRow("fields far beyond what is read")
            << "file" << QByteArray(parameterfile::MaxBytes + 10, '\n') + fields << false << 1.0;
        // A number running past the bound is not taken for the shorter number read so far.
        QTest::newRow("a number across the bound") << "file"
                                                   << QByteArray(parameterfile::MaxBytes - 3, ' ') +
                                                          QByteArray("123456,0,0,0,85,54\r\n#TRUE#,#TRUE#")
                                                   << false << 1.0;
    }
    void readFile() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QFETCH(double, left);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.PAR"));
        if (kind == "file")
            writeBytes(path, data);
        if (kind == "folder")
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("p.PAR")));
        if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); // opening it would wait
        PrintLayout l = previous();
        QCOMPARE(parameterfile::read(path, l), complete);
        QCOMPARE(l.leftMargin, left);
    }

    void failedWriteKeepsThePreviousFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("garde.PAR"));
        const QByteArray before = parameterfile::encode(previous()) + QByteArray("(the old file)");
        writeBytes(path, before);

        // Files may not grow past 8 bytes for a moment: the write fails even for root.
        struct rlimit old {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &old), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = old;
        tight.rlim_cur = 8;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool written = parameterfile::write(path, PrintLayout::builtIn());
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("garde.PAR")});
    }
};

QTEST_GUILESS_MAIN(ParameterFileTest)
#include "tst_parameterfile.moc"
