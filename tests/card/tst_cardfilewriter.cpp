#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileWriter.h"
#include "card/CardSaving.h"
#include "card/NewCard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {

const QByteArray OldContent = "[Titre 1]\r\n\"ancienne carte\"\r\n";

// While it lives, no file of this process may grow past limit bytes, as on a full disk;
// root included. Writes past it fail instead of raising the signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

// The lines of a written card, without their CR LF.
QStringList fileLines(const CardDocument& card) {
    QStringList lines = QString::fromLatin1(cardfile::toBytes(card)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

class CardFileWriterTest : public QObject {
    Q_OBJECT
private slots:
    void newCardIsThirtyNineLines() {
        CardDocument card = samples::fullCard(QStringLiteral("/tmp/logo.bmp"));
        card.zone(1).FontUnderline = true;
        resetToNewCard(card);
        QCOMPARE(cardfile::toBytes(card), samples::newCardFile());
        QCOMPARE(fileLines(card).size(), 39);
    }

    // Multi-line text with quotes, sizes 8.25, 12 and 10.5, an RGB and a system colour, the
    // logo width 11.19 cut to " 11.1", a logo path.
    void fullCardByteForByte() {
        const QString logo = QStringLiteral("/home/marie/Logos/société.bmp");
        QCOMPARE(cardfile::toBytes(samples::fullCard(logo)), samples::fullCardFile(logo));
    }

    // The number-to-text rule where the two cards above do not reach it.
    void valueLines_data() {
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("left");
        QTest::addColumn<QStringList>("lines"); // lines 4, 34 and 36 of the file, from 0
        QTest::newRow("a single that is no double")
            << 10.1 << 0.0 << -0.55 << QStringList{" 10.1", " 0", "-.6"};
        QTest::newRow("under a tenth") << 8.25 << 0.05 << 0.0 << QStringList{" 8.25", " 0", " 0"};
    }
    void valueLines() {
        QFETCH(double, size);
        QFETCH(double, width);
        QFETCH(double, left);
        QFETCH(QStringList, lines);
        CardDocument card;
        card.zone(1).FontSize = float(size);
        card.Logo.Width = width;
        card.Logo.Left = left;
        const QStringList all = fileLines(card);
        QCOMPARE(QStringList({all.at(4), all.at(34), all.at(36)}), lines);
    }

    void zoneText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("tabs are not spaces") << "\tx\t" << QStringList{"\"\tx\t\""};
        QTest::newRow("inner spaces kept") << "  Jean  Dupont  " << QStringList{"\"Jean  Dupont\""};
        QTest::newRow("blank line kept") << "a\r\n\r\nb" << QStringList{"\"a", "", "b\""};
    }
    void zoneText() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        CardDocument card;
        card.zone(2).Text = text;
        const QStringList all = fileLines(card);
        const int start = all.indexOf(QStringLiteral("[Titre 2]")) + 1;
        QCOMPARE(all.mid(start, all.indexOf(QStringLiteral("[Police 2]")) - start), lines);
    }

    // Whatever stops the save, the file that was there stays byte for byte.
    void failedSaveKeepsTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full while writing") << "carte.cdv" << true;
        QTest::newRow("disk full, new file") << "nouvelle.cdv" << true;
        QTest::newRow("folder missing") << "absent/carte.cdv" << false;
        QTest::newRow("folder is a file") << "fichier/carte.cdv" << false;
        QTest::newRow("name of a folder") << "dossier" << false;
    }
    void failedSaveKeepsTheFile() {
        QFETCH(QString, name);
        QFETCH(bool, diskFull);
        QTemporaryDir dir;
        QVERIFY(samples::writeFile(dir.filePath(QStringLiteral("fichier")), "x"));
        QVERIFY(samples::writeFile(dir.filePath(QStringLiteral("carte.cdv")), OldContent));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier")));
        const QStringList before = entries(dir);

        CardDocument card = samples::fullCard(QStringLiteral("AUCUN"));
        FakeMessageBoxes boxes;
        std::optional<FileSizeLimit> limit;
        if (diskFull) {
            limit.emplace(OldContent.size() + 10);
            // The limit holds for this process, even as root: a plain write past it fails.
            QFile probe(dir.filePath(QStringLiteral("sonde")));
            QVERIFY(probe.open(QIODevice::WriteOnly));
            QVERIFY(probe.write(QByteArray(200, 'x')) < 0 || !probe.flush());
            probe.close();
            QVERIFY(probe.remove());
        }
        QCOMPARE(saveCard(card, dir.filePath(name), boxes), SaveOutcome::Failed);
        limit.reset();
        QCOMPARE(boxes.shown,
                 QList<MessageRequest>({{QStringLiteral("Erreur lors de la sauvegarde du fichier !"),
                                         QStringLiteral("erreur"), MsgButtons::Ok, MsgIcon::Critical, 1}}));
        QCOMPARE(samples::readFile(dir.filePath(QStringLiteral("carte.cdv"))), OldContent);
        // No temporary file is left behind, and nothing else changed.
        QCOMPARE(entries(dir), before);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("dossier"))).isDir());
    }

    // The card replaces the file in place. Characters the code page cannot hold, in a zone text,
    // a font name or the logo path, are named first; Cancel writes nothing.
    void unencodableCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("named"); // empty: no question
        auto row = [](const char* name, const char* text, const char* font, const char* logo,
                      MsgAnswer answer, const char* named) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(font)
                                << QString::fromUtf8(logo) << answer << QString::fromUtf8(named);
        };
        row("code page only", "Société € «»", "Arial", "", MsgAnswer::Ok, "");
        row("greek, saved anyway", "Ωmega Ω et ω", "Arial", "", MsgAnswer::Ok, "« Ω » « ω »");
        row("greek, cancelled", "Ω", "Arial", "", MsgAnswer::Cancel, "« Ω »");
        row("arrow in a font name", "", "Fonte→", "", MsgAnswer::Cancel, "« → »");
        row("in the logo path", "", "Arial", "/tmp/лого.bmp", MsgAnswer::Cancel, "« л » « о » « г »");
        row("outside the basic plane", "😀 et 😃", "Arial", "", MsgAnswer::Ok, "« 😀 » « 😃 »");
    }
    void unencodableCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, font);
        QFETCH(QString, logo);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, named);
        const bool written = answer == MsgAnswer::Ok;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("carte.cdv"));
        QVERIFY(samples::writeFile(path, OldContent));
        CardDocument card;
        card.zone(3).Text = text;
        card.zone(2).FontName = font;
        card.Logo.RecordedPath = logo;
        FakeMessageBoxes boxes;
        boxes.answers.enqueue(answer);

        QCOMPARE(saveCard(card, path, boxes), written ? SaveOutcome::Saved : SaveOutcome::Declined);
        QCOMPARE(boxes.shown.size(), named.isEmpty() ? 0 : 1);
        if (!named.isEmpty()) {
            const MessageRequest& q = boxes.shown.at(0);
            QCOMPARE(q.buttons, MsgButtons::OkCancel);
            QCOMPARE(q.title, QStringLiteral("Enregistrement de la carte"));
            QVERIFY2(q.prompt.contains("\r" + named + "\r") && q.prompt.contains(QStringLiteral("« ? »")),
                     qPrintable(q.prompt));
        }
        QCOMPARE(samples::readFile(path), written ? cardfile::toBytes(card) : OldContent);
        // Once saved the card records "AUCUN" itself.
        QCOMPARE(card.Logo.RecordedPath, written && logo.isEmpty() ? QStringLiteral("AUCUN") : logo);
        QCOMPARE(entries(dir), QStringList{"carte.cdv"});
    }
};

QTEST_GUILESS_MAIN(CardFileWriterTest)
#include "tst_cardfilewriter.moc"
