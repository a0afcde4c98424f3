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

void row(const char* name, const QStringList& steps, const QStringList& states) {
    QTest::newRow(name) << steps << states;
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
        row("chosen, empty result, chosen again", {"choose {red.bmp}", "toolbar", "dblclick {red.bmp}"},
            {"{red.bmp}|{red.bmp}|red|1|0", "|{red.bmp}|red|1|0", "{red.bmp}|{red.bmp}|red|2|0"});
        row("failed load", {"choose {red.bmp}", "choose {broken.bmp}", "choose {absent.bmp}"},
            {"{red.bmp}|{red.bmp}|red|1|0", "{broken.bmp}|{red.bmp}|red|2|1",
             "{absent.bmp}|{red.bmp}|red|3|2"});
        row("removed, then an empty result", {"choose {blue.png}", "remove", "choose"},
            {"{blue.png}|{blue.png}|blue|1|0", "AUCUN||none|1|0", "||none|1|0"});
        row("removed after a resize keeps the margins", {"box 10 20 30 40", "remove"},
            {"||builtin|0|0|567,1134,1701,2268", "AUCUN||none|0|0|567,1134,630,630"});
        row("pasted twice, loaded each time", {"copy {blue.png}", "paste", "paste"},
            {"||builtin|0|0", "{blue.png}|{blue.png}|blue|1|0", "{blue.png}|{blue.png}|blue|2|0"});
        // The viewer copies paths in upper case; the disk keeps the real spelling.
        row("pasted from an upper-case path", {"COPY {blue.png}", "paste"},
            {"||builtin|0|0", "{blue.png}|{blue.png}|blue|1|0"});
        row("paste with nothing copied", {"paste"}, {"||builtin|0|0"});
        row("paste of a file that is no picture", {"choose {red.bmp}", "copy {broken.bmp}", "paste"},
            {"{red.bmp}|{red.bmp}|red|1|0", "{red.bmp}|{red.bmp}|red|1|0", "{broken.bmp}|{red.bmp}|red|2|1"});
        row("a wide picture fills the square box", {"choose {wide.bmp}"}, {"{wide.bmp}|{wide.bmp}|wide|1|0"});
    }
    void states() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, states);
        QTemporaryDir dir;
        const auto picture = [&dir](const char* name, int width, int height, Qt::GlobalColor colour) {
            QImage img(width, height, QImage::Format_RGB32);
            img.fill(colour);
            return img.save(dir.filePath(name));
        };
        QVERIFY(picture("red.bmp", 16, 16, Qt::red) && picture("blue.png", 16, 16, Qt::blue) &&
                picture("wide.bmp", 40, 10, Qt::green));
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
                const QString copied = m.CopiedImagePath;
                // A disabled button takes no click: call its handler.
                if (w.Command11->isEnabled())
                    QTest::mouseClick(w.Command11, Qt::LeftButton);
                else
                    w.Command11_Click();
                QCOMPARE(m.CopiedImagePath, copied); // kept for the next paste
            } else if (verb == "box") {              // margins and size in millimetres
                logo.Left = words[1].toDouble();
                logo.Top = words[2].toDouble();
                logo.boxTwips =
                    QTransform::fromScale(56.7, 56.7)
                        .mapRect(QRectF(logo.Left, logo.Top, words[3].toDouble(), words[4].toDouble()));
                w.placeLogoBox();
            }
            QString expected = expand(states[i]);
            if (expected.count(QLatin1Char('|')) == 4)
                expected += "|240,240,630,630";
            const QRectF& box = logo.boxTwips;
            QCOMPARE(QStringList({logo.Path, logo.RecordedPath, pictureName(logo.picture, builtIn),
                                  QString::number(tp.pictures->requests.size()),
                                  QString::number(tp.messages->shown.size()), rectText(box)})
                         .join('|'),
                     expected);
            QCOMPARE(pictureName(w.Picture2->picture(), builtIn), pictureName(logo.picture, builtIn));
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
