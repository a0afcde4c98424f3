#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileWriter.h"
#include "card/CardSaving.h"

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

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

class CardSaveTest : public QObject {
    Q_OBJECT

private slots:
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

    // The card replaces the file in place. Characters the code page cannot hold are named
    // first; Cancel writes nothing.
    void unencodableCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("named"); // empty: no question
        auto row = [](const char* name, const char* text, const char* logo, MsgAnswer answer,
                      const char* named) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(logo) << answer
                                << QString::fromUtf8(named);
        };
        row("code page only", "Café €", "", MsgAnswer::Ok, "");
        row("greek, saved anyway", "Ω et ω", "", MsgAnswer::Ok, "« Ω » « ω »");
        row("greek, cancelled", "Ω", "", MsgAnswer::Cancel, "« Ω »");
        row("logo path, cancelled", "", "/tmp/лого.bmp", MsgAnswer::Cancel, "« л » « о » « г »");
    }
    void unencodableCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, logo);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, named);
        const bool written = answer == MsgAnswer::Ok;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("carte.cdv"));
        QVERIFY(samples::writeFile(path, OldContent));
        CardDocument card;
        card.zone(2).Text = text;
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

QTEST_GUILESS_MAIN(CardSaveTest)
#include "tst_cardsave.moc"
