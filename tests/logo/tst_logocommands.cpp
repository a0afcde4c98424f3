#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/LogoCommands.h"
#include "logo/LogoUnits.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString rectText(const QRectF& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What the preview shows, named by the colour of the test file it came from.
QString pictureName(const Picture& p, const Picture& builtIn) {
    if (p.isNull())
        return QStringLiteral("none");
    if (p.image() == builtIn.image())
        return QStringLiteral("builtin");
    const QColor c = p.image().pixelColor(0, 0);
    return c == Qt::red ? "red" : c == Qt::blue ? "blue" : c == Qt::green ? "wide" : "other";
}

} // namespace

class LogoCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // Each step acts as a person does; after each, the logo reads
    // "Path|RecordedPath|picture|loads so far|messages so far[|box in twips]", {name} standing
    // for a test file and the box being the start-up one unless given.
    void states_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states");
        QTest::newRow("chosen, empty result, chosen again")
            << QStringList{"choose {red.bmp}", "toolbar", "dblclick {red.bmp}"}
            << QStringList{"{red.bmp}|{red.bmp}|red|1|0", "|{red.bmp}|red|1|0",
                           "{red.bmp}|{red.bmp}|red|2|0"};
        QTest::newRow("failed load") << QStringList{"choose {red.bmp}", "choose {broken.bmp}",
                                                    "choose {absent.bmp}"}
                                     << QStringList{"{red.bmp}|{red.bmp}|red|1|0",
                                                    "{broken.bmp}|{red.bmp}|red|2|1",
                                                    "{absent.bmp}|{red.bmp}|red|3|2"};
        QTest::newRow("removed, then an empty result")
            << QStringList{"choose {blue.png}", "remove", "choose"}
            << QStringList{"{blue.png}|{blue.png}|blue|1|0", "AUCUN||none|1|0", "||none|1|0"};
        QTest::newRow("removed after a resize keeps the margins")
            << QStringList{"box 10 20 30 40", "remove"}
            << QStringList{"||builtin|0|0|567,1134,1701,2268", "AUCUN||none|0|0|567,1134,630,630"};
        QTest::newRow("pasted twice, loaded each time")
            << QStringList{"copy {blue.png}", "paste", "paste"}
            << QStringList{"||builtin|0|0", "{blue.png}|{blue.png}|blue|1|0",
                           "{blue.png}|{blue.png}|blue|2|0"};
        // The viewer copies paths in upper case; the disk keeps the real spelling.
        QTest::newRow("pasted from an upper-case path")
            << QStringList{"COPY {blue.png}", "paste"}
            << QStringList{"||builtin|0|0", "{blue.png}|{blue.png}|blue|1|0"};
        QTest::newRow("paste with nothing copied") << QStringList{"paste"} << QStringList{"||builtin|0|0"};
        QTest::newRow("paste of a file that is no picture")
            << QStringList{"choose {red.bmp}", "copy {broken.bmp}", "paste"}
            << QStringList{"{red.bmp}|{red.bmp}|red|1|0", "{red.bmp}|{red.bmp}|red|1|0",
                           "{broken.bmp}|{red.bmp}|red|2|1"};
        QTest::newRow("a wide picture fills the square box")
            << QStringList{"choose {wide.bmp}"} << QStringList{"{wide.bmp}|{wide.bmp}|wide|1|0"};
    }
    void states() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, states);
        QTemporaryDir dir;
        const struct {
            const char* name;
            QSize size;
            Qt::GlobalColor colour;
        } pictures[] = {{"red.bmp", {16, 16}, Qt::red},
                        {"blue.png", {16, 16}, Qt::blue},
                        {"wide.bmp", {40, 10}, Qt::green}};
        for (const auto& p : pictures) {
            QImage img(p.size, QImage::Format_RGB32);
            img.fill(p.colour);
            QVERIFY(img.save(dir.filePath(p.name)));
        }
        QFile broken(dir.filePath("broken.bmp"));
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("BM pas une image") > 0);
        broken.close();
        const auto expand = [&dir](QString text) {
            static const QRegularExpression name(QStringLiteral("\\{([^}]*)\\}"));
            for (auto it = name.globalMatch(text); it.hasNext();) {
                const auto match = it.next();
                text.replace(match.captured(0), dir.filePath(match.captured(1)));
            }
            return text;
        };
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        CardLogo& logo = m.card.Logo;
        const Picture builtIn = logo.picture;
        QVERIFY(!builtIn.isNull());
        QVERIFY(!w.Command11->isEnabled());

        for (int i = 0; i < steps.size(); ++i) {
            const QStringList words = expand(steps[i]).split(QLatin1Char(' '));
            const QString& verb = words[0];
            if (verb == "choose" || verb == "dblclick" || verb == "toolbar") {
                const QString recorded = logo.RecordedPath;
                tp.files->chooseNext(words.value(1));
                if (verb == "choose")
                    QTest::mouseClick(w.Command3, Qt::LeftButton);
                else if (verb == "dblclick")
                    QTest::mouseDClick(w.Picture2, Qt::LeftButton);
                else
                    w.Toolbar1_ButtonClick(9);
                QVERIFY(tp.files->results.isEmpty());
                const FileDialogRequest& open = tp.files->opens.last();
                QCOMPARE(open.title, QStringLiteral("Ouvrir un icone"));
                QCOMPARE(open.initialFolder, QStringLiteral("/home/marie/cartes"));
                QCOMPARE(open.initialName, recorded);
                QCOMPARE(open.filter, logocommands::fileFilter());
            } else if (verb == "remove") {
                const QPointF margins(logo.Left, logo.Top);
                QTest::mouseClick(w.Command6, Qt::LeftButton);
                QCOMPARE(QSizeF(logo.Width, logo.Height), QSizeF(630 / 56.7, 630 / 56.7));
                QCOMPARE(QPointF(logo.Left, logo.Top), margins);
            } else if (verb.compare("copy", Qt::CaseInsensitive) == 0) {
                // What the image viewer's copy button does.
                m.CopiedImagePath = verb == "COPY" ? words[1].toUpper() : words[1];
                w.Command11->setEnabled(true);
            } else if (verb == "paste") {
                // A disabled button takes no click: call its handler.
                if (w.Command11->isEnabled())
                    QTest::mouseClick(w.Command11, Qt::LeftButton);
                else
                    w.Command11_Click();
            } else if (verb == "box") {
                logo.Left = words[1].toDouble();
                logo.Top = words[2].toDouble();
                logobox::setLeftMm(logo, logo.Left);
                logobox::setTopMm(logo, logo.Top);
                logobox::setWidthMm(logo, words[3].toDouble());
                logobox::setHeightMm(logo, words[4].toDouble());
                w.placeLogoBox();
            }
            const QStringList expected = (expand(states[i]) + "|240,240,630,630").split(QLatin1Char('|'));
            QCOMPARE(logo.Path, expected[0]);
            QCOMPARE(logo.RecordedPath, expected[1]);
            QCOMPARE(pictureName(w.Picture2->picture(), builtIn), expected[2]);
            QCOMPARE(pictureName(logo.picture, builtIn), expected[2]);
            QCOMPARE(QString::number(tp.pictures->requests.size()), expected[3]);
            QCOMPARE(QString::number(tp.messages->shown.size()), expected[4]);
            QCOMPARE(rectText(logo.boxTwips), expected[5]);
            const QRectF& box = logo.boxTwips;
            QCOMPARE(w.Picture2->geometry(), QRect(qRound(box.x() / 15), qRound(box.y() / 15),
                                                   qRound(box.width() / 15), qRound(box.height() / 15)));
        }
        for (const MessageRequest& shown : tp.messages->shown)
            QVERIFY(shown == logocommands::unsupportedPicture());
    }

    // Seven entries, each a description padded with blanks, its bracket, then the patterns.
    void filter() {
        const auto entry = [](const char* words, int blanks, const char* bracket, const char* patterns) {
            return words + QString(blanks, QLatin1Char(' ')) + bracket + "|" + patterns;
        };
        QCOMPARE(logocommands::fileFilter(),
                 (QStringList{entry("Fichiers Icone", 15, "(*.ICO)", "*.ico"),
                              entry("Fichiers curseurs", 11, "(*.CUR)", "*.cur"),
                              entry("Image en mode point", 4, "(*.BMP)", "*.bmp"),
                              entry("Images", 17, "(*.GIF - *.JPG)", "*.gif;*.jpg"),
                              entry("Métafichiers Windows", 2, "(*.WMF)", "*.wmf"),
                              entry("Fichier image", 16, "(*.GIF)", "*.gif"),
                              entry("Fichier image", 16, "(*.JPG)", "*.jpg")})
                     .join(QLatin1Char('|')));
    }
};

QTEST_MAIN(LogoCommandsTest)
#include "tst_logocommands.moc"
