#include "setup/ParameterFile.h"

#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// A layout unlike the built-in one, so that a field left alone shows.
PrintLayout previous() {
    PrintLayout l;
    l.leftMargin = 1;
    l.topMargin = 2;
    l.horizontalSeparator = 3;
    l.verticalSeparator = 4;
    l.cardWidth = 50;
    l.cardHeight = 40;
    l.printFrame = false;
    l.printCutMarks = true;
    return l;
}

QList<double> measures(const PrintLayout& l) {
    return {l.leftMargin, l.topMargin, l.horizontalSeparator, l.verticalSeparator, l.cardWidth, l.cardHeight};
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

const QList<double> Unchanged = {1, 2, 3, 4, 50, 40};

} // namespace

class ParameterFileTest : public QObject {
    Q_OBJECT
private slots:
    void builtInIsThirtyBytes() {
        const QByteArray bytes = parameterfile::encode(PrintLayout::builtIn());
        QCOMPARE(bytes, QByteArray("5,0,0,0,85,54\r\n#TRUE#,#TRUE#\r\n"));
        QCOMPARE(bytes.size(), 30);
    }

    void writeReadBack_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("half millimetre and negative")
            << QList<double>{12.5, 0, -2, 0.25, 90, 55} << false << true
            << QByteArray("12.5,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");
        QTest::newRow("below one and negative below one")
            << QList<double>{0.5, -0.75, 0, 0, 85, 54} << true << false
            << QByteArray("12.5,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n")
                   .replace("12.5,0,-2,.25,90,55\r\n#FALSE#,#TRUE#", ".5,-.75,0,0,85,54\r\n#TRUE#,#FALSE#");
        QTest::newRow("tiny and many digits")
            << QList<double>{0.00001, 1.0 / 3, 123456.789, 0, 85, 54} << true << true
            << QByteArray("1E-05,.333333333333333,123456.789,0,85,54\r\n#TRUE#,#TRUE#\r\n");
    }
    void writeReadBack() {
        QFETCH(QList<double>, values);
        QFETCH(bool, frame);
        QFETCH(bool, cut);
        QFETCH(QByteArray, bytes);
        PrintLayout l;
        l.leftMargin = values[0];
        l.topMargin = values[1];
        l.horizontalSeparator = values[2];
        l.verticalSeparator = values[3];
        l.cardWidth = values[4];
        l.cardHeight = values[5];
        l.printFrame = frame;
        l.printCutMarks = cut;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("essai.PAR"));
        QVERIFY(parameterfile::write(path, l));
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

    void reader_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("cut");
        const QList<double> read{12.5, 0, -2, 0.25, 90, 55};
        QTest::newRow("two lines") << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,#FALSE#\r\n") << true << read
                                   << true << false;
        QTest::newRow("eight fields on one line")
            << QByteArray("12.5,0,-2,0.25,90,55,#TRUE#,#FALSE#\r\n") << true << read << true << false;
        QTest::newRow("spaces after commas") << QByteArray("12.5, 0, -2, 0.25, 90, 55\r\n#TRUE#, #FALSE#\r\n")
                                             << true << read << true << false;
        QTest::newRow("one field per line, tabs, LF")
            << QByteArray("\t12.5\n0\n-2\n .25\n90\n55\n#TRUE#\n#FALSE#") << true << read << true << false;
        QTest::newRow("blanks after a field, blank lines")
            << QByteArray("\r\n\r\n12.5 ,0,-2,.25,90,55\t\r\n\r\n#TRUE# ,#FALSE#") << true << read << true
            << false;
        QTest::newRow("comma at the end of line 1")
            << QByteArray("12.5,0,-2,.25,90,55,\r\n#TRUE#,#FALSE#\r\n") << true << read << true << false;
        QTest::newRow("line 2 as numbers")
            << QByteArray("12.5,0,-2,.25,90,55\r\n1,0\r\n") << true << read << true << false;
        QTest::newRow("any number not zero is true")
            << QByteArray("12.5,0,-2,.25,90,55\r\n-1,0.5\r\n") << true << read << true << true;
        QTest::newRow("tokens in any case")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#true#,#False#\r\n") << true << read << true << false;
        QTest::newRow("exponent and plus sign")
            << QByteArray("1.25E1,+0,-2,25E-2,90,55\r\n#TRUE#,#FALSE#") << true << read << true << false;
        QTest::newRow("anything after field 8 ignored")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,#FALSE#,x\r\n\x01\x02garbage\r\n") << true << read
            << true << false;
        QTest::newRow("a long number that is finite")
            << QByteArray("12.5,0,-2,.25,90,") + QByteArray(3000, '0') + QByteArray("55\r\n#TRUE#,#FALSE#")
            << true << read << true << false;

        // Stops: what was read before the bad field stays, the rest keeps its value.
        QTest::newRow("only the six numbers")
            << QByteArray("12.5,0,-2,.25,90,55\r\n") << false << read << false << true;
        QTest::newRow("only the frame flag")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#\r\n") << false << read << false << true;
        QTest::newRow("bad field in the middle")
            << QByteArray("12.5,0,x,.25,90,55\r\n#TRUE#,#TRUE#\r\n") << false
            << QList<double>{12.5, 0, 3, 4, 50, 40} << false << true;
        QTest::newRow("number followed by letters")
            << QByteArray("12.5,0,-2,.25mm,90,55\r\n#TRUE#,#TRUE#\r\n") << false
            << QList<double>{12.5, 0, -2, 4, 50, 40} << false << true;
        QTest::newRow("empty field") << QByteArray("12.5,,-2,.25,90,55\r\n#TRUE#,#TRUE#\r\n") << false
                                     << QList<double>{12.5, 2, 3, 4, 50, 40} << false << true;
        QTest::newRow("comma as decimal point")
            << QByteArray("12,5;0;0;0;85;54\r\n#TRUE#,#TRUE#\r\n") << false
            << QList<double>{12, 2, 3, 4, 50, 40} << false << true;
        QTest::newRow("bad second flag")
            << QByteArray("12.5,0,-2,.25,90,55\r\n#TRUE#,oui\r\n") << false << read << false << true;
        QTest::newRow("empty file") << QByteArray() << false << Unchanged << false << true;
        QTest::newRow("blanks only") << QByteArray(" \t\r\n\r\n") << false << Unchanged << false << true;
        QTest::newRow("thousands of digits")
            << QByteArray("1") + QByteArray(5000, '9') + QByteArray(",0,0,0,85,54\r\n#TRUE#,#TRUE#") << false
            << Unchanged << false << true;
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            binary += char(255 - i);
        QTest::newRow("binary") << binary << false << Unchanged << false << true;
    }
    void reader() {
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QFETCH(QList<double>, values);
        QFETCH(bool, frame);
        QFETCH(bool, cut);
        PrintLayout l = previous();
        QCOMPARE(parameterfile::apply(data, l), complete);
        QCOMPARE(measures(l), values);
        QCOMPARE(l.printFrame, frame);
        QCOMPARE(l.printCutMarks, cut);
        QCOMPARE(l.cardCount, qint16(10));
    }

    void unreadablePaths_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
    }
    void unreadablePaths() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.PAR"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("p.PAR")));
        if (kind == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); // opening it would wait
        PrintLayout l = previous();
        QVERIFY(!parameterfile::read(path, l));
        QCOMPARE(measures(l), Unchanged);
    }

    void largeFiles_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<double>("left");
        const QByteArray fields("7,0,0,0,85,54\r\n#TRUE#,#FALSE#\r\n");
        QTest::newRow("fields, then a great deal more") << fields + QByteArray(4 << 20, 'x') << true << 7.0;
        QTest::newRow("fields far beyond what is read")
            << QByteArray(parameterfile::MaxBytes + 10, '\n') + fields << false << 1.0;
        // A number running past the bound is not taken for the shorter number read so far.
        QTest::newRow("a number across the bound") << QByteArray(parameterfile::MaxBytes - 3, ' ') +
                                                          QByteArray("123456,0,0,0,85,54\r\n#TRUE#,#TRUE#")
                                                   << false << 1.0;
    }
    void largeFiles() {
        QFETCH(QByteArray, data);
        QFETCH(bool, complete);
        QFETCH(double, left);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("grand.PAR"));
        writeBytes(path, data);
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

    void writeToAMissingFolderFails() {
        QTemporaryDir dir;
        QVERIFY(!parameterfile::write(dir.filePath(QStringLiteral("absent/x.PAR")), PrintLayout::builtIn()));
    }
};

QTEST_GUILESS_MAIN(ParameterFileTest)
#include "tst_parameterfile.moc"
