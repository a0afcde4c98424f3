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

// Card bytes without the lines between the first title header and the first font header.
QByteArray withoutFirstBlock(QByteArray bytes) {
    const int start = bytes.indexOf("[Titre 1]\r\n") + 11;
    return bytes.remove(start, bytes.indexOf("[Police 1]") - start);
}

// What the card holds before each read, so that a test sees what the read changed.
void fillBefore(Form1& w, Module1& m) {
    for (int n = 1; n <= 3; ++n)
        m.card.zone(n).Text = QStringLiteral("avant %1").arg(n);
    m.card.zone(2).FontName = QStringLiteral("Verdana");
    m.card.Logo.Left = 7;
    m.card.Logo.Top = 7;
    m.card.Logo.Path = QStringLiteral("/avant/logo.bmp");
    m.card.Logo.picture = Picture(QImage(3, 3, QImage::Format_RGB32));
    m.SelectedZone = 2;
    // The editor holds the selected zone's text, as selecting it leaves it.
    w.setEditorText(m.card.zone(2).Text);
    w.refreshPreview();
}

} // namespace

class CardOpenTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString logoFile() {
        const QString path = dir_.filePath(QStringLiteral("logo.bmp"));
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::blue);
        image.save(path, "BMP");
        return path;
    }

private slots:
    // Every way a read can end, with the messages shown and the card left behind.
    void openFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<bool>("failingPicture");
        QTest::addColumn<QStringList>("messages"); // "title|prompt"
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("zone2Font");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("logoPath");
        QTest::addColumn<bool>("keepsOldPicture");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("editor");

        const QString errorBox =
            QStringLiteral("Erreur ou fichier de version antérieure !|Erreur d'ouverture du fichier");
        const QStringList before{"avant 1", "avant 2", "avant 3"};
        const QStringList full{"Société \"Kalimo\"\r\nJean Dupont", "Nom\r\nFonction", "Tél. 01 23 45 67 89"};
        const QByteArray card = samples::fullCardFile(Marker + "/logo.bmp");

        QTest::newRow("missing file")
            << QByteArray() << false << QStringList{"Erreur|Fichier " + Marker + "/carte.cdv non trouvé !"}
            << before << "Verdana" << 7.0 << "/avant/logo.bmp" << true << 2 << "avant 2";
        QTest::newRow("read whole") << card << false << QStringList{} << full << "Arial" << 0.5
                                    << Marker + "/logo.bmp" << false << 1 << full.at(0);
        QTest::newRow("missing logo file")
            << samples::fullCardFile(Marker + "/parti.bmp") << false
            << QStringList{"Erreur|Fichier icone " + Marker + "/parti.bmp non trouvé !"} << full << "Arial"
            << 0.5 << Marker + "/parti.bmp" << true << 1 << full.at(0);
        QTest::newRow("ends before zone 3's font header")
            << card.left(card.indexOf("[Police 3]")) << false << QStringList{errorBox}
            << QStringList{full.at(0), full.at(1), "avant 3"} << "Arial" << 5.0 << "/avant/logo.bmp" << true
            << 2 << "avant 2";
        QTest::newRow("empty first block")
            << withoutFirstBlock(card) << false << QStringList{errorBox} << before << "Verdana" << 5.0
            << "/avant/logo.bmp" << true << 2 << "avant 2";
        QTest::newRow("alignment of 3")
            << replaced(card, "[Alignement 1]\r\n 2 ", "[Alignement 1]\r\n 3 ") << false
            << QStringList{errorBox} << QStringList{full.at(0), "avant 2", "avant 3"} << "Verdana" << 5.0
            << "/avant/logo.bmp" << true << 2 << "avant 2";
        QTest::newRow("size that does not convert")
            << replaced(card, " 8.25", " grand") << false << QStringList{errorBox}
            << QStringList{full.at(0), full.at(1), "avant 3"} << "Verdana" << 5.0 << "/avant/logo.bmp" << true
            << 2 << "avant 2";
        QTest::newRow("colour past 32 bits")
            << replaced(card, " 255 ", " 4294967295 ") << false << QStringList{errorBox}
            << QStringList{full.at(0), "avant 2", "avant 3"} << "Verdana" << 5.0 << "/avant/logo.bmp" << true
            << 2 << "avant 2";
        QTest::newRow("picture that does not load")
            << card << true << QStringList{errorBox} << full << "Arial" << 5.0 << Marker + "/logo.bmp" << true
            << 2 << "avant 2";
        QTest::newRow("binary data") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false
                                     << QStringList{errorBox} << before << "Verdana" << 5.0
                                     << "/avant/logo.bmp" << true << 2 << "avant 2";
    }
    void openFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, failingPicture);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, texts);
        QFETCH(QString, zone2Font);
        QFETCH(double, left);
        QFETCH(QString, logoPath);
        QFETCH(bool, keepsOldPicture);
        QFETCH(int, selected);
        QFETCH(QString, editor);

        const QString logo = logoFile();
        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(samples::writeFile(path, bytes.replace(Marker.toUtf8(), dir_.path().toUtf8())));

        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        fillBefore(w, m);
        if (failingPicture)
            tp.pictures->failing << logo;
        w.OpenFile(path);

        QStringList shown;
        for (const MessageRequest& r : tp.messages->shown) {
            QCOMPARE(r.icon, MsgIcon::Critical);
            QCOMPARE(r.buttons, MsgButtons::Ok);
            shown << r.title + "|" + r.prompt;
        }
        QCOMPARE(shown, messages.replaceInStrings(Marker, dir_.path()));
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(m.card.zone(n).Text, texts.at(n - 1));
        QCOMPARE(m.card.zone(2).FontName, zone2Font);
        QCOMPARE(m.card.Logo.Left, left);
        QCOMPARE(m.card.Logo.Top, left == 0.5 ? 3.2 : left);
        QCOMPARE(m.card.Logo.Path, logoPath.replace(Marker, dir_.path()));
        QCOMPARE(m.card.Logo.picture.naturalSize(), keepsOldPicture ? QSize(3, 3) : QSize(6, 4));
        QCOMPARE(int(m.SelectedZone), selected);
        QCOMPARE(w.editorText(), editor);
        // The preview shows what the card holds, read in full or not.
        QCOMPARE(w.Label1->text(), QString(texts.at(0)).replace("\r\n", "\n"));
    }

    // After a read the preview takes the card's logo box, zone 1 and its alignment.
    void readCardIsShown_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QString>("option");
        QTest::newRow("left") << 0 << "Option1";
        QTest::newRow("right") << 1 << "Option2";
        QTest::newRow("centre") << 2 << "Option3";
    }
    void readCardIsShown() {
        QFETCH(int, alignment);
        QFETCH(QString, option);
        QByteArray bytes = samples::fullCardFile(QStringLiteral("AUCUN"));
        bytes = replaced(bytes, "[Alignement 1]\r\n 2 ",
                         "[Alignement 1]\r\n " + QByteArray::number(alignment) + " ");
        const QString path = dir_.filePath(QStringLiteral("vue.cdv"));
        QVERIFY(samples::writeFile(path, bytes));

        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        m.SelectedZone = 3;
        w.OpenFile(path);
        QVERIFY(tp.messages->shown.isEmpty());
        QCOMPARE(m.card.Logo.boxTwips, QRectF(0.5 * 56.7, 3.2 * 56.7, 11.1 * 56.7, 20 * 56.7));
        QCOMPARE(w.Picture2->geometry(), QRect(2, 12, 42, 76));
        QCOMPARE(int(m.SelectedZone), 1);
        QVERIFY(w.Label1->isOpaque());
        QCOMPARE(w.Label1->backColour(), colour::WindowBackground);
        QVERIFY(!w.Label2->isOpaque());
        QVERIFY(!w.Label3->isOpaque());
        QVERIFY(w.findChild<QRadioButton*>(option)->isChecked());
        QCOMPARE(w.editorText(), m.card.zone(1).Text);
    }

    // A card named on the command line is read at start-up.
    void startUpWithACard_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("status");
        QTest::newRow("absolute path") << Marker + "/Client.cdv"
                                       << "CLIENT.CDV";
        QTest::newRow("quoted") << "\"" + Marker + "/Client.cdv\""
                                << "CLIENT.CDV";
        QTest::newRow("in the current folder") << "Client.cdv"
                                               << "CLIENT.CDV";
    }
    void startUpWithACard() {
        QFETCH(QString, argument);
        QFETCH(QString, status);
        const QString path = dir_.filePath(QStringLiteral("Client.cdv"));
        QVERIFY(samples::writeFile(path, samples::fullCardFile(QStringLiteral("AUCUN"))));
        TestPlatform tp;
        tp.environment->argument = argument.replace(Marker, dir_.path());
        tp.environment->currentDir = dir_.path();
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        QVERIFY(tp.messages->shown.isEmpty());
        QCOMPARE(m.card.FilePath, path);
        QCOMPARE(w.statusFileName(), status);
        QCOMPARE(m.card.zone(2).Text, QStringLiteral("Nom\r\nFonction"));
        QCOMPARE(w.editorText(), m.card.zone(1).Text);
        QCOMPARE(m.card.Logo.Path, QStringLiteral("AUCUN"));
    }

    void startUpWithAMissingCard() {
        TestPlatform tp;
        tp.environment->argument = dir_.filePath(QStringLiteral("absente.cdv"));
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        QCOMPARE(tp.messages->shown.size(), 1);
        QCOMPARE(tp.messages->shown.at(0).prompt, "Fichier " + tp.environment->argument + " non trouvé !");
        QCOMPARE(m.card.FilePath, tp.environment->argument);
        QCOMPARE(w.statusFileName(), QStringLiteral("ABSENTE.CDV"));
        QVERIFY(w.editorText().isEmpty());
    }
};

QTEST_MAIN(CardOpenTest)
#include "tst_cardopen.moc"
