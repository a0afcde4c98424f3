#include "CardFileSamples.h"
#include "app/CommandLine.h"
#include "card/CardFileWriter.h"
#include "card/NewCard.h"
#include "generated/BuildInfo.h"
#include "setup/ParameterFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// Installs the build into a temporary prefix, as `cmake --install` does for a person or for
// the Debian package, and checks what the desktop gets from it with the desktop's own tools.
namespace {

struct Run {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    Run r;
    if (!p.waitForStarted(10000)) {
        r.err = "cannot start " + program.toUtf8() + " (scripts/setup installs it)";
        return r;
    }
    p.waitForFinished(120000);
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(buildinfo::versionMajor)
        .arg(buildinfo::versionMinor)
        .arg(buildinfo::versionRevision);
}

// A desktop entry's keys of its [Desktop Entry] group.
QMap<QString, QString> desktopKeys(const QByteArray& text) {
    QMap<QString, QString> keys;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        const int eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

// The man page's option tags (".TP" then a .B/.BR/.BI line) in its OPTIONS section, as text.
QStringList manOptions(const QString& roff) {
    QStringList tags;
    bool inOptions = false, tagNext = false;
    for (const QString& line : roff.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String(".SH"))) {
            inOptions = line.trimmed() == QLatin1String(".SH OPTIONS");
            continue;
        }
        if (!inOptions)
            continue;
        if (line.startsWith(QLatin1String(".TP"))) {
            tagNext = true;
            continue;
        }
        if (!tagNext)
            continue;
        tagNext = false;
        const QString macro = line.section(QLatin1Char(' '), 0, 0);
        QStringList args;
        static const QRegularExpression arg(QStringLiteral("\"([^\"]*)\"|(\\S+)"));
        for (auto it = arg.globalMatch(line.mid(macro.size())); it.hasNext();) {
            const auto m = it.next();
            args << (m.captured(1).isNull() ? m.captured(2) : m.captured(1));
        }
        // .B and .I join their words with spaces, the alternating macros without.
        QString tag = args.join(macro.size() == 2 ? QStringLiteral(" ") : QString());
        tags << tag.replace(QLatin1String("\\-"), QLatin1String("-"));
    }
    return tags;
}

// The option column of `--help`: each line of the option list up to its description.
QStringList helpOptions(const QString& help) {
    QStringList tags;
    const QString list = help.section(QStringLiteral("Options :\n"), 1);
    for (const QString& line : list.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("  -")))
            tags << line.trimmed().section(QRegularExpression(QStringLiteral("\\s{2,}")), 0, 0);
    }
    return tags;
}

} // namespace

class InstallTreeTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString prefix_;
    QString desktopFile_;

    QString installed(const QString& relative) const { return prefix_ + QLatin1Char('/') + relative; }

    // The desktop's file-type lookup, with the installed types as the user's own: no desktop
    // is named, so xdg-mime asks shared-mime-info and not a desktop's own tool.
    QProcessEnvironment mimeEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
              "MATE_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("XDG_DATA_HOME"), installed(QStringLiteral("share")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share"));
        return env;
    }

    // The types the installed MIME package defines.
    QStringList definedTypes() const {
        QStringList types;
        QXmlStreamReader xml(readAll(installed(QStringLiteral("share/mime/packages/kalimo.xml"))));
        while (xml.readNextStartElement() || !xml.atEnd()) {
            if (xml.isStartElement() && xml.name() == QLatin1String("mime-type"))
                types << xml.attributes().value(QLatin1String("type")).toString();
        }
        return types;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        prefix_ = dir_.filePath(QStringLiteral("prefix"));
        desktopFile_ =
            QStringLiteral("share/applications/%1.desktop").arg(QLatin1String(buildinfo::desktopId));
        const Run r = run(QStringLiteral(KALIMO_CMAKE_COMMAND),
                          {QStringLiteral("--install"), QStringLiteral(KALIMO_BUILD_DIR),
                           QStringLiteral("--prefix"), prefix_});
        QVERIFY2(r.code == 0, r.out + r.err);
    }

    void tree_data() {
        QTest::addColumn<QString>("path");
        const QStringList paths = {
            "bin/kalimo",
            "share/kalimo/KALIMO.HLP",
            "share/kalimo/presets/CENTREE-10-85x54.PAR",
            "share/kalimo/presets/LISEZMOI.txt",
            desktopFile_,
            QStringLiteral("share/metainfo/%1.metainfo.xml").arg(QLatin1String(buildinfo::desktopId)),
            "share/mime/packages/kalimo.xml",
            "share/icons/hicolor/scalable/apps/kalimo.svg",
            "share/man/man1/kalimo.1.gz",
        };
        for (const QString& p : paths)
            QTest::newRow(qPrintable(p)) << p;
    }
    void tree() {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo(installed(path)).isFile(), qPrintable(path));
        QVERIFY(QFileInfo(installed(path)).size() > 0);
    }

    void programIsExecutableAndAlone() {
        QVERIFY(QFileInfo(installed(QStringLiteral("bin/kalimo"))).isExecutable());
        // Only the program goes into bin/: its data lives under share/kalimo.
        QCOMPARE(QDir(installed(QStringLiteral("bin"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("kalimo")});
        QCOMPARE(readAll(installed(QStringLiteral("share/kalimo/KALIMO.HLP"))),
                 readAll(QStringLiteral(KALIMO_SOURCE_DIR "/resources/help/KALIMO.HLP")));
    }

    void iconSizes_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void iconSizes() {
        QFETCH(int, size);
        const QImage icon(installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/kalimo.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        // Drawn, with a transparent corner: not an empty or a square picture.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255);
    }

    void scalableIcon() {
        QSvgRenderer svg(installed(QStringLiteral("share/icons/hicolor/scalable/apps/kalimo.svg")));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize().width(), svg.defaultSize().height());
    }

    void validators_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{installed(desktopFile_)};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net", "--pedantic",
                                                 installed(QStringLiteral("share/metainfo/%1.metainfo.xml")
                                                               .arg(QLatin1String(buildinfo::desktopId)))};
        QTest::newRow("mime package")
            << "update-mime-database" << QStringList{installed(QStringLiteral("share/mime"))};
    }
    void validators() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const Run r = run(tool, arguments);
        QVERIFY2(r.code == 0, r.out + r.err);
        // The tools also report doubts on a successful run.
        QVERIFY2(!r.out.contains("error") && !r.err.contains("error") && !r.out.contains("warning") &&
                     !r.err.contains("arning") && !r.out.contains("\nW:") && !r.out.startsWith("W:"),
                 r.out + r.err);
    }

    void desktopEntry() {
        const QMap<QString, QString> keys = desktopKeys(readAll(installed(desktopFile_)));
        QCOMPARE(keys.value("Type"), QStringLiteral("Application"));
        QCOMPARE(keys.value("Name"), QStringLiteral("Kalimo"));
        QCOMPARE(keys.value("Comment"), QStringLiteral("Créer et imprimer des cartes de visite"));
        // The program it starts is the installed one, given the chosen card.
        QCOMPARE(keys.value("Exec"), QStringLiteral("kalimo %f"));
        // The window class an X11 desktop matches to the entry: the application's name.
        QCOMPARE(keys.value("StartupWMClass"), QString::fromLatin1(buildinfo::productName));
        QVERIFY(QFileInfo(installed("bin/" + keys.value("TryExec"))).isExecutable());
        const QString icon = keys.value("Icon");
        QVERIFY(QFileInfo(installed("share/icons/hicolor/scalable/apps/" + icon + ".svg")).isFile());
        QVERIFY(QFileInfo(installed("share/icons/hicolor/48x48/apps/" + icon + ".png")).isFile());
        // It opens cards, a type the installed package defines.
        const QStringList types = keys.value("MimeType").split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QCOMPARE(types, QStringList{QStringLiteral("application/x-kalimo-card")});
        for (const QString& t : types)
            QVERIFY2(definedTypes().contains(t), qPrintable(t));
    }

    void metainfo() {
        QXmlStreamReader xml(readAll(installed(
            QStringLiteral("share/metainfo/%1.metainfo.xml").arg(QLatin1String(buildinfo::desktopId)))));
        QMap<QString, QStringList> values;
        QString release;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            static const QStringList leaves = {"id", "launchable", "binary", "developer_name", "mediatype"};
            if (name == QLatin1String("release"))
                release = xml.attributes().value(QLatin1String("version")).toString();
            else if (leaves.contains(name))
                values[name] << xml.readElementText().trimmed();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(values.value("id"), QStringList{QString::fromLatin1(buildinfo::desktopId)});
        QCOMPARE(values.value("launchable"), QStringList{QFileInfo(desktopFile_).fileName()});
        QCOMPARE(values.value("binary"), QStringList{QStringLiteral("kalimo")});
        QCOMPARE(values.value("developer_name"), QStringList{QString::fromUtf8(buildinfo::makerName)});
        QCOMPARE(release, versionText());
        for (const QString& t : values.value("mediatype"))
            QVERIFY2(definedTypes().contains(t), qPrintable(t));
    }

    void fileTypes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("type");
        CardDocument fresh;
        resetToNewCard(fresh);
        const QByteArray newCard = cardfile::toBytes(fresh);
        const QByteArray fullCard = cardfile::toBytes(samples::fullCard(QStringLiteral("/srv/logo.bmp")));
        const QByteArray builtIn = parameterfile::encode(PrintLayout::builtIn());
        // The longest first line a parameter file holds in practice.
        PrintLayout wide;
        wide.leftMargin = wide.topMargin = wide.horizontalSeparator = -12345.6789012345;
        wide.verticalSeparator = wide.cardWidth = wide.cardHeight = -98765.4321098765;
        wide.printFrame = false;
        const QByteArray wideLayout = parameterfile::encode(wide);
        wide.printFrame = true;
        const QByteArray wideFramed = parameterfile::encode(wide);
        PrintLayout noMarks;
        noMarks.printCutMarks = false;
        const QString card = QStringLiteral("application/x-kalimo-card");
        const QString layout = QStringLiteral("application/x-kalimo-parameters");

        QTest::newRow("card") << "carte.cdv" << fullCard << card;
        QTest::newRow("card, upper case") << "CARTE.CDV" << newCard << card;
        QTest::newRow("card by its content") << "carte" << fullCard << card;
        QTest::newRow("new card by its content") << "vierge" << newCard << card;
        QTest::newRow("layout") << "reglage.par" << builtIn << layout;
        QTest::newRow("layout, upper case") << "REGLAGE.PAR" << wideLayout << layout;
        QTest::newRow("layout by its content") << "reglage" << builtIn << layout;
        QTest::newRow("long layout by its content") << "reglage-large" << wideLayout << layout;
        QTest::newRow("long framed layout by its content") << "reglage-cadre" << wideFramed << layout;
        QTest::newRow("layout without cut marks") << "sans-coupe" << parameterfile::encode(noMarks) << layout;
        QTest::newRow("plain text") << "lettre" << QByteArray("Bonjour,\r\nvoici la carte.\r\n")
                                    << "text/plain";
        QTest::newRow("text naming a flag")
            << "note" << QByteArray("Le cadre vaut #TRUE#, la coupe aussi.\n") << "text/plain";
        QTest::newRow("title not at the start")
            << "extrait" << QByteArray("Copie :\r\n[Titre 1]\r\n\"\"\r\n") << "text/plain";
    }
    void fileTypes() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, type);
        const Run update =
            run(QStringLiteral("update-mime-database"), {installed(QStringLiteral("share/mime"))});
        QVERIFY2(update.code == 0, update.err);
        QTemporaryDir files;
        QVERIFY(files.isValid());
        QFile f(files.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        f.close();
        const Run r =
            run(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("filetype"), f.fileName()}, mimeEnvironment());
        QVERIFY2(r.code == 0, r.err);
        QCOMPARE(QString::fromUtf8(r.out).trimmed(), type);
    }

    void typeComments_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("comment");
        QTest::newRow("card") << "application/x-kalimo-card"
                              << "Carte de visite Kalimo";
        QTest::newRow("layout") << "application/x-kalimo-parameters"
                                << "Paramètres d'impression Kalimo";
    }
    void typeComments() {
        QFETCH(QString, type);
        QFETCH(QString, comment);
        const Run update =
            run(QStringLiteral("update-mime-database"), {installed(QStringLiteral("share/mime"))});
        QVERIFY2(update.code == 0, update.err);
        // The compiled database holds each type's description for the file manager.
        const QByteArray xml = readAll(installed("share/mime/" + type + ".xml"));
        QVERIFY2(xml.contains("<comment>" + comment.toUtf8().replace("'", "&apos;") + "</comment>") ||
                     xml.contains("<comment>" + comment.toUtf8() + "</comment>"),
                 xml);
        QVERIFY(xml.contains("<comment xml:lang=\"fr\">"));
    }

    void version() {
        const Run r = run(installed(QStringLiteral("bin/kalimo")), {QStringLiteral("--version")});
        QCOMPARE(r.code, 0);
        QCOMPARE(QString::fromUtf8(r.out), QStringLiteral("Kalimo %1\n").arg(versionText()));
    }

    // The installed program really starts its toolkit: it draws a page without a screen.
    void printsWithoutScreen() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const QString pdf = dir_.filePath(QStringLiteral("calibration.pdf"));
        const Run r =
            run(installed(QStringLiteral("bin/kalimo")), {QStringLiteral("--calibration-pdf"), pdf}, env);
        QVERIFY2(r.code == 0, r.err);
        QVERIFY(readAll(pdf).startsWith("%PDF-"));
    }

    // Where the installed program looks, it finds its help and presets under share/kalimo.
    void findsItsData() {
        const QString probe = installed(QStringLiteral("bin/kalimo_data_probe"));
        QVERIFY(QFile::copy(QStringLiteral(KALIMO_DATA_PROBE), probe));
        const Run r = run(probe, {});
        QFile::remove(probe);
        QCOMPARE(r.code, 0);
        const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QDir::cleanPath(installed(QStringLiteral("share/kalimo/KALIMO.HLP"))));
        QCOMPARE(lines.value(1), QDir::cleanPath(installed(QStringLiteral("share/kalimo/presets"))));
    }

    // The manual lists exactly the options that `kalimo --help` gives, written the same way.
    void manPageOptions() {
        const Run help = run(installed(QStringLiteral("bin/kalimo")), {QStringLiteral("--help")});
        QCOMPARE(help.code, 0);
        const QStringList fromHelp = helpOptions(QString::fromUtf8(help.out));
        QCOMPARE(fromHelp, helpOptions(CommandLine::usage()));
        QVERIFY(fromHelp.size() >= 10);
        const Run man =
            run(QStringLiteral("gzip"), {QStringLiteral("-dc"), installed("share/man/man1/kalimo.1.gz")});
        QCOMPARE(man.code, 0);
        const QString roff = QString::fromUtf8(man.out);
        QCOMPARE(manOptions(roff), fromHelp);
        QVERIFY(roff.startsWith(QStringLiteral(".TH KALIMO 1 \"%1\" \"Kalimo %2\"")
                                    .arg(QString::fromUtf8(buildinfo::noticeDate), versionText())));
    }
};

QTEST_MAIN(InstallTreeTest)
#include "tst_tree.moc"
