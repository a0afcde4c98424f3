#include "app/ShippedData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The program's data is found beside it in the build tree, or in ../share/kalimo once installed.
class ShippedDataTest : public QObject {
    Q_OBJECT

    // Creates the files (a name ending in "/" is a folder) under a fresh root.
    static QString makeTree(QTemporaryDir& root, const QStringList& files) {
        for (const QString& name : files) {
            const QString path = root.filePath(name);
            if (name.endsWith(QLatin1Char('/'))) {
                QDir().mkpath(path);
                continue;
            }
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly))
                return path;
        }
        return {};
    }

private slots:
    void lookup_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("program"); // the program's folder, under the root
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected"); // under the root; empty: not found

        QTest::newRow("build tree") << QStringList{"build/kalimo", "build/KALIMO.HLP"} << "build"
                                    << "KALIMO.HLP"
                                    << "build/KALIMO.HLP";
        QTest::newRow("installed") << QStringList{"usr/bin/kalimo", "usr/share/kalimo/KALIMO.HLP"}
                                   << "usr/bin"
                                   << "KALIMO.HLP"
                                   << "usr/share/kalimo/KALIMO.HLP";
        QTest::newRow("beside the program first")
            << QStringList{"usr/bin/KALIMO.HLP", "usr/share/kalimo/KALIMO.HLP"} << "usr/bin"
            << "KALIMO.HLP"
            << "usr/bin/KALIMO.HLP";
        QTest::newRow("folder installed")
            << QStringList{"opt/k/bin/", "opt/k/share/kalimo/presets/A.PAR"} << "opt/k/bin"
            << "presets"
            << "opt/k/share/kalimo/presets";
        QTest::newRow("folder in build tree")
            << QStringList{"build/presets/A.PAR", "share/kalimo/presets/B.PAR"} << "build"
            << "presets"
            << "build/presets";
        QTest::newRow("file inside a folder")
            << QStringList{"usr/bin/", "usr/share/kalimo/presets/A.PAR"} << "usr/bin"
            << "presets/A.PAR"
            << "usr/share/kalimo/presets/A.PAR";
        QTest::newRow("nowhere") << QStringList{"usr/bin/kalimo"} << "usr/bin"
                                 << "KALIMO.HLP"
                                 << "";
        QTest::newRow("another program's share")
            << QStringList{"usr/bin/", "usr/share/other/KALIMO.HLP", "usr/share/KALIMO.HLP"} << "usr/bin"
            << "KALIMO.HLP"
            << "";
        QTest::newRow("not above the prefix")
            << QStringList{"usr/bin/", "share/kalimo/KALIMO.HLP"} << "usr/bin"
            << "KALIMO.HLP"
            << "";
        QTest::newRow("other name") << QStringList{"usr/bin/", "usr/share/kalimo/kalimo.hlp"} << "usr/bin"
                                    << "KALIMO.HLP"
                                    << "";
    }
    void lookup() {
        QFETCH(QStringList, files);
        QFETCH(QString, program);
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QCOMPARE(makeTree(root, files), QString());
        const QString found = shippedDataPath(relative, root.filePath(program));
        QCOMPARE(found, expected.isEmpty() ? QString() : root.filePath(expected));
        // The help file's lookup is the same, with a name to show when nothing is found.
        if (relative == QLatin1String("KALIMO.HLP"))
            QCOMPARE(shippedHelpFile(root.filePath(program)),
                     root.filePath(expected.isEmpty() ? program + "/KALIMO.HLP" : expected));
    }

    // A folder given with a trailing slash, as the platform may report it.
    void programFolderWithSlash() {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QCOMPARE(makeTree(root, {"usr/bin/", "usr/share/kalimo/KALIMO.HLP"}), QString());
        QCOMPARE(shippedHelpFile(root.filePath("usr/bin/")), root.filePath("usr/share/kalimo/KALIMO.HLP"));
        QCOMPARE(shippedHelpFile(QStringLiteral("/opt/kalimo/")), QStringLiteral("/opt/kalimo/KALIMO.HLP"));
    }
};

QTEST_GUILESS_MAIN(ShippedDataTest)
#include "tst_shippeddata.moc"
