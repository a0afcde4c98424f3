#include "app/CommandLine.h"
#include "app/SharedProcedures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SharedProceduresTest : public QObject {
    Q_OBJECT
private slots:
    void centre_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("smaller window") << QSize(28800, 16200) << QSize(9000, 7000) << QPoint(9900, 4600);
        QTest::newRow("larger than the screen")
            << QSize(12000, 9000) << QSize(15000, 12000) << QPoint(-1500, -1500);
        QTest::newRow("same size") << QSize(9000, 6000) << QSize(9000, 6000) << QPoint(0, 0);
    }
    void centre() {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(QPoint, topLeft);
        QCOMPARE(centredTopLeftTwips(screen, window), topLeft);
    }

    void fileExists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing file") << "carte.cdv" << true;
        QTest::newRow("missing file") << "autre.cdv" << false;
        QTest::newRow("folder is not a file") << "dossier" << false;
        QTest::newRow("wildcard matching a file") << "*.cdv" << true;
        QTest::newRow("question mark") << "cart?.cdv" << true;
        QTest::newRow("wildcard matching only a folder") << "dos*" << false;
        QTest::newRow("wildcard matching nothing") << "*.par" << false;
        QTest::newRow("empty") << "" << false;
    }
    void fileExists() {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("carte.cdv")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier")));
        QCOMPARE(FichierExiste(name.isEmpty() ? QString() : dir.filePath(name)), exists);
    }

    void addSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("result");
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("folder") << "/home/marie"
                                << "/home/marie/";
        QTest::newRow("already ends with one") << "/home/marie/"
                                               << "/home/marie/";
        QTest::newRow("empty") << ""
                               << "/";
    }
    void addSeparator() {
        QFETCH(QString, folder);
        QFETCH(QString, result);
        QCOMPARE(AjouteBarre(folder), result);
    }

    void cardPath_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("path");
        QTest::newRow("absolute") << "/srv/cartes/Client.cdv"
                                  << "/srv/cartes/Client.cdv";
        QTest::newRow("quoted") << "\"/srv/mes cartes/Client.cdv\""
                                << "/srv/mes cartes/Client.cdv";
        QTest::newRow("relative") << "Client.cdv"
                                  << "/home/marie/Client.cdv";
        QTest::newRow("relative in a subfolder") << "clients/Client.cdv"
                                                 << "/home/marie/clients/Client.cdv";
    }
    void cardPath() {
        QFETCH(QString, argument);
        QFETCH(QString, path);
        QCOMPARE(cardPathFromArgument(argument, QStringLiteral("/home/marie")), path);
        QCOMPARE(cardPathFromArgument(argument, QStringLiteral("/home/marie/")), path);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("card");
        QTest::newRow("none") << QStringList{"kalimo"} << int(CommandLine::Action::Run) << "";
        QTest::newRow("card") << QStringList{"kalimo", "a.cdv"} << int(CommandLine::Action::Run) << "a.cdv";
        QTest::newRow("help") << QStringList{"kalimo", "--help"} << int(CommandLine::Action::Help) << "";
        QTest::newRow("version") << QStringList{"kalimo", "--version"} << int(CommandLine::Action::Version)
                                 << "";
        QTest::newRow("unknown option")
            << QStringList{"kalimo", "--bogus"} << int(CommandLine::Action::Error) << "";
        QTest::newRow("two cards") << QStringList{"kalimo", "a.cdv", "b.cdv"}
                                   << int(CommandLine::Action::Error) << "a.cdv";
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, card);
        const CommandLine c = CommandLine::parse(arguments);
        QCOMPARE(int(c.action), action);
        QCOMPARE(c.cardArgument, card);
        if (c.action == CommandLine::Action::Error)
            QVERIFY(!c.error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(SharedProceduresTest)
#include "tst_sharedprocedures.moc"
