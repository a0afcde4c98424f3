#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileWriter.h"
#include "card/CardSaving.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
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

MessageRequest saveError() {
    return {QStringLiteral("Erreur lors de la sauvegarde du fichier !"), QStringLiteral("erreur"),
            MsgButtons::Ok, MsgIcon::Critical, 1};
}

} // namespace

class CardSaveTest : public QObject {
    Q_OBJECT

private slots:
    void savesAndReplaces() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("carte.cdv"));
        QVERIFY(samples::writeFile(path, OldContent + OldContent + OldContent + OldContent));
        CardDocument card;
        FakeMessageBoxes boxes;
        QCOMPARE(saveCard(card, path, boxes), SaveOutcome::Saved);
        QVERIFY(boxes.shown.isEmpty());
        // From now on the card records "AUCUN" itself.
        QCOMPARE(card.Logo.RecordedPath, QStringLiteral("AUCUN"));
        QCOMPARE(samples::readFile(path), cardfile::toBytes(card));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"carte.cdv"});
    }

    // Whatever stops the save, the file that was there stays byte for byte.
    void failedSaveKeepsTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("oldFile");
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("disk full while writing") << "carte.cdv" << true << true;
        QTest::newRow("disk full, new file") << "nouvelle.cdv" << false << true;
        QTest::newRow("folder missing") << "absent/carte.cdv" << false << false;
        QTest::newRow("folder is a file") << "fichier/carte.cdv" << false << false;
        QTest::newRow("name of a folder") << "dossier" << false << false;
    }
    void failedSaveKeepsTheFile() {
        QFETCH(QString, name);
        QFETCH(bool, oldFile);
        QFETCH(bool, diskFull);
        QTemporaryDir dir;
        QVERIFY(samples::writeFile(dir.filePath(QStringLiteral("fichier")), "x"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier")));
        const QString path = dir.filePath(name);
        if (oldFile)
            QVERIFY(samples::writeFile(path, OldContent));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        CardDocument card = samples::fullCard(QStringLiteral("AUCUN"));
        FakeMessageBoxes boxes;
        SaveOutcome outcome;
        if (diskFull) {
            const FileSizeLimit limit(OldContent.size() + 10);
            // The limit holds for this process, even as root: a plain write past it fails.
            QFile probe(dir.filePath(QStringLiteral("sonde")));
            QVERIFY(probe.open(QIODevice::WriteOnly));
            QVERIFY(probe.write(QByteArray(200, 'x')) < 0 || !probe.flush());
            probe.close();
            QVERIFY(probe.remove());
            outcome = saveCard(card, path, boxes);
        } else {
            outcome = saveCard(card, path, boxes);
        }
        QCOMPARE(outcome, SaveOutcome::Failed);
        QCOMPARE(boxes.shown, QList<MessageRequest>{saveError()});
        if (oldFile)
            QCOMPARE(samples::readFile(path), OldContent);
        // No temporary file is left behind, and nothing else changed.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("dossier"))).isDir());
    }

    // Characters the code page cannot hold are named first; Cancel writes nothing.
    void unencodableCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("named"); // empty: no question
        QTest::addColumn<bool>("written");
        QTest::newRow("code page only") << "Café €"
                                        << "" << MsgAnswer::Ok << "" << true;
        QTest::newRow("greek, saved anyway") << "Ω et ω"
                                             << "" << MsgAnswer::Ok << "« Ω » « ω »" << true;
        QTest::newRow("greek, cancelled") << "Ω"
                                          << "" << MsgAnswer::Cancel << "« Ω »" << false;
        QTest::newRow("logo path, cancelled")
            << ""
            << "/tmp/лого.bmp" << MsgAnswer::Cancel << "« л » « о » « г »" << false;
    }
    void unencodableCharacters() {
        QFETCH(QString, text);
        QFETCH(QString, logo);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, named);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("carte.cdv"));
        QVERIFY(samples::writeFile(path, OldContent));
        CardDocument card;
        card.zone(2).Text = text;
        card.Logo.RecordedPath = logo;
        FakeMessageBoxes boxes;
        boxes.answers.enqueue(answer);

        const SaveOutcome outcome = saveCard(card, path, boxes);
        QCOMPARE(outcome, written ? SaveOutcome::Saved : SaveOutcome::Declined);
        if (named.isEmpty()) {
            QVERIFY(boxes.shown.isEmpty());
        } else {
            QCOMPARE(boxes.shown.size(), 1);
            const MessageRequest& q = boxes.shown.at(0);
            QCOMPARE(q.buttons, MsgButtons::OkCancel);
            QCOMPARE(q.title, QStringLiteral("Enregistrement de la carte"));
            QVERIFY2(q.prompt.contains("\r" + named + "\r"), qPrintable(q.prompt));
            QVERIFY(q.prompt.contains(QStringLiteral("« ? »")));
        }
        QCOMPARE(samples::readFile(path), written ? cardfile::toBytes(card) : OldContent);
        QCOMPARE(card.Logo.RecordedPath, written && logo.isEmpty() ? QStringLiteral("AUCUN") : logo);
    }
};

QTEST_GUILESS_MAIN(CardSaveTest)
#include "tst_cardsave.moc"
