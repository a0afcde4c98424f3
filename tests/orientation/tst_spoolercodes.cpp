#include "PrivateCups.h"
#include "platform/CupsSpooler.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The spooler's codes both ways, each on its own (the menu entries store the orientation and
// then the paper, so that a slip in one could hide behind the other): what is written into the
// person's options for each code, and what each form found there reads as.
class SpoolerCodesTest : public QObject {
    Q_OBJECT
    PrivateCups cups_;
    QString lpoptions_; // libcups reads HOME once: one server for the whole program

    QString personOptions() const {
        QFile file(lpoptions_);
        QStringList words =
            QString(file.open(QIODevice::ReadOnly) ? file.readAll() : "").simplified().split(' ');
        words = words.mid(2); // "Dest kalimo-test"
        words.sort();
        return words.join(' ');
    }

private slots:
    void initTestCase() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        QString error;
        QVERIFY2(cups_.start(&error) && QDir(cups_.home()).mkpath(".cups"), qPrintable(error));
        lpoptions_ = cups_.home() + "/.cups/lpoptions";
    }

    void written_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("options"); // "" when the store is refused
        QTest::newRow("portrait") << int(PrinterField::Orientation) << 1 << "orientation-requested=3";
        QTest::newRow("landscape") << int(PrinterField::Orientation) << 2 << "orientation-requested=4";
        QTest::newRow("orientation 3 refused") << int(PrinterField::Orientation) << 3 << "";
        QTest::newRow("one-sided") << int(PrinterField::Duplex) << 1 << "sides=one-sided";
        QTest::newRow("long edge") << int(PrinterField::Duplex) << 2 << "sides=two-sided-long-edge";
        QTest::newRow("short edge") << int(PrinterField::Duplex) << 3 << "sides=two-sided-short-edge";
        QTest::newRow("duplex 4 refused") << int(PrinterField::Duplex) << 4 << "";
        QTest::newRow("A4") << int(PrinterField::PaperSize) << 1 << "media=iso_a4_210x297mm";
        QTest::newRow("paper 2 refused") << int(PrinterField::PaperSize) << 2 << "";
    }
    void written() {
        QFETCH(int, field);
        QFETCH(int, code);
        QFETCH(QString, options);
        QFile::remove(lpoptions_);
        PrinterDefaults d;
        (field == PrinterField::Orientation ? d.orientation
         : field == PrinterField::Duplex    ? d.duplex
                                            : d.paperSize) = code;
        QCOMPARE(CupsSpooler().storeDefaults(cups_.queueName(), d, quint32(field)), !options.isEmpty());
        QCOMPARE(personOptions(), options);
    }

    void read_data() {
        QTest::addColumn<QString>("options"); // the person's, as another program may have written them
        QTest::addColumn<QString>("codes");   // orientation, duplex, paper
        QTest::newRow("nothing stored: the queue's own") << ""
                                                         << "1 1 1";
        QTest::newRow("portrait") << "orientation-requested=3"
                                  << "1 1 1";
        QTest::newRow("landscape") << "orientation-requested=4"
                                   << "2 1 1";
        QTest::newRow("reverse landscape") << "orientation-requested=5"
                                           << "2 1 1";
        QTest::newRow("reverse portrait") << "orientation-requested=6"
                                          << "1 1 1";
        QTest::newRow("one-sided") << "sides=one-sided"
                                   << "1 1 1";
        QTest::newRow("long edge") << "sides=two-sided-long-edge"
                                   << "1 2 1";
        QTest::newRow("short edge") << "sides=two-sided-short-edge"
                                    << "1 3 1";
        QTest::newRow("A4 by name") << "media=iso_a4_210x297mm"
                                    << "1 1 1";
        QTest::newRow("letter") << "media=na_letter_8.5x11in"
                                << "1 1 0";
        QTest::newRow("letter by page size") << "PageSize=Letter"
                                             << "1 1 0";
    }
    void read() {
        QFETCH(QString, options);
        QFETCH(QString, codes);
        QFile file(lpoptions_);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(("Dest " + cups_.queueName() + ' ' + options + '\n').toUtf8()) > 0);
        file.close();
        const std::optional<PrinterDefaults> d = CupsSpooler().storedDefaults(cups_.queueName());
        QVERIFY(d);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(d->orientation).arg(d->duplex).arg(d->paperSize), codes);
    }
};

QTEST_GUILESS_MAIN(SpoolerCodesTest)
#include "tst_spoolercodes.moc"
