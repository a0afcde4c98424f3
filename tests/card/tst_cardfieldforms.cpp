#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileReader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Lines of the card "Nouveau" gives, by their number from 0: zone n's font name is line
// 3 + 11 (n - 1), its size 4 + ..., bold 5, italic 6, colour 8, alignment 10; the logo's
// width, height, left and top are lines 34 to 37.
enum Field { Name = 3, Size = 4, Bold = 5, Italic = 6, Colour = 8, Alignment = 10 };
constexpr int LogoWidth = 34;

QString valueAt(const CardDocument& card, int line) {
    if (line >= LogoWidth) {
        const double values[] = {card.Logo.Width, card.Logo.Height, card.Logo.Left, card.Logo.Top};
        return QString::number(values[line - LogoWidth], 'g', 15);
    }
    const TextZone& z = card.zone(line / 11 + 1);
    switch (line % 11) {
    case Name:
        return z.FontName;
    case Size:
        return QString::number(z.FontSize);
    case Bold:
        return z.FontBold ? "true" : "false";
    case Italic:
        return z.FontItalic ? "true" : "false";
    case Colour:
        return QString::number(z.ForeColor);
    default:
        return QString::number(z.Alignment);
    }
}

} // namespace

// Every form a card file's values may take, in every field of that kind: what it reads as, or
// that the file is refused ("fail"). A slip in one reading of a flag or a number shows here.
class CardFieldFormsTest : public QObject {
    Q_OBJECT

    static void rows(const QList<int>& lines, const char* field,
                     const QList<QPair<QString, QString>>& forms) {
        for (int line : lines)
            for (const auto& [text, expected] : forms)
                QTest::newRow(
                    qPrintable(QStringLiteral("%1 (line %2) \"%3\"").arg(field).arg(line).arg(text)))
                    << line << text << expected;
    }

private slots:
    void forms_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QList<int> flags, sizes, colours, alignments, logo;
        for (int zone = 0; zone < 3; ++zone) {
            flags << Bold + 11 * zone << Italic + 11 * zone;
            sizes << Size + 11 * zone;
            colours << Colour + 11 * zone;
            alignments << Alignment + 11 * zone;
        }
        for (int i = 0; i < 4; ++i)
            logo << LogoWidth + i;
        // True and False in any case, blanks around, quoted; a number is true unless it is 0.
        rows(flags, "flag",
             {{"True", "true"},    {"False", "false"},   {"TRUE", "true"},       {"false", "false"},
              {"tRuE", "true"},    {"fALSE", "false"},   {"  True", "true"},     {"\tFalse", "false"},
              {"True   ", "true"}, {"\"True\"", "true"}, {"\"false\"", "false"}, {"1", "true"},
              {"0", "false"},      {"-1", "true"},       {"2", "true"},          {".5", "true"},
              {"-0.25", "true"},   {"1E2", "true"},      {"0.0", "false"},       {"-0", "false"},
              {"0E5", "false"},    {" 0 ", "false"},     {"Vrai", "fail"},       {"T", "fail"},
              {"Truth", "fail"},   {"yes", "fail"},      {"1a", "fail"}});
        // Sizes the zone takes, above 0 and up to 2160 points.
        rows(sizes, "size",
             {{" 8.25", "8.25"},
              {" 12", "12"},
              {"12", "12"},
              {" .5", "0.5"},
              {"1E1", "10"},
              {"10.1", "10.1"},
              {"2160", "2160"},
              {" 0", "fail"},
              {"-3", "fail"},
              {"2161", "fail"},
              {"huit", "fail"},
              {"8pt", "fail"}});
        // A signed 32-bit number; a fraction rounds half to even.
        rows(colours, "colour",
             {{" 0 ", "0"},
              {" 255 ", "255"},
              {"-2147483640 ", "2147483656"},
              {" 2147483647 ", "2147483647"},
              {"-2147483648 ", "2147483648"},
              {" 16777215 ", "16777215"},
              {"254.5", "254"},
              {"255.5", "256"},
              {"1E3", "1000"},
              {" 2147483648 ", "fail"},
              {"-2147483649 ", "fail"},
              {"rouge", "fail"}});
        // 0, 1 and 2 only, after rounding half to even.
        rows(alignments, "alignment",
             {{" 0 ", "0"},
              {" 1 ", "1"},
              {" 2 ", "2"},
              {"0.5", "0"},
              {"1.5", "2"},
              {"2.5", "2"},
              {"-0.4", "0"},
              {" 3 ", "fail"},
              {"-1 ", "fail"},
              {"2.6", "fail"},
              {"32768", "fail"},
              {"centre", "fail"}});
        // Millimetres with or without the zero before the point, negative, with an exponent.
        rows(logo, "logo",
             {{" 11.1", "11.1"},
              {"11.19", "11.19"},
              {" .5", "0.5"},
              {"0.5", "0.5"},
              {"-.6", "-0.6"},
              {" 0", "0"},
              {"1E-05", "1e-05"},
              {"  7  ", "7"},
              {"onze", "fail"},
              {"1.2.3", "fail"}});
        rows({Name, Name + 11, Name + 22}, "font",
             {{"Arial", "Arial"}, {"  Times New Roman  ", "Times New Roman"}});
    }
    void forms() {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QList<QByteArray> lines = samples::newCardFile().split('\n');
        lines[line] = text.toLatin1() + '\r';
        QTemporaryDir dir;
        QVERIFY(samples::writeFile(dir.filePath("forme.cdv"), lines.join('\n')));
        CardDocument card;
        FakePictureLoader pictures;
        const CardReadResult read = cardfile::read(dir.filePath("forme.cdv"), card, pictures);
        if (expected == QLatin1String("fail")) {
            QCOMPARE(read.status, CardReadResult::Status::Failed);
            QCOMPARE(QPointF(card.Logo.Left, card.Logo.Top), QPointF(5, 5));
            return;
        }
        QCOMPARE(read.status, CardReadResult::Status::Read);
        QCOMPARE(valueAt(card, line), expected);
        // Every other field is the one "Nouveau" wrote.
        CardDocument plain;
        QVERIFY(samples::writeFile(dir.filePath("nouveau.cdv"), samples::newCardFile()));
        QCOMPARE(cardfile::read(dir.filePath("nouveau.cdv"), plain, pictures).status,
                 CardReadResult::Status::Read);
        for (int other = 0; other < LogoWidth + 4; ++other)
            if (other != line &&
                (other >= LogoWidth ||
                 QList<int>{Name, Size, Bold, Italic, Colour, Alignment}.contains(other % 11)))
                QCOMPARE(valueAt(card, other), valueAt(plain, other));
    }
};

QTEST_GUILESS_MAIN(CardFieldFormsTest)
#include "tst_cardfieldforms.moc"
