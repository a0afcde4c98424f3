#include "CardFileSamples.h"
#include "app/CommandLine.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file's bytes, its name given as the system's bytes.
QByteArray contentOf(const QByteArray& path) {
    QByteArray out;
    if (std::FILE* f = std::fopen(path.constData(), "rb")) {
        char buffer[4096];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, f))
            out.append(buffer, qsizetype(n));
        std::fclose(f);
    }
    return out;
}

// Every entry of the folder with its bytes (a link as "-> target").
QMap<QByteArray, QByteArray> folderContent(const QString& folder) {
    QMap<QByteArray, QByteArray> out;
    DIR* d = ::opendir(QFile::encodeName(folder).constData());
    while (dirent* e = d ? ::readdir(d) : nullptr) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        const QByteArray path = QFile::encodeName(folder) + '/' + name;
        struct stat st {};
        ::lstat(path.constData(), &st);
        if (S_ISREG(st.st_mode))
            out[name] = contentOf(path);
        else if (S_ISLNK(st.st_mode))
            out[name] = "-> " + QFileInfo(filename::fromBytes(path)).symLinkTarget().toUtf8();
        else
            out[name] = S_ISFIFO(st.st_mode) ? "(pipe)" : "(folder)";
    }
    if (d)
        ::closedir(d);
    return out;
}

} // namespace

