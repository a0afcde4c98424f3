#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Marker = QStringLiteral("@DIR@");

// Card bytes with the first occurrence of from changed to to.
QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
    const int at = bytes.indexOf(from);
    if (at < 0)
        qFatal("sample text not found");
    return bytes.replace(at, from.size(), to);
}

// A window on the test platform, loaded unless the test sets the platform up first.
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    explicit Window(bool load = true) {
        if (load)
            w.Form_Load();
    }
};

} // namespace

class CardOpenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase() {
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(dir_.filePath(QStringLiteral("logo.bmp")), "BMP"));
        QVERIFY(samples::writeFile(dir_.filePath(QStringLiteral("abime.bmp")), "BM pas une image"));
        QVERIFY(
            samples::writeFile(dir_.filePath("Client.cdv"), samples::fullCardFile(QStringLiteral("AUCUN"))));
    }

    // Every way a read can end, with the message shown and the card left behind.
    void openFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");  // "title|prompt", empty for none
        QTest::addColumn<int>("zonesRead");    // zone texts 1 to n read, the others as they were
        QTest::addColumn<bool>("zone2FontRead");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("logoPath");
        QTest::addColumn<bool>("newPicture");
        QTest::addColumn<bool>("shown"); // zone 1 selected with its text in the editor

        const QString oldLogo = QStringLiteral("/avant/logo.bmp");
        const QString logo = Marker + "/logo.bmp";
        const QByteArray card = samples::fullCardFile(logo);
        auto failed = [&](const char* name, const QByteArray& bytes, int zonesRead, bool zone2FontRead,
                          const QString& logoPath) {
            QTest::newRow(name) << bytes
                                << "Erreur ou fichier de version antérieure !|Erreur d'ouverture du fichier"
                                << zonesRead << zone2FontRead << 5.0 << logoPath << false << false;
        };
        QTest::newRow("missing file")
            << QByteArray() << "Erreur|Fichier " + Marker + "/carte.cdv non trouvé !" << 0 << false << 7.0
            << oldLogo << false << false;
        QTest::newRow("read whole") << card << QString() << 3 << true << 0.5 << logo << true << true;
        QTest::newRow("missing logo file") << samples::fullCardFile(Marker + "/parti.bmp")
                                           << "Erreur|Fichier icone " + Marker + "/parti.bmp non trouvé !"
                                           << 3 << true << 0.5 << Marker + "/parti.bmp" << false << true;
        failed("ends before zone 3's font header", card.left(card.indexOf("[Police 3]")), 2, true, oldLogo);
        // The file begins with "[Titre 1]" and its CR LF, 11 bytes.
        failed("empty first block", QByteArray(card).remove(11, card.indexOf("[Police 1]") - 11), 0, false,
               oldLogo);
        failed("alignment of 3", replaced(card, "[Alignement 1]\r\n 2 ", "[Alignement 1]\r\n 3 "), 1, false,
               oldLogo);
        failed("size that does not convert", replaced(card, " 8.25", " grand"), 2, false, oldLogo);
        failed("colour past 32 bits", replaced(card, " 255 ", " 4294967295 "), 1, false, oldLogo);
        failed("binary data", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 0, false, oldLogo);
        const QString broken = Marker + "/abime.bmp";
        failed("picture that does not load", samples::fullCardFile(broken), 3, true, broken);
    }
    void openFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, zonesRead);
        QFETCH(bool, zone2FontRead);
        QFETCH(double, left);
        QFETCH(QString, logoPath);
        QFETCH(bool, newPicture);
        QFETCH(bool, shown);

        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(samples::writeFile(path, bytes.replace(Marker.toUtf8(), dir_.path().toUtf8())));

        Window v;
        // What the card holds before the read, so that the test sees what the read changed.
        QStringList texts{"avant 1", "avant 2", "avant 3"};
        for (int n = 1; n <= 3; ++n)
            v.m.card.zone(n).Text = texts.at(n - 1);
        v.m.card.zone(2).FontName = QStringLiteral("Verdana");
        v.m.card.Logo.Left = v.m.card.Logo.Top = 7;
        v.m.card.Logo.Path = QStringLiteral("/avant/logo.bmp");
        v.m.card.Logo.picture = Picture(QImage(3, 3, QImage::Format_RGB32));
        v.m.SelectedZone = 2;
        v.w.setEditorText(texts.at(1));
        v.w.refreshPreview();
        v.w.OpenFile(path);

        QStringList messages;
        for (const MessageRequest& r : v.tp.messages->shown) {
            QCOMPARE(r.icon, MsgIcon::Critical);
            QCOMPARE(r.buttons, MsgButtons::Ok);
            messages << r.title + "|" + r.prompt;
        }
        QCOMPARE(messages.join('\n'), message.replace(Marker, dir_.path()));
        const QStringList full{"Société \"Kalimo\"\r\nJean Dupont", "Nom\r\nFonction", "Tél. 01 23 45 67 89"};
        for (int n = 0; n < zonesRead; ++n)
            texts[n] = full.at(n);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(v.m.card.zone(n).Text, texts.at(n - 1));
        QCOMPARE(v.m.card.zone(2).FontName, zone2FontRead ? "Arial" : "Verdana");
        QCOMPARE(v.m.card.Logo.Left, left);
        QCOMPARE(v.m.card.Logo.Top, left == 0.5 ? 3.2 : left);
        QCOMPARE(v.m.card.Logo.Path, logoPath.replace(Marker, dir_.path()));
        QCOMPARE(v.m.card.Logo.picture.naturalSize(), newPicture ? QSize(6, 4) : QSize(3, 3));
        QCOMPARE(int(v.m.SelectedZone), shown ? 1 : 2);
        QCOMPARE(v.w.editorText(), shown ? texts.at(0) : QStringLiteral("avant 2"));
        // The preview shows what the card holds, read in full or not.
        QCOMPARE(v.w.Label1->text(), QString(texts.at(0)).replace("\r\n", "\n"));
        if (!shown)
            return;
        // A card read takes the logo box, zone 1 and its alignment to the preview.
        QCOMPARE(v.m.card.Logo.boxTwips, QRectF(0.5 * 56.7, 3.2 * 56.7, 11.1 * 56.7, 20 * 56.7));
        QCOMPARE(v.w.Picture2->geometry(), QRect(2, 12, 42, 76));
        QVERIFY(v.w.Label1->isOpaque() && !v.w.Label2->isOpaque() && !v.w.Label3->isOpaque());
        QCOMPARE(v.w.Label1->backColour(), colour::WindowBackground);
        QVERIFY(v.w.findChild<QRadioButton*>(QStringLiteral("Option3"))->isChecked());
    }

    // A card named on the command line is read at start-up.
    void startUp_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("name");
        auto row = [](const char* name, const QString& argument, const char* file) {
            QTest::newRow(name) << argument << QString::fromLatin1(file);
        };
        row("absolute path", Marker + "/Client.cdv", "Client.cdv");
        row("quoted", "\"" + Marker + "/Client.cdv\"", "Client.cdv");
        row("in the current folder", "Client.cdv", "Client.cdv");
        row("missing", Marker + "/absente.cdv", "absente.cdv");
    }
    void startUp() {
        QFETCH(QString, argument);
        QFETCH(QString, name);
        const QString path = dir_.filePath(name);
        const bool missing = !QFile::exists(path);
        Window v(false);
        v.tp.environment->argument = argument.replace(Marker, dir_.path());
        v.tp.environment->currentDir = dir_.path();
        v.w.Form_Load();
        QStringList prompts;
        for (const MessageRequest& r : v.tp.messages->shown)
            prompts << r.prompt;
        QCOMPARE(prompts, missing ? QStringList{"Fichier " + path + " non trouvé !"} : QStringList{});
        QCOMPARE(v.m.card.FilePath, path);
        QCOMPARE(v.w.statusFileName(), name.toUpper());
        QCOMPARE(v.m.card.zone(2).Text, missing ? QString() : QStringLiteral("Nom\r\nFonction"));
        QCOMPARE(v.w.editorText(), v.m.card.zone(1).Text);
    }
};

QTEST_MAIN(CardOpenTest)
#include "tst_cardopen.moc"
