// The contact code in the card file: the reserved word "QRCODE" where the logo's path goes,
// written and read back byte for byte, never taken for a file of that name; and the logo's
// other commands after it.
#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"
#include "qrcode/ContactCode.h"

#include <QDir>
#include <QImage>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }
};

} // namespace

class CodeCardFileTest : public QObject {
    Q_OBJECT
private slots:
    // The file a card gives, read back and written again: the same bytes, with and without a code.
    void roundTrip_data() {
        QTest::addColumn<QString>("logoPath");
        QTest::addColumn<bool>("code");
        QTest::newRow("with the code") << "QRCODE" << true;
        QTest::newRow("without a logo") << "AUCUN" << false;
        QTest::newRow("a word that only looks like it") << "qrcode" << false;
        QTest::newRow("a picture named QRCODE in a folder") << "/cartes/QRCODE" << false;
    }
    void roundTrip() {
        QFETCH(QString, logoPath);
        QFETCH(bool, code);
        const QByteArray file = samples::fullCardFile(logoPath);
        CardDocument card;
        FakePictureLoader pictures;
        const CardReadResult result = cardfile::readBytes(file, card, pictures);
        QCOMPARE(int(result.status), int(CardReadResult::Status::Read));
        QCOMPARE(showsContactCode(card.Logo), code);
        QCOMPARE(cardfile::toBytes(card), file);
        if (code) {
            // Nothing looked for on disk, nothing to report, no picture kept.
            QVERIFY(pictures.requests.isEmpty());
            QVERIFY(result.missingLogo.isEmpty() && result.undecodableLogo.isEmpty());
            QCOMPARE(card.Logo.Path, QStringLiteral("QRCODE"));
            QCOMPARE(card.Logo.RecordedPath, QStringLiteral("QRCODE"));
            QVERIFY(card.Logo.picture.isNull());
        }
        // The card written from the model: the code is the path's line, the rest as for any card.
        CardDocument written = samples::fullCard(QString());
        if (code)
            useContactCode(written.Logo);
        else
            written.Logo.RecordedPath = logoPath == QLatin1String("AUCUN") ? QString() : logoPath;
        QCOMPARE(cardfile::toBytes(written), file);
    }

    // A real picture called QRCODE beside the card: the reserved word wins, as "AUCUN" does.
    void reservedWordWinsOverAFile() {
        QTemporaryDir dir;
        QImage red(8, 8, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(dir.filePath("QRCODE"), "BMP"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        CardDocument card;
        FakePictureLoader pictures;
        const CardReadResult result = cardfile::readBytes(samples::fullCardFile("QRCODE"), card, pictures);
        QDir::setCurrent(before);
        QVERIFY(pictures.requests.isEmpty());
        QVERIFY(card.Logo.picture.isNull());
        QVERIFY(showsContactCode(card.Logo));
        QCOMPARE(int(result.status), int(CardReadResult::Status::Read));

        // Chosen in the open dialog, the same file comes with its folder: a picture like any other.
        Window t;
        t.tp.files->chooseNext(dir.filePath("QRCODE"));
        t.w.Command3_Click();
        QVERIFY(!showsContactCode(t.m.card.Logo));
        QVERIFY(!t.m.card.Logo.picture.isNull());
        QVERIFY(cardfile::toBytes(t.m.card).endsWith(QFile::encodeName(dir.filePath("QRCODE")) + "\r\n"));
    }

    // Opened in the window: no message, the code in the logo's place, saved back as it was.
    void openAndSave() {
        QTemporaryDir dir;
        const QString path = dir.filePath("code.cdv");
        const QByteArray file = samples::fullCardFile("QRCODE");
        QVERIFY(samples::writeFile(path, file));
        Window t;
        t.w.openCardFile(path);
        QVERIFY(t.tp.messages->shown.isEmpty());
        QVERIFY(showsContactCode(t.m.card.Logo));
        QVERIFY(t.w.Picture2->picture().isNull());
        QVERIFY(!t.w.isCardModified());
        const DrawnCard drawn = t.w.Picture1->measure();
        QVERIFY(drawn.code.has_value());
        t.w.SaveFile(dir.filePath("copie.cdv"));
        QCOMPARE(samples::readFile(dir.filePath("copie.cdv")), file);
    }

    // What becomes of the code after each logo command; expected: "shows the code|recorded path".
    void afterLogoCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        QTest::newRow("choice cancelled: the code stays") << "cancel"
                                                          << "true|QRCODE";
        QTest::newRow("picture that does not load: the code stays") << "bad"
                                                                    << "true|QRCODE";
        QTest::newRow("picture chosen") << "picture"
                                        << "false|logo.bmp";
        QTest::newRow("removed") << "remove"
                                 << "false|AUCUN";
    }
    void afterLogoCommands() {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QImage blue(8, 8, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(dir.filePath("logo.bmp")));
        QVERIFY(samples::writeFile(dir.filePath("bad.bmp"), "not a picture"));
        Window t;
        useContactCode(t.m.card.Logo);
        if (command == "cancel") {
            t.tp.files->chooseNext(QString());
            t.w.Command3_Click();
        } else if (command == "bad") {
            t.tp.files->chooseNext(dir.filePath("bad.bmp"));
            t.w.Command3_Click();
        } else if (command == "picture") {
            t.tp.files->chooseNext(dir.filePath("logo.bmp"));
            t.w.Command3_Click();
        } else {
            t.w.Command6_Click();
        }
        const QByteArray bytes = cardfile::toBytes(t.m.card);
        const QString recorded =
            QString::fromLatin1(bytes.mid(bytes.lastIndexOf("\r\n", bytes.size() - 3) + 2).chopped(2));
        QCOMPARE(QStringLiteral("%1|%2").arg(showsContactCode(t.m.card.Logo) ? "true" : "false",
                                             recorded.section('/', -1)),
                 expected);
        // What the card shows and what it prints agree: the code is drawn exactly when it shows.
        QCOMPARE(t.w.Picture1->measure().code.has_value(), showsContactCode(t.m.card.Logo));
    }

    // The help says what an older program shows for such a card.
    void helpTellsOfOlderPrograms() {
        QFile file(QStringLiteral(KALIMO_SOURCE_DIR "/resources/help/KALIMO.HLP"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString html = utf8.decode(file.readAll());
        QVERIFY(!utf8.hasError());
        QVERIFY(html.contains(QStringLiteral("«&nbsp;QRCODE&nbsp;»")));
        QVERIFY(html.contains(QStringLiteral("version plus ancienne")));
        QVERIFY(html.contains(QStringLiteral("«&nbsp;Fichier icone QRCODE non trouvé&nbsp;!&nbsp;»")));
    }
};

QTEST_MAIN(CodeCardFileTest)
#include "tst_codecardfile.moc"
