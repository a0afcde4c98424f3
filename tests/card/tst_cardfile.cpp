#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileCursor.h"
#include "card/CardFileFields.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"
#include "card/CardSaving.h"
#include "card/NewCard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <optional>
#include <sys/resource.h>

using Status = CardReadResult::Status;

namespace {

const QByteArray OldContent = "[Titre 1]\r\n\"ancienne carte\"\r\n";

// While it lives, no file of this process may grow past limit bytes, as on a full disk, root included.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

QStringList entries(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

class CardFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePictureLoader pictures_;

    Status read(const QByteArray& bytes, CardDocument& card) {
        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        if (!samples::writeFile(path, bytes))
            qFatal("cannot write the sample card");
        return cardfile::read(path, card, pictures_).status;
    }

private slots:
    void written() {
        const QString logo = QStringLiteral("/home/marie/Logos/société.bmp");
        QCOMPARE(cardfile::toBytes(samples::fullCard(logo)), samples::fullCardFile(logo));
        CardDocument card = samples::fullCard(logo);
        card.zone(1).FontUnderline = true; // no part of the file
        resetToNewCard(card);
        QCOMPARE(cardfile::toBytes(card), samples::newCardFile());
        // Where the two cards above do not reach: a single that is no double, under a tenth,
        // negative, tabs and inner spaces, a blank line.
        card.zone(1).FontSize = 10.1f;
        card.zone(2).Text = QStringLiteral("  Jean  Dupont\t\r\n\r\nb  ");
        card.Logo.Width = 0.05;
        card.Logo.Left = -0.55;
        const QByteArray bytes = cardfile::toBytes(card);
        for (const char* lines :
             {"arial\n 10.1", "[Titre 2]\n\"Jean  Dupont\t\n\nb\"", "[Icone]\n 0\n 11.1\n-.6"})
            QVERIFY2(bytes.contains(samples::crlf(QString::fromLatin1(lines))), bytes.constData());
    }

    // "L" a line, "I" an item, "R" the rest of a line; "<end>" when nothing is left.
    void cursor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QStringList>("results");
        auto row = [](const char* name, const QString& text, const char* reads, const QStringList& results) {
            QTest::newRow(name) << text << QString::fromLatin1(reads) << results;
        };
        const QString bound(CardFileCursor::MaxLineLength, QLatin1Char('x'));
        row("spaces and tabs dropped, commas split", "\t 1, 2 ,3  \r\n", "III", {"1", "2", "3"});
        row("quoted keeps commas and spaces", "\" a, b \"\r\nnext", "II", {" a, b ", "next"});
        row("after the quote up to the comma", "\"a\"xx,b\r\n", "II", {"a", "b"});
        row("line ends CR alone and LF alone", "a\rb\nc", "LLL", {"a", "b", "c"});
        row("last line without its end", "a\r\nb", "LLL", {"a", "b", "<end>"});
        row("rest of line keeps commas", "  /a, b/c.bmp  \r\n", "R", {"/a, b/c.bmp"});
        row("line at the bound", bound, "L", {bound});
        row("line over the bound", bound + "x", "L", {"<end>"});
        row("item in a line over the bound", "1," + bound, "I", {"<end>"});
    }
    void cursor() {
        QFETCH(QString, text);
        QFETCH(QString, reads);
        QFETCH(QStringList, results);
        CardFileCursor in(text);
        QStringList got;
        for (QChar kind : reads)
            got << (kind == 'L'   ? in.readLine()
                    : kind == 'I' ? in.readItem()
                                  : in.readRestOfLine())
                       .value_or(QStringLiteral("<end>"));
        QCOMPARE(got, results);
    }