// kalimo --pdf run in a folder of its own (@) that holds a card, a parameter file, a text file,
// an old PDF, a folder, a named pipe and a link to the card.
class PdfOutputTest : public QObject {
    Q_OBJECT
private slots:
    // Each output the page must not go to, and the ones it may: the exit code, the message,
    // which file changed (every other one byte for byte as it was), and what standard output got.
    void outputs_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("pdfOnStandardOutput");
        const QString notAPdf = "Le fichier %1 existe et n'est pas un PDF : il n'est pas remplacé "
                                "(--force pour le remplacer).";
        const QString input = "Le fichier %1 est aussi un fichier à lire : la page n'y est pas écrite.";
        const QString device = "%1 n'est pas un fichier ordinaire : la page n'y est pas écrite.";
        QTest::newRow("output name forgotten")
            << "--pdf carte.cdv" << 1 << notAPdf.arg("carte.cdv") << "" << false;
        QTest::newRow("card as its own output")
            << "--pdf carte.cdv carte.cdv" << 1 << input.arg("carte.cdv") << "" << false;
        QTest::newRow("card as output, forced")
            << "--force --pdf carte.cdv carte.cdv" << 1 << input.arg("carte.cdv") << "" << false;
        QTest::newRow("card by its full name")
            << "--pdf @/carte.cdv carte.cdv" << 1 << input.arg("@/carte.cdv") << "" << false;
        QTest::newRow("link to the card")
            << "--pdf lien.pdf carte.cdv" << 1 << input.arg("lien.pdf") << "" << false;
        QTest::newRow("parameters as output")
            << "--pdf p.par --par p.par" << 1 << input.arg("p.par") << "" << false;
        QTest::newRow("parameters as output, forced")
            << "--pdf p.par --force --par p.par" << 1 << input.arg("p.par") << "" << false;
        QTest::newRow("text file") << "--pdf notes.txt" << 1 << notAPdf.arg("notes.txt") << "" << false;
        QTest::newRow("text file, forced") << "--pdf notes.txt --force" << 0 << ""
                                           << "notes.txt" << false;
        QTest::newRow("old PDF") << "--pdf ancien.pdf" << 0 << ""
                                 << "ancien.pdf" << false;
        QTest::newRow("new name") << "--pdf neuf.pdf carte.cdv" << 0 << ""
                                  << "neuf.pdf" << false;
        QTest::newRow("folder") << "--pdf dossier" << 1 << device.arg("dossier") << "" << false;
        QTest::newRow("named pipe") << "--pdf tube" << 1 << device.arg("tube") << "" << false;
        QTest::newRow("device") << "--pdf /dev/null --force" << 1 << device.arg("/dev/null") << "" << false;
        QTest::newRow("standard output") << "--pdf - carte.cdv" << 0 << ""
                                         << "" << true;
        QTest::newRow("standard output by name") << "--pdf /dev/stdout" << 0 << ""
                                                 << "" << true;
        QTest::newRow("parameters named by a pattern")
            << "--pdf neuf.pdf --par *.par" << 1 << "Fichier *.par non trouvé !"
            << "" << false;
        QTest::newRow("parameters that are a pipe")
            << "--pdf neuf.pdf --par tube" << 1 << "Fichier tube non trouvé !"
            << "" << false;
        QTest::newRow("force without a PDF")
            << "--force carte.cdv" << 2 << "L'option --force ne sert qu'avec --pdf."
            << "" << false;
        QTest::newRow("force with a printer")
            << "--print --force" << 2 << "L'option --force ne sert qu'avec --pdf."
            << "" << false;
    }
    void outputs() {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QString, written);
        QFETCH(bool, pdfOnStandardOutput);
        QTemporaryDir dir;
        const auto put = [&](const char* name, const QByteArray& bytes) {
            QVERIFY(samples::writeFile(dir.filePath(name), bytes));
        };
        put("carte.cdv", samples::fullCardFile("AUCUN"));
        put("p.par", "5,0,0,0,85,54\r\n#TRUE#,#FALSE#\r\n");
        put("notes.txt", "à garder\n");
        put("ancien.pdf", "%PDF-1.4 old\n");
        QVERIFY(QDir(dir.path()).mkdir("dossier"));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("tube")).constData(), 0644), 0);
        QVERIFY(QFile::link(dir.filePath("carte.cdv"), dir.filePath("lien.pdf")));
        const auto before = folderContent(dir.path());
        struct stat null {};
        QCOMPARE(::stat("/dev/null", &null), 0);

        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(KALIMO_EXECUTABLE, arguments.replace('@', dir.path()).split(' '));
        QVERIFY(p.waitForFinished(120000));

        QCOMPARE(p.exitCode(), exitCode);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(message.replace('@', dir.path())), qPrintable(err));
        const QByteArray out = p.readAllStandardOutput();
        QCOMPARE(out.startsWith("%PDF-1.") && out.trimmed().endsWith("%%EOF"), pdfOnStandardOutput);
        auto after = folderContent(dir.path());
        if (!written.isEmpty()) {
            QVERIFY(after.value(written.toUtf8()).startsWith("%PDF-1."));
            QVERIFY(after.value(written.toUtf8()).trimmed().endsWith("%%EOF"));
            after[written.toUtf8()] = before.value(written.toUtf8());
            after.remove("neuf.pdf");
        }
        QCOMPARE(after, before);
        struct stat nullAfter {};
        QCOMPARE(::stat("/dev/null", &nullAfter), 0);
        QVERIFY(S_ISCHR(nullAfter.st_mode));
        QCOMPARE(nullAfter.st_ino, null.st_ino);
    }

    // Names as the system gives them: a Latin-1 card name opens, and the PDF gets exactly
    // the name asked for, both passed as bytes that are not UTF-8.
    void latin1Names() {
        QTemporaryDir dir;
        const QByteArray card = QFile::encodeName(dir.path()) + "/caf\xe9.cdv";
        const QByteArray content = samples::fullCardFile("AUCUN");
        std::FILE* f = std::fopen(card.constData(), "wb"); // Qt's file names are UTF-8 only
        QVERIFY(f);
        std::fwrite(content.constData(), 1, std::size_t(content.size()), f);
        std::fclose(f);
        QProcess p;
        p.setWorkingDirectory(dir.path());
        // The shell hands kalimo the bytes as they are.
        p.start("sh",
                {"-c", "exec \"$0\" --pdf \"$(printf 'r\\351sultat.pdf')\" \"$(printf 'caf\\351.cdv')\"",
                 KALIMO_EXECUTABLE});
        QVERIFY(p.waitForFinished(120000));
        const QByteArray err = p.readAllStandardError();
        QVERIFY2(p.exitCode() == 0 && !err.contains("Erreur") && !err.contains("Fichier"), err.constData());
        const auto files = folderContent(dir.path());
        QCOMPARE(files.keys(), (QList<QByteArray>{"caf\xe9.cdv", "r\xe9sultat.pdf"}));
        QVERIFY(files.value("r\xe9sultat.pdf").startsWith("%PDF-1."));
        // Names Qt cannot remove.
        ::unlink(card.constData());
        ::unlink((QFile::encodeName(dir.path()) + "/r\xe9sultat.pdf").constData());
    }

    // Standard output closed: the page cannot go out, and the run says so.
    void standardOutputClosed() {
        QProcess p;
        p.start("sh", {"-c", "exec \"$0\" --pdf - >&-", KALIMO_EXECUTABLE});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("La page n'a pas pu être écrite sur la sortie standard."));
    }

    // The options as parsed: --force is kept, and only goes with --pdf.
    void forceOption_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("error");
        QTest::newRow("not given") << "--pdf x.pdf" << false << "";
        QTest::newRow("before") << "--force --pdf x.pdf" << true << "";
        QTest::newRow("after") << "--pdf x.pdf --force c.cdv" << true << "";
        QTest::newRow("alone") << "--force" << false << "L'option --force ne sert qu'avec --pdf.";
        QTest::newRow("with --print")
            << "--print --force" << false << "L'option --force ne sert qu'avec --pdf.";
        QTest::newRow("dash as output") << "--pdf -" << false << "";
    }
    void forceOption() {
        QFETCH(QString, arguments);
        QFETCH(bool, force);
        QFETCH(QString, error);
        const CommandLine c = CommandLine::parse(("kalimo " + arguments).split(' '));
        QCOMPARE(c.error, error);
        QCOMPARE(c.action, error.isEmpty() ? CommandLine::Action::Print : CommandLine::Action::Error);
        if (error.isEmpty())
            QCOMPARE(c.print.force, force);
        if (arguments == "--pdf -")
            QCOMPARE(c.print.pdfPath, QString("-"));
    }
};

QTEST_MAIN(PdfOutputTest)
#include "tst_pdfoutput.moc"
