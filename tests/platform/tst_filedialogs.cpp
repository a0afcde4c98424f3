#include "TestPlatform.h"
#include "app/CardModel.h"
#include "logo/LogoCommands.h"
#include "platform/DialogPaths.h"
#include "platform/QtFileDialogs.h"
#include "platform/SaveChoice.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <unistd.h>

class TestFileDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    static void touch(const QString& path) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

private slots:
    void withExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "/home/m/carte"
                                      << "cdv"
                                      << "/home/m/carte.cdv";
        QTest::newRow("already there") << "/home/m/carte.cdv"
                                       << "cdv"
                                       << "/home/m/carte.cdv";
        QTest::newRow("in capitals") << "/home/m/CARTE.CDV"
                                     << "cdv"
                                     << "/home/m/CARTE.CDV";
        QTest::newRow("mixed case") << "/home/m/carte.Cdv"
                                    << "cdv"
                                    << "/home/m/carte.Cdv";
        QTest::newRow("another extension") << "/home/m/carte.txt"
                                           << "cdv"
                                           << "/home/m/carte.txt.cdv";
        QTest::newRow("a dot in the name") << "/home/m/M. Dupont"
                                           << "cdv"
                                           << "/home/m/M. Dupont.cdv";
        QTest::newRow("ends in a dot") << "/home/m/carte."
                                       << "cdv"
                                       << "/home/m/carte.cdv";
        QTest::newRow("only the extension") << "/home/m/.cdv"
                                            << "cdv"
                                            << "/home/m/.cdv.cdv";
        QTest::newRow("folder named .cdv") << "/home/m.cdv/carte"
                                           << "cdv"
                                           << "/home/m.cdv/carte.cdv";
        QTest::newRow("parameter file") << "/home/m/reglages"
                                        << "par"
                                        << "/home/m/reglages.par";
        QTest::newRow("parameter file in capitals") << "/home/m/R.PAR"
                                                    << "par"
                                                    << "/home/m/R.PAR";
        QTest::newRow("pdf") << "/home/m/cartes"
                             << "pdf"
                             << "/home/m/cartes.pdf";
        QTest::newRow("pdf is not cdv") << "/home/m/cartes.cdv"
                                        << "pdf"
                                        << "/home/m/cartes.cdv.pdf";
        QTest::newRow("no extension asked") << "/home/m/carte"
                                            << ""
                                            << "/home/m/carte";
        QTest::newRow("nothing typed") << ""
                                       << "cdv"
                                       << "";
    }
    void withExtension() {
        QFETCH(QString, typed);
        QFETCH(QString, extension);
        QFETCH(QString, saved);
        QCOMPARE(dialogpaths::withExtension(typed, extension), saved);
    }

    void safeFolders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("safe");
        QTest::newRow("a plain folder") << "@DIR@" << true;
        QTest::newRow("root") << "/" << true;
        QTest::newRow("/proc") << "/proc" << false;
        QTest::newRow("below /proc") << "/proc/self" << false;
        QTest::newRow("/proc through a link") << "@DIR@/lien" << false;
        QTest::newRow("/sys") << "/sys/kernel" << false;
        QTest::newRow("/dev") << "/dev" << false;
        QTest::newRow("a name that starts like /proc") << "@DIR@/proc" << true;
        QTest::newRow("missing") << "@DIR@/absent" << false;
        QTest::newRow("a file") << "@DIR@/fichier" << false;
        QTest::newRow("empty") << "" << false;
    }
    void safeFolders() {
        QFETCH(QString, folder);
        QFETCH(bool, safe);
        QDir(dir_.path()).mkpath("proc");
        QFile::link("/proc", dir_.filePath("lien"));
        touch(dir_.filePath("fichier"));
        QCOMPARE(dialogpaths::isSafeStartFolder(folder.replace("@DIR@", dir_.path())), safe);
    }

    void startPlace_data() {
        QTest::addColumn<QString>("initialName");
        QTest::addColumn<QString>("initialFolder");
        QTest::addColumn<QString>("place"); // folder|name
        QTest::newRow("absolute name wins over the folder") << "@DIR@/a/logo.bmp"
                                                            << "@DIR@/b"
                                                            << "@DIR@/a|logo.bmp";
        QTest::newRow("relative name in the folder") << "Nouveau"
                                                     << "@DIR@/b"
                                                     << "@DIR@/b|Nouveau";
        QTest::newRow("relative name, current folder") << "Cartes.pdf"
                                                       << ""
                                                       << "@DIR@/cur|Cartes.pdf";
        QTest::newRow("no name") << ""
                                 << "@DIR@/b"
                                 << "@DIR@/b|";
        QTest::newRow("after a save into /proc") << "/proc/carte.cdv"
                                                 << ""
                                                 << "@HOME@|carte.cdv";
        QTest::newRow("folder /proc") << ""
                                      << "/proc/sys"
                                      << "@HOME@|";
        QTest::newRow("folder gone") << "@DIR@/parti/x.cdv"
                                     << ""
                                     << "@HOME@|x.cdv";
    }
    void startPlace() {
        QFETCH(QString, initialName);
        QFETCH(QString, initialFolder);
        QFETCH(QString, place);
        for (const char* sub : {"a", "b", "cur"})
            QDir(dir_.path()).mkpath(sub);
        const auto at = [&](QString s) {
            return s.replace("@DIR@", dir_.path()).replace("@HOME@", "/home/m");
        };
        const dialogpaths::StartPlace p =
            dialogpaths::startPlace(at(initialName), at(initialFolder), dir_.filePath("cur"), "/home/m");
        QCOMPARE(p.folder + "|" + p.fileName, at(place));
    }

    void nameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("forOpen");
        QTest::addColumn<QStringList>("shown");
        const QString all = QtFileDialogs::allFilesFilter();
        QTest::newRow("cards, open") << "Cartes de visite (*.cdv *.CDV)|*.cdv;*.CDV" << true
                                     << QStringList{"Cartes de visite (*.cdv *.CDV)", all};
        QTest::newRow("cards, save") << "Cartes de visite (*.cdv *.CDV)|*.cdv;*.CDV" << false
                                     << QStringList{"Cartes de visite (*.cdv *.CDV)"};
        QTest::newRow("one case given")
            << "Documents PDF (*.pdf)|*.pdf" << false << QStringList{"Documents PDF (*.pdf *.PDF)"};
        QTest::newRow("label in capitals, pattern not")
            << "Fichiers Icone               (*.ICO)|*.ico" << true
            << QStringList{"Fichiers Icone (*.ico *.ICO)", all};
        QTest::newRow("two kinds in one entry")
            << "Images                 (*.GIF - *.JPG)|*.gif;*.jpg|Métafichiers Windows  (*.WMF)|*.wmf"
            << false << QStringList{"Images (*.gif *.GIF *.jpg *.JPG)", "Métafichiers Windows (*.wmf *.WMF)"};
        QTest::newRow("label without brackets")
            << "Paramètres|*.par" << false << QStringList{"Paramètres (*.par *.PAR)"};
        QTest::newRow("every file already") << "Tous les fichiers (*)|*" << true << QStringList{all};
    }
    void nameFilters() {
        QFETCH(QString, filter);
        QFETCH(bool, forOpen);
        QFETCH(QStringList, shown);
        QCOMPARE(QtFileDialogs::nameFilters(filter, forOpen), shown);
    }

    // The save dialog's final name and the replace question asked for it.
    void saveChoice_data() {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QStringList>("typed");    // the dialog's answers in turn, "" for Cancel
        QTest::addColumn<QStringList>("existing"); // files already there
        QTest::addColumn<QList<int>>("answers");   // to the replace questions: 1 yes, 0 no
        QTest::addColumn<QString>("result");       // the final path, "" when cancelled
        QTest::addColumn<QStringList>("asked");    // names in the replace questions
        QTest::addColumn<QStringList>("proposed"); // the initial name of each dialog
        QTest::newRow("new name") << "cdv" << QStringList{"carte"} << QStringList{} << QList<int>{}
                                  << "carte.cdv" << QStringList{} << QStringList{"Nouveau"};
        QTest::newRow("replace the final name, yes")
            << "pdf" << QStringList{"cartes"} << QStringList{"cartes.pdf"} << QList<int>{1} << "cartes.pdf"
            << QStringList{"cartes.pdf"} << QStringList{"Nouveau"};
        QTest::newRow("typed name exists, final does not")
            << "pdf" << QStringList{"cartes"} << QStringList{"cartes"} << QList<int>{} << "cartes.pdf"
            << QStringList{} << QStringList{"Nouveau"};
        QTest::newRow("no: the dialog again on the final name")
            << "par" << QStringList{"reglage", "autre"} << QStringList{"reglage.par"} << QList<int>{0}
            << "autre.par" << QStringList{"reglage.par"} << QStringList{"Nouveau", "@DIR@/reglage.par"};
        QTest::newRow("no, then cancel")
            << "cdv" << QStringList{"carte.cdv", ""} << QStringList{"carte.cdv"} << QList<int>{0} << ""
            << QStringList{"carte.cdv"} << QStringList{"Nouveau", "@DIR@/carte.cdv"};
        QTest::newRow("cancelled") << "cdv" << QStringList{""} << QStringList{} << QList<int>{} << ""
                                   << QStringList{} << QStringList{"Nouveau"};
    }
    void saveChoice() {
        QFETCH(QString, extension);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, existing);
        QFETCH(QList<int>, answers);
        QFETCH(QString, result);
        QFETCH(QStringList, asked);
        QFETCH(QStringList, proposed);
        QTemporaryDir here;
        for (const QString& name : existing)
            touch(here.filePath(name));
        TestPlatform tp;
        for (const QString& t : typed)
            tp.files->results.enqueue(t.isEmpty() ? QString() : here.filePath(t));
        for (int a : answers)
            tp.messages->answers << (a ? MsgAnswer::Yes : MsgAnswer::No);
        FileDialogRequest request;
        request.title = "Enregistrer Sous";
        request.initialName = "Nouveau";
        request.askBeforeReplacing = true;
        request.defaultSuffix = extension;
        const FileDialogResult chosen = chooseSavePath(*tp.files, *tp.messages, request);
        QCOMPARE(chosen.cancelled, result.isEmpty());
        QCOMPARE(chosen.path, result.isEmpty() ? QString() : here.filePath(result));
        QCOMPARE(chosen.fileTitle, result);
        QStringList names;
        for (const MessageRequest& r : tp.messages->shown) {
            QCOMPARE(r, replaceQuestion(here.filePath(r.prompt.section("« ", 1).section(" »", 0, 0)),
                                        "Enregistrer Sous"));
            names << r.prompt.section("« ", 1).section(" »", 0, 0);
        }
        QCOMPARE(names, asked);
        QStringList initial;
        for (const FileDialogRequest& r : tp.files->saves) {
            initial << QString(r.initialName).replace(here.path(), "@DIR@");
            QVERIFY(!r.askBeforeReplacing); // asked here, for the final name only
        }
        QCOMPARE(initial, proposed);
        QCOMPARE(replaceQuestion("/x/carte.cdv", "T"),
                 (MessageRequest{"Le fichier « carte.cdv » existe déjà.\rVoulez-vous le remplacer ?", "T",
                                 MsgButtons::YesNo, MsgIcon::Exclamation, 2}));
    }

    // The real dialog: given an absolute name it opens in that file's folder with the file
    // selected, whatever folder it was told besides; accepting it returns that same file.
    void realDialogStartsAtTheFile_data() {
        QTest::addColumn<bool>("open");
        QTest::newRow("the logo chooser reopened on its logo") << true;
        QTest::newRow("save as on the card") << false;
    }
    void realDialogStartsAtTheFile() {
        QFETCH(bool, open);
        QDir(dir_.path()).mkpath("Logos");
        QDir(dir_.path()).mkpath("ailleurs");
        const QString logo = dir_.filePath("Logos/société.bmp");
        QVERIFY(QImage(2, 2, QImage::Format_RGB32).save(logo, "BMP"));
        CardLogo current;
        current.RecordedPath = logo;
        FileDialogRequest request = logocommands::openRequest(current, dir_.filePath("ailleurs"));
        QString folder, selected;
        QStringList filters;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            folder = dialog->directory().absolutePath();
            selected = dialog->selectedFiles().value(0);
            filters = dialog->nameFilters();
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QtFileDialogs dialogs;
        const FileDialogResult chosen = open ? dialogs.open(request) : dialogs.save(request);
        QCOMPARE(folder, dir_.filePath("Logos"));
        QCOMPARE(selected, logo);
        QCOMPARE(chosen.path, logo);
        QCOMPARE(chosen.fileTitle, QStringLiteral("société.bmp"));
        QCOMPARE(filters.size(), open ? 11 : 10);
        QCOMPARE(filters.last() == QtFileDialogs::allFilesFilter(), open);
    }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
