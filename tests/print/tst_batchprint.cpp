#include "CardFileSamples.h"
#include "PrivateCups.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// The printed PDF through the poppler tools, as a person would look at the printed page.
namespace {
QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(60000) ? p.readAllStandardOutput() : QByteArray();
}

// The boxes of the words of page 1, in millimetres from the top-left corner.
QList<QRectF> wordBoxes(const QString& pdf) {
    QList<QRectF> out;
    QXmlStreamReader xml(run("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const auto mm = [&](const char* name) { return a.value(name).toDouble() * 25.4 / 72; };
            out << QRectF(QPointF(mm("xMin"), mm("yMin")), QPointF(mm("xMax"), mm("yMax")));
        }
    return out;
}

// Whether a line, dark over a quarter of from..to at least, lies within one pixel of `at` (all in mm).
bool lineAt(const QImage& page, bool vertical, double at, double from, double to) {
    const auto px = [](double mm) { return int(mm / 25.4 * 300); };
    for (int c = px(at) - 1; c <= px(at) + 1; ++c) {
        int n = 0;
        for (int i = px(from); i <= px(to); ++i)
            n += page.valid(vertical ? c : i, vertical ? i : c) &&
                 page.pixelColor(vertical ? c : i, vertical ? i : c).value() < 128;
        if (n > (px(to) - px(from)) / 4)
            return true;
    }
    return false;
}
} // namespace

class TestBatchPrint : public QObject {
    Q_OBJECT
private slots:
    // kalimo run in a folder of its own (@), to a PDF or to a private CUPS server
    // whose queue writes the job to a file: its exit code, its message, and the cells printed.
    void printsWithoutAWindow_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("cells");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("default card") << "--pdf @/cartes.pdf" << 0 << "" << all;
        QTest::newRow("position 10") << "--pdf @/cartes.pdf --position 10" << 0 << "" << QList<int>{10};
        QTest::newRow("missing card")
            << "--pdf @/cartes.pdf absente.cdv" << 1 << "Fichier @/absente.cdv non trouvé !" << QList<int>{};
        QTest::newRow("to the default printer") << "--print @/kalimo.cdv" << 0 << "" << all;
    }

    void printsWithoutAWindow() {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QList<int>, cells);
        const bool spooler = arguments.startsWith(QLatin1String("--print"));
        if (spooler && !PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(!spooler || cups.start(&error), qPrintable(error));
        QTemporaryDir dir;
        QVERIFY(
            samples::writeFile(dir.filePath(QStringLiteral("kalimo.cdv")), samples::fullCardFile("AUCUN")));
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setProcessEnvironment(spooler ? cups.environment() : QProcessEnvironment::systemEnvironment());
        p.start(QStringLiteral(KALIMO_EXECUTABLE),
                arguments.replace('@', dir.path()).split(QLatin1Char(' ')));
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), exitCode);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(message.replace(QLatin1Char('@'), dir.path())), qPrintable(err));
        QVERIFY2(!spooler || cups.waitForOutput(60000), qPrintable(cups.log()));
        const QString pdf = spooler ? cups.outputFile() : dir.filePath(QStringLiteral("cartes.pdf"));
        QCOMPARE(QFile::exists(pdf), exitCode == 0);
        if (exitCode != 0)
            return;
        QVERIFY(QRegularExpression("Pages: +1\n").match(run("pdfinfo", {pdf})).hasMatch());
        QTemporaryDir png;
        run("pdftoppm", {"-r", "300", "-gray", "-png", "-singlefile", pdf, png.filePath("page")});
        const QImage page(png.filePath("page.png"));
        QCOMPARE(page.width(), 2481); // A4 portrait, 210 mm, at 300 dpi
        const QList<QRectF> words = wordBoxes(pdf);
        for (int n = 1; n <= 10; ++n) {
            const double x = n % 2 ? 5 : 90, y = (n - 1) / 2 * 54.0, w = 85, h = 54; // the cell
            QCOMPARE(lineAt(page, true, x + 2, y + 15, y + 50), cells.contains(n));
            if (!cells.contains(n))
                continue;
            // Frame 2 mm inside the cell, cut marks on its edges; the corners, where lines cross, left out.
            for (double in : {2, 0}) {
                QVERIFY(lineAt(page, true, x + in, y + in + 3, y + h - in - 3));
                QVERIFY(lineAt(page, true, x + w - in, y + in + 3, y + h - in - 3));
                QVERIFY(lineAt(page, false, y + in, x + in + 3, x + w - in - 3));
                QVERIFY(lineAt(page, false, y + h - in, x + in + 3, x + w - in - 3));
            }
            // Zone 3, aligned left, starts 3 mm into the card, in its lower half.
            QVERIFY(!spooler || std::any_of(words.begin(), words.end(), [&](const QRectF& word) {
                return qAbs(word.left() - x - 3) < 0.3 && word.top() > y + h / 2 && word.bottom() < y + h;
            }));
        }
    }
};

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"