    // Each field as "single|Boolean|32-bit|16-bit"; "-" for a refusal.
    void fields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("values");
        auto row = [](const char* field, const char* values) {
            QTest::newRow(field) << QString::fromLatin1(field) << QString::fromLatin1(values);
        };
        row(".5", "0.5|true|0|0");
        row("2.5", "2.5|true|2|2");
        row("-2147483640", "-2147483648|true|-2147483640|-");
        row("tRuE", "-|true|-|-");
        row("12pt", "-|-|-|-");
        row("8,25", "-|-|-|-");
        row("2147483648", "2147483648|true|-|-");
        row("32768", "32768|true|32768|-");
        row("1E+39", "-|true|-|-");
    }
    void fields() {
        QFETCH(QString, field);
        QFETCH(QString, values);
        auto text = [](auto v) { return v ? QString::number(double(*v), 'g', 10) : QStringLiteral("-"); };
        const auto b = cardfield::toBoolean(field);
        const QString boolean = b ? QString::fromLatin1(*b ? "true" : "false") : QStringLiteral("-");
        QCOMPARE(QStringList({text(cardfield::toSingle(field)), boolean, text(cardfield::toLong(field)),
                              text(cardfield::toInteger(field))})
                     .join('|'),
                 values);
    }

    void roundTripThenNoLogo() {
        const QString logo = dir_.filePath(QStringLiteral("logo, société.bmp"));
        QImage image(8, 8, QImage::Format_RGB32);
        QVERIFY(image.save(logo, "BMP"));
        const CardDocument written = samples::fullCard(logo);
        CardDocument card;
        QCOMPARE(read(cardfile::toBytes(written), card), Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société \"Kalimo\"\r\nJean Dupont"));
        QCOMPARE(card.Logo.Path, logo); // the comma does not cut the path short
        QCOMPARE(card.Logo.RecordedPath, logo);
        QCOMPARE(card.Logo.picture.naturalSize(), QSize(8, 8));
        QCOMPARE(cardfile::toBytes(card), cardfile::toBytes(written));
        // A card with "AUCUN" forgets the logo read before.
        QCOMPARE(read(samples::newCardFile(), card), Status::Read);
        QVERIFY(card.Logo.Path == "AUCUN" && card.Logo.RecordedPath.isEmpty() && card.Logo.picture.isNull());
    }

    // Made on Windows: CR LF, "é" as the byte 0xE9; zone 3's font on one line of items.
    void madeOnWindows() {
        QByteArray bytes = samples::newCardFile();
        bytes.replace(11, 2, "\"Soci\xE9t\xE9\r\nDirecteur g\xE9n\xE9ral\"");
        bytes.replace(bytes.lastIndexOf("arial\r\n 8\r\nFalse\r\nFalse"), 24, "\"Arial Black\", 14,True , 0");
        CardDocument card;
        QCOMPARE(read(bytes, card), Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société\r\nDirecteur général"));
        const TextZone& z = card.zone(3);
        QVERIFY(z.FontName == "Arial Black" && z.FontSize == 14.0f && z.FontBold && !z.FontItalic);
    }

    // Cut anywhere, the file is refused unless all its values came before the cut.
    void truncatedAnywhere() {
        const QByteArray whole = samples::fullCardFile(QStringLiteral("AUCUN"));
        const int lastLine = whole.lastIndexOf("\r\n", whole.size() - 3) + 2;
        for (int n = 0; n < whole.size(); ++n) {
            CardDocument card;
            QCOMPARE(read(whole.left(n), card), n <= lastLine ? Status::Failed : Status::Read);
            QCOMPARE(card.Logo.Left, n <= lastLine ? 5.0 : 0.5);
        }
    }

    // Files that are no card: refused, quickly, the card untouched.
    void notCardFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Status>("status");
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary += char((i * 7919) % 256);
        QTest::newRow("binary") << binary << Status::Failed;
        QTest::newRow("nul bytes") << QByteArray(1000, '\0') << Status::Failed;
        QTest::newRow("one long line") << QByteArray(3 * 1024 * 1024, 'A') << Status::Failed;
        QTest::newRow("many lines") << QByteArray(3 * 1024 * 1024, '\n') << Status::Failed;
        QTest::newRow("text block too long")
            << QByteArray("[Titre 1]\r\n\"") + QByteArray(70000, 'x') + "\"\r\n[Police 1]\r\n"
            << Status::Failed;
        QTest::newRow("over the size bound") << QByteArray(cardfile::MaxFileBytes + 1, ' ') << Status::Failed;
        CardDocument longLines;
        longLines.zone(1).Text = QString(30000, QLatin1Char('a')) + "\r\n" + QString(30000, QLatin1Char('b'));
        QTest::newRow("long lines, text in its bound") << cardfile::toBytes(longLines) << Status::Read;
    }
    void notCardFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(Status, status);
        CardDocument card;
        QCOMPARE(read(bytes, card), status);
        QCOMPARE(card.zone(1).Text.size(), status == Status::Read ? 60002 : 0);
    }

    // Whatever stops the save, the file that was there stays byte for byte, nothing left behind.
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
        if (diskFull)
            limit.emplace(OldContent.size() + 10);
        QCOMPARE(saveCard(card, dir.filePath(name), boxes), SaveOutcome::Failed);
        limit.reset();
        QCOMPARE(boxes.shown,
                 QList<MessageRequest>({{QStringLiteral("Erreur lors de la sauvegarde du fichier !"),
                                         QStringLiteral("erreur"), MsgButtons::Ok, MsgIcon::Critical, 1}}));
        QCOMPARE(samples::readFile(dir.filePath(QStringLiteral("carte.cdv"))), OldContent);
        QCOMPARE(entries(dir), before);
    }

    // Characters the code page cannot hold, in a zone text, a font name or the logo path, are
    // named in an OK/Cancel question first; Cancel writes nothing.
    void unencodableCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("named"); // empty: no question
        auto row = [](const char* text, const char* font, const char* logo, MsgAnswer answer,
                      const char* named) {
            QTest::newRow(named) << QString::fromUtf8(text) << QString::fromUtf8(font)
                                 << QString::fromUtf8(logo) << answer << QString::fromUtf8(named);
        };
        row("Société € «»", "Arial", "", MsgAnswer::Ok, "");
        row("Ωmega Ω et ω", "Arial", "", MsgAnswer::Ok, "« Ω » « ω »");
        row("", "Fonte→", "", MsgAnswer::Cancel, "« → »");
        row("", "Arial", "/tmp/лого.bmp", MsgAnswer::Cancel, "« л » « о » « г »");
        row("😀 et 😃", "Arial", "", MsgAnswer::Ok, "« 😀 » « 😃 »");
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
        if (!named.isEmpty())
            QVERIFY2(boxes.shown[0].buttons == MsgButtons::OkCancel &&
                         boxes.shown[0].prompt.contains("\r" + named + "\r") &&
                         boxes.shown[0].prompt.contains(QStringLiteral("« ? »")),
                     qPrintable(boxes.shown[0].prompt));
        QCOMPARE(samples::readFile(path), written ? cardfile::toBytes(card) : OldContent);
        QCOMPARE(card.Logo.RecordedPath, written && logo.isEmpty() ? QStringLiteral("AUCUN") : logo);
        QCOMPARE(entries(dir), QStringList{"carte.cdv"});
    }
};

QTEST_GUILESS_MAIN(CardFileTest)
#include "tst_cardfile.moc"
