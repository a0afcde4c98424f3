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

// Small picture files written for the test, in a folder of their own.
struct Pictures {
    QTemporaryDir dir;
    Pictures() {
        write("red.bmp", QSize(16, 16), Qt::red);
        write("blue.png", QSize(16, 16), Qt::blue);
        write("wide.bmp", QSize(40, 10), Qt::green);
        QFile broken(path("broken.bmp"));
        if (broken.open(QIODevice::WriteOnly))
            broken.write("BM pas une image");
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QSize& size, Qt::GlobalColor c) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(c);
        QVERIFY(img.save(path(name)));
    }
};

QString rectText(const QRectF& r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What the preview shows, named by its colour.
QString pictureName(const Picture& p, const Picture& builtIn) {
    if (p.isNull())
        return QStringLiteral("none");
    if (p.image() == builtIn.image())
        return QStringLiteral("builtin");
    const QColor c = p.image().pixelColor(0, 0);
    if (c == Qt::red)
        return QStringLiteral("red");
    if (c == Qt::blue)
        return QStringLiteral("blue");
    if (c == Qt::green)
        return QStringLiteral("wide");
    return QStringLiteral("other");
}

} // namespace

class LogoCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // Each step acts as a person does; after each, the logo reads
    // "Path|RecordedPath|picture|box in twips|messages so far", {name} standing for a test file.
    void states_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("states");
        const QString start = QStringLiteral("240,240,630,630");
        QTest::newRow("chosen, empty result, chosen again")
            << QStringList{"choose {red.bmp}", "choose", "dblclick {red.bmp}"}
            << QStringList{"{red.bmp}|{red.bmp}|red|" + start + "|0", "|{red.bmp}|red|" + start + "|0",
                           "{red.bmp}|{red.bmp}|red|" + start + "|0"};
        QTest::newRow("failed load") << QStringList{"choose {red.bmp}", "choose {broken.bmp}",
                                                    "choose {absent.bmp}"}
                                     << QStringList{"{red.bmp}|{red.bmp}|red|" + start + "|0",
                                                    "{broken.bmp}|{red.bmp}|red|" + start + "|1",
                                                    "{absent.bmp}|{red.bmp}|red|" + start + "|2"};
        QTest::newRow("removed, then an empty result")
            << QStringList{"choose {blue.png}", "remove", "choose"}
            << QStringList{"{blue.png}|{blue.png}|blue|" + start + "|0", "AUCUN||none|" + start + "|0",
                           "||none|" + start + "|0"};
        QTest::newRow("removed after a resize keeps the margins")
            << QStringList{"box 10 20 30 40", "remove"}
            << QStringList{"||builtin|567,1134,1701,2268|0", "AUCUN||none|567,1134,630,630|0"};
        QTest::newRow("pasted twice")
            << QStringList{"copy {blue.png}", "paste", "paste"}
            << QStringList{"||builtin|" + start + "|0", "{blue.png}|{blue.png}|blue|" + start + "|0",
                           "{blue.png}|{blue.png}|blue|" + start + "|0"};
        QTest::newRow("paste with nothing copied")
            << QStringList{"paste"} << QStringList{"||builtin|" + start + "|0"};
        QTest::newRow("paste of a file that is no picture")
            << QStringList{"choose {red.bmp}", "copy {broken.bmp}", "paste"}
            << QStringList{"{red.bmp}|{red.bmp}|red|" + start + "|0",
                           "{red.bmp}|{red.bmp}|red|" + start + "|0",
                           "{broken.bmp}|{red.bmp}|red|" + start + "|1"};
        QTest::newRow("a wide picture fills the square box")
            << QStringList{"choose {wide.bmp}"} << QStringList{"{wide.bmp}|{wide.bmp}|wide|" + start + "|0"};
    }
    void states() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, states);
        Pictures files;
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        const Picture builtIn = m.card.Logo.picture;
        QVERIFY(!builtIn.isNull());
        const auto expand = [&files](QString text) {
            static const QRegularExpression name(QStringLiteral("\\{([^}]*)\\}"));
            for (auto it = name.globalMatch(text); it.hasNext();) {
                const auto match = it.next();
                text.replace(match.captured(0), files.path(match.captured(1)));
            }
            return text;
        };

        for (int i = 0; i < steps.size(); ++i) {
            const QStringList words = expand(steps[i]).split(QLatin1Char(' '));
            const QString& verb = words[0];
            if (verb == "choose" || verb == "dblclick") {
                tp.files->chooseNext(words.value(1));
                if (verb == "choose")
                    QTest::mouseClick(w.Command3, Qt::LeftButton);
                else
                    QTest::mouseDClick(w.Picture2, Qt::LeftButton);
            } else if (verb == "remove") {
                QTest::mouseClick(w.Command6, Qt::LeftButton);
            } else if (verb == "copy") {
                // What the image viewer's copy button does.
                m.CopiedImagePath = words[1];
                w.Command11->setEnabled(true);
            } else if (verb == "paste") {
                w.Command11_Click();
            } else if (verb == "box") {
                CardLogo& logo = m.card.Logo;
                logo.Left = words[1].toDouble();
                logo.Top = words[2].toDouble();
                logobox::setLeftMm(logo, logo.Left);
                logobox::setTopMm(logo, logo.Top);
                logobox::setWidthMm(logo, words[3].toDouble());
                logobox::setHeightMm(logo, words[4].toDouble());
                w.placeLogoBox();
            }
            const QStringList expected = expand(states[i]).split(QLatin1Char('|'));
            const CardLogo& logo = m.card.Logo;
            QCOMPARE(logo.Path, expected[0]);
            QCOMPARE(logo.RecordedPath, expected[1]);
            QCOMPARE(pictureName(w.Picture2->picture(), builtIn), expected[2]);
            QCOMPARE(pictureName(logo.picture, builtIn), expected[2]);
            QCOMPARE(rectText(logo.boxTwips), expected[3]);
            const QRectF& box = logo.boxTwips;
            QCOMPARE(w.Picture2->geometry(), QRect(qRound(box.x() / 15), qRound(box.y() / 15),
                                                   qRound(box.width() / 15), qRound(box.height() / 15)));
            QCOMPARE(QString::number(tp.messages->shown.size()), expected[4]);
        }
        for (const MessageRequest& shown : tp.messages->shown)
            QVERIFY(shown == logocommands::unsupportedPicture());
    }

    void removalSizesTheLogo() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        m.card.Logo.Left = 4;
        m.card.Logo.Top = 3;
        m.card.Logo.Width = 30;
        w.Command6_Click();
        QCOMPARE(m.card.Logo.Width, 630 / 56.7);
        QCOMPARE(m.card.Logo.Height, 630 / 56.7);
        QCOMPARE(m.card.Logo.Left, 4.0);
        QCOMPARE(m.card.Logo.Top, 3.0);
        QCOMPARE(w.Picture2->size(), QSize(42, 42));
        QVERIFY(tp.pictures->requests.isEmpty());
        QVERIFY(tp.messages->shown.isEmpty());
    }

    void pasteLoadsEachTime() {
        Pictures files;
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        QVERIFY(!w.Command11->isEnabled());
        m.CopiedImagePath = files.path("red.bmp");
        w.Command11->setEnabled(true);
        QTest::mouseClick(w.Command11, Qt::LeftButton);
        QTest::mouseClick(w.Command11, Qt::LeftButton);
        QCOMPARE(tp.pictures->requests, QStringList(2, files.path("red.bmp")));
        QCOMPARE(m.CopiedImagePath, files.path("red.bmp"));
    }

    void openDialog() {
        Pictures files;
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        tp.files->chooseNext(files.path("red.bmp"));
        QTest::mouseClick(w.Command3, Qt::LeftButton);
        tp.files->chooseNext(QString());
        w.Toolbar1_ButtonClick(9);

        QCOMPARE(tp.files->opens.size(), 2);
        const FileDialogRequest& first = tp.files->opens[0];
        QCOMPARE(first.title, QStringLiteral("Ouvrir un icone"));
        QCOMPARE(first.initialFolder, QStringLiteral("/home/marie/cartes"));
        QCOMPARE(first.initialName, QString());
        QCOMPARE(first.filter, logocommands::fileFilter());
        // The next dialog starts on the picture shown.
        QCOMPARE(tp.files->opens[1].initialName, files.path("red.bmp"));
    }

    // Each entry is the description, its blanks, its bracket, then the patterns.
    void filter_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<QString>("bracket");
        QTest::addColumn<QString>("patterns");
        QTest::newRow("icons") << 0 << "Fichiers Icone" << 15 << "(*.ICO)"
                               << "*.ico";
        QTest::newRow("cursors") << 1 << "Fichiers curseurs" << 11 << "(*.CUR)"
                                 << "*.cur";
        QTest::newRow("bitmaps") << 2 << "Image en mode point" << 4 << "(*.BMP)"
                                 << "*.bmp";
        QTest::newRow("images") << 3 << "Images" << 17 << "(*.GIF - *.JPG)"
                                << "*.gif;*.jpg";
        QTest::newRow("metafiles") << 4 << "Métafichiers Windows" << 2 << "(*.WMF)"
                                   << "*.wmf";
        QTest::newRow("gif") << 5 << "Fichier image" << 16 << "(*.GIF)"
                             << "*.gif";
        QTest::newRow("jpeg") << 6 << "Fichier image" << 16 << "(*.JPG)"
                              << "*.jpg";
    }
    void filter() {
        QFETCH(int, entry);
        QFETCH(QString, words);
        QFETCH(int, blanks);
        QFETCH(QString, bracket);
        QFETCH(QString, patterns);
        const QStringList parts = logocommands::fileFilter().split(QLatin1Char('|'));
        QCOMPARE(parts.size(), 14);
        QCOMPARE(parts[2 * entry], words + QString(blanks, QLatin1Char(' ')) + bracket);
        QCOMPARE(parts[2 * entry + 1], patterns);
    }
};

QTEST_MAIN(LogoCommandsTest)
#include "tst_logocommands.moc"
