#include "CardFileSamples.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// kalimo --pdf / --print for the inputs a script gets wrong: a parameter file of the six
// measures alone, no card to print, a card whose logo file is gone. The exit code, what
// standard error says, and where the page put the cells.
namespace {

struct Run {
    int exitCode = -1;
    QString err;
};

Run kalimo(const QString& folder, const QStringList& arguments) {
    QProcess p;
    p.setWorkingDirectory(folder);
    // No spooler anywhere: a print that reached it would fail loudly.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", folder + "/no-server.sock");
    env.insert("XDG_RUNTIME_DIR", folder); // else Qt says on standard error that it is missing
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KALIMO_EXECUTABLE), arguments);
    Run r;
    if (p.waitForFinished(60000))
        r.exitCode = p.exitCode();
    r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return r;
}

// Whether a vertical line, dark over a quarter of y0..y1 at least (a dash-dot line is), is
// drawn at x (mm) in the page at 150 dpi.
bool verticalLineAt(const QImage& page, double x, double y0, double y1) {
    const auto px = [](double mm) { return int(mm / 25.4 * 150); };
    for (int c = px(x) - 1; c <= px(x) + 1; ++c) {
        int n = 0;
        for (int r = px(y0); r < px(y1); ++r)
            n += qGray(page.pixel(c, r)) < 160;
        if (n > (px(y1) - px(y0)) / 4)
            return true;
    }
    return false;
}

} // namespace

class TestBatchMessages : public QObject {
    Q_OBJECT
private slots:
    void inputs_data() {
        QTest::addColumn<QString>("arguments"); // @: the test's folder
        QTest::addColumn<QByteArray>("par");    // written to @/MISE.PAR
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("firstCutX"); // where the left cut mark of card 1 falls; 0: no page
        QTest::newRow("six measures, flags kept")
            << "--pdf @/out.pdf --par @/MISE.PAR" << QByteArray("20,13.5,0,0,85,54\r\n") << 0 << "" << 20.0;
        QTest::newRow("six measures on one line, no line end")
            << "--pdf @/out.pdf --par @/MISE.PAR" << QByteArray("12,13.5,0,0,85,54") << 0 << "" << 12.0;
        QTest::newRow("eight fields")
            << "--pdf @/out.pdf --par @/MISE.PAR" << QByteArray("30,13.5,0,0,85,54\r\n#TRUE#,#TRUE#\r\n") << 0
            << "" << 30.0;
        QTest::newRow("five measures")
            << "--pdf @/out.pdf --par @/MISE.PAR" << QByteArray("20,13.5,0,0,85\r\n") << 1
            << "Erreur de lecture du fichier de paramètres @/MISE.PAR !" << 0.0;
        QTest::newRow("print no card")
            << "--print --copies 0" << QByteArray() << 1
            << "Aucune carte à imprimer (--copies 0) : rien n'a été envoyé à l'imprimante." << 0.0;
        QTest::newRow("print no card, layout given")
            << "--print --copies 0 --par @/MISE.PAR" << QByteArray("20,13.5,0,0,85,54\r\n") << 1
            << "Aucune carte à imprimer (--copies 0) : rien n'a été envoyé à l'imprimante." << 0.0;
        QTest::newRow("missing logo: warned, printed") << "--pdf @/out.pdf @/logo.cdv" << QByteArray() << 0
                                                       << "Fichier icone @/parti.bmp non trouvé !" << 5.0;
    }

    void inputs() {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, par);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(double, firstCutX);
        QTemporaryDir dir;
        if (!par.isEmpty())
            QVERIFY(samples::writeFile(dir.filePath("MISE.PAR"), par));
        QVERIFY(
            samples::writeFile(dir.filePath("logo.cdv"), samples::fullCardFile(dir.filePath("parti.bmp"))));
        const Run r = kalimo(dir.path(), arguments.replace('@', dir.path()).split(' '));
        QCOMPARE(r.err, message.replace('@', dir.path()));
        QCOMPARE(r.exitCode, exitCode);
        const QString pdf = dir.filePath("out.pdf");
        QCOMPARE(QFile::exists(pdf), firstCutX > 0);
        if (firstCutX == 0)
            return;
        QProcess::execute("pdftoppm",
                          {"-r", "150", "-gray", "-png", "-singlefile", pdf, dir.filePath("page")});
        const QImage page(dir.filePath("page.png"));
        QVERIFY(!page.isNull());
        QVERIFY(verticalLineAt(page, firstCutX, 20, 50));     // cut mark
        QVERIFY(verticalLineAt(page, firstCutX + 2, 20, 50)); // frame
        QVERIFY(!verticalLineAt(page, firstCutX - 3, 20, 50));
    }

    // Text copied from the exported PDF keeps its spaces: no tab in the text layer.
    void textLayerHasSpaces() {
        QTemporaryDir dir;
        QVERIFY(samples::writeFile(dir.filePath("kalimo.cdv"), samples::fullCardFile("AUCUN")));
        const QString pdf = dir.filePath("out.pdf");
        QCOMPARE(kalimo(dir.path(), {"--pdf", pdf, dir.filePath("kalimo.cdv")}).exitCode, 0);
        QProcess text;
        text.start("pdftotext", {"-f", "1", "-l", "1", pdf, "-"});
        QVERIFY(text.waitForFinished(60000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* expected : {"Jean Dupont", "Société \"Kalimo\"", "Tél. 01 23 45 67 89"})
            QVERIFY2(words.contains(QString::fromUtf8(expected)), qPrintable(words));
        QVERIFY2(!words.contains('\t'), qPrintable(words));
    }
};

QTEST_MAIN(TestBatchMessages)
#include "tst_batchmessages.moc"
