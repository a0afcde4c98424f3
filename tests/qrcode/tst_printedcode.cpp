// The contact code as it comes out of a print: a card file with "QRCODE" printed to PDF by
// the program, the page rasterised at 600 dpi and the code read back by a barcode reader. What
// it reads must be what the card says, and the code must stand where the logo's rectangle puts it.
#include "card/CardFileWriter.h"
#include "print/CardDrawing.h"
#include "qrcode/ContactCode.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr double Dpi = 600;
constexpr double PxPerMm = Dpi / 25.4;

QByteArray run(const QString& program, const QStringList& arguments, int* exitCode = nullptr,
               QByteArray* err = nullptr) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000))
        return QByteArray();
    if (exitCode)
        *exitCode = p.exitCode();
    if (err)
        *err = p.readAllStandardError();
    return p.readAllStandardOutput();
}

// The vCard's lines, unfolded, without BEGIN, VERSION and END.
QStringList fieldsOf(const QByteArray& vcard) {
    QByteArray text = vcard;
    text.replace("\r\n ", "");
    QStringList fields;
    for (const QString& line : QString::fromUtf8(text).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1String("BEGIN:")) &&
            !trimmed.startsWith(QLatin1String("VERSION:")) && !trimmed.startsWith(QLatin1String("END:")))
            fields << trimmed;
    }
    return fields;
}

bool isDark(QRgb p) {
    return qGray(p) < 128;
}

} // namespace

class PrintedCodeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        for (const char* tool : {"pdftoppm", "zbarimg", "pdfimages"})
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
    }

    // Zones 1 and 2 right-aligned, so that no text lies over the code; every zone red.
    void decoded_data() {
        QTest::addColumn<QString>("zone1");
        QTest::addColumn<QString>("zone2");
        QTest::addColumn<QString>("zone3");
        QTest::addColumn<QRectF>("logo"); // left, top, width, height in mm
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("warning"); // what the print says on its error output
        QTest::newRow("accents, two numbers, e-mail and site; 25 mm")
            << "Hélène Lefèvre"
            << "Chargée d'études\r\nÉcole Supérieure d'Ingénieurs"
            << "3, allée des Érables\r\nTél. 01 23 45 67 89 - Port. 06 12 34 56 78\r\n"
               "helene.lefevre@ecole.fr\r\nwww.ecole-exemple.fr"
            << QRectF(3, 3, 25, 25)
            << QStringList{"N:Lefèvre;Hélène;;;",
                           "FN:Hélène Lefèvre",
                           "TITLE:Chargée d'études",
                           "ORG:École Supérieure d'Ingénieurs",
                           "TEL;TYPE=WORK,VOICE:+33123456789",
                           "TEL;TYPE=CELL:+33612345678",
                           "EMAIL;TYPE=INTERNET:helene.lefevre@ecole.fr",
                           "URL:http://www.ecole-exemple.fr"}
            << "";
        QTest::newRow("no e-mail, one mobile; 15 mm")
            << "Jean DUPONT"
            << "Plombier"
            << "Mob. 07 98 76 54 32" << QRectF(4, 4, 15, 15)
            << QStringList{"N:DUPONT;Jean;;;", "FN:Jean DUPONT", "TITLE:Plombier",
                           "TEL;TYPE=CELL:+33798765432"}
            << "";
        QTest::newRow("a site and a fax, no name; 20 mm in a 26 x 20 rectangle")
            << ""
            << "Gérance\r\nAtelier Dupont & Fils"
            << "Fax : +33 (0)4 56 78 90 12\r\nhttps://atelier-dupont.fr/contact" << QRectF(1, 5, 26, 20)
            << QStringList{"N:;;;;",
                           "FN:Atelier Dupont & Fils",
                           "TITLE:Gérance",
                           "ORG:Atelier Dupont & Fils",
                           "TEL;TYPE=WORK,FAX:+33456789012",
                           "URL:https://atelier-dupont.fr/contact"}
            << "";
        // Still read at 600 dpi, but a module under 0.25 mm is more than a phone reliably reads.
        QTest::newRow("12 mm: too small, printed with a warning")
            << "Hélène Lefèvre"
            << "Chargée d'études\r\nÉcole Supérieure d'Ingénieurs"
            << "Tél. 01 23 45 67 89 - Port. 06 12 34 56 78\r\nhelene.lefevre@ecole.fr" << QRectF(3, 3, 12, 12)
            << QStringList{"N:Lefèvre;Hélène;;;",
                           "FN:Hélène Lefèvre",
                           "TITLE:Chargée d'études",
                           "ORG:École Supérieure d'Ingénieurs",
                           "TEL;TYPE=WORK,VOICE:+33123456789",
                           "TEL;TYPE=CELL:+33612345678",
                           "EMAIL;TYPE=INTERNET:helene.lefevre@ecole.fr"}
            << "Attention : Le code QR est trop petit";
    }
    void decoded() {
        QFETCH(QString, zone1);
        QFETCH(QString, zone2);
        QFETCH(QString, zone3);
        QFETCH(QRectF, logo);
        QFETCH(QStringList, fields);
        QFETCH(QString, warning);

        CardDocument card;
        const QString texts[3] = {zone1, zone2, zone3};
        for (int n = 1; n <= 3; ++n) {
            card.zone(n).Text = texts[n - 1];
            card.zone(n).FontName = QStringLiteral("Liberation Sans");
            card.zone(n).FontSize = 8;
            card.zone(n).ForeColor = 0x0000FF; // red
            card.zone(n).Alignment = n < 3 ? 1 : 0;
        }
        card.Logo.Left = logo.left();
        card.Logo.Top = logo.top();
        card.Logo.Width = logo.width();
        card.Logo.Height = logo.height();
        useContactCode(card.Logo);

        QTemporaryDir dir;
        const QString cardPath = dir.filePath("carte.cdv");
        {
            QFile f(cardPath);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(cardfile::toBytes(card));
        }
        int code = -1;
        QByteArray err;
        const QString pdf = dir.filePath("carte.pdf");
        run(KALIMO_EXECUTABLE, {"--pdf", pdf, "--position", "1", cardPath}, &code, &err);
        QCOMPARE(code, 0);
        if (warning.isEmpty())
            QVERIFY2(!err.contains("Attention"), err.constData());
        else
            QVERIFY2(err.contains(warning.toUtf8()), err.constData());

        // Vectors: the page holds no picture at all.
        const QByteArray images = run("pdfimages", {"-list", pdf});
        QCOMPARE(images.trimmed().split('\n').size(), 2); // the heading's two lines only

        // The card's cell, at 600 dpi.
        const PrintLayout layout = PrintLayout::builtIn();
        const CardOrigin cell = cellOrigin(layout, 1);
        const QPoint corner(int(std::lround(cell.X * PxPerMm)), int(std::lround(cell.Y * PxPerMm)));
        const QString png = dir.filePath("carte.png");
        run("pdftoppm", {"-r", "600", "-png", "-singlefile", "-x", QString::number(corner.x()), "-y",
                         QString::number(corner.y()), "-W", QString::number(int(layout.cardWidth * PxPerMm)),
                         "-H", QString::number(int(layout.cardHeight * PxPerMm)), pdf, png.chopped(4)});
        const QByteArray read = run("zbarimg", {"--raw", "-q", png});
        QCOMPARE(fieldsOf(read), fields);

        // Where the modules lie: from four modules inside the square to four before its end, and
        // black, whatever the zones' colour.
        const QImage page(png);
        QVERIFY(!page.isNull());
        const std::optional<QrMatrix> matrix = encodeQr(read.chopped(1));
        QVERIFY(matrix);
        const double side = std::min(logo.width(), logo.height());
        const double module = side / (matrix->size + 8);
        const QRectF square(logo.left() + (logo.width() - side) / 2, logo.top() + (logo.height() - side) / 2,
                            side, side);
        QRect ink;
        int coloured = 0;
        const QRect area(int(square.left() * PxPerMm) + 2, int(square.top() * PxPerMm) + 2,
                         int(square.width() * PxPerMm) - 4, int(square.height() * PxPerMm) - 4);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = page.pixel(x, y);
                if (isDark(p))
                    ink |= QRect(x, y, 1, 1);
                if (std::abs(qRed(p) - qBlue(p)) > 40 || std::abs(qRed(p) - qGreen(p)) > 40)
                    ++coloured;
            }
        QCOMPARE(coloured, 0);
        const QRectF expected((square.left() + 4 * module) * PxPerMm, (square.top() + 4 * module) * PxPerMm,
                              matrix->size * module * PxPerMm, matrix->size * module * PxPerMm);
        QVERIFY2(std::abs(ink.left() - expected.left()) <= 2 && std::abs(ink.top() - expected.top()) <= 2 &&
                     std::abs(ink.right() + 1 - expected.right()) <= 2 &&
                     std::abs(ink.bottom() + 1 - expected.bottom()) <= 2,
                 qPrintable(QStringLiteral("ink %1,%2 %3x%4, expected %5,%6 %7x%8")
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())
                                .arg(expected.x())
                                .arg(expected.y())
                                .arg(expected.width())
                                .arg(expected.height())));
    }
    // A card filled from a spreadsheet: each cell's code carries its own row's details.
    void mergedRows() {
        CardDocument card;
        card.zone(1).Text = QStringLiteral("{Prénom} {Nom}");
        card.zone(2).Text = QStringLiteral("«Poste»");
        card.zone(3).Text = QStringLiteral("Tél. {Téléphone}");
        for (int n = 1; n <= 3; ++n) {
            card.zone(n).FontName = QStringLiteral("Liberation Sans");
            card.zone(n).FontSize = 8;
            card.zone(n).Alignment = n < 3 ? 1 : 0;
        }
        card.Logo.Left = 3;
        card.Logo.Top = 3;
        card.Logo.Width = 22;
        card.Logo.Height = 22;
        useContactCode(card.Logo);
        QTemporaryDir dir;
        const QString cardPath = dir.filePath("equipe.cdv");
        const QString csvPath = dir.filePath("equipe.csv");
        for (const auto& [path, bytes] :
             {std::pair{cardPath, cardfile::toBytes(card)},
              std::pair{csvPath, QByteArray("Prénom;Nom;Poste;Téléphone\r\n"
                                            "Léa;Martin;Gérante;01 23 45 67 89\r\n"
                                            "Paul;Durand;Vendeur;01 23 45 67 90\r\n"
                                            "Karim;Benali;Technicien;06 12 34 56 78\r\n")}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        int code = -1;
        const QString pdf = dir.filePath("equipe.pdf");
        run(KALIMO_EXECUTABLE, {"--pdf", pdf, "--merge", csvPath, cardPath}, &code);
        QCOMPARE(code, 0);
        const QStringList expected[3] = {
            {"N:Martin;Léa;;;", "FN:Léa Martin", "TITLE:Gérante", "TEL;TYPE=WORK,VOICE:+33123456789"},
            {"N:Durand;Paul;;;", "FN:Paul Durand", "TITLE:Vendeur", "TEL;TYPE=WORK,VOICE:+33123456790"},
            {"N:Benali;Karim;;;", "FN:Karim Benali", "TITLE:Technicien", "TEL;TYPE=WORK,VOICE:+33612345678"}};
        const PrintLayout layout = PrintLayout::builtIn();
        for (int cellNumber = 1; cellNumber <= 3; ++cellNumber) {
            const CardOrigin cell = cellOrigin(layout, cellNumber);
            const QString png = dir.filePath(QStringLiteral("cellule%1.png").arg(cellNumber));
            run("pdftoppm", {"-r", "600", "-png", "-singlefile", "-x", QString::number(int(cell.X * PxPerMm)),
                             "-y", QString::number(int(cell.Y * PxPerMm)), "-W",
                             QString::number(int(layout.cardWidth * PxPerMm)), "-H",
                             QString::number(int(layout.cardHeight * PxPerMm)), pdf, png.chopped(4)});
            QCOMPARE(fieldsOf(run("zbarimg", {"--raw", "-q", png})), expected[cellNumber - 1]);
        }
    }
};

QTEST_GUILESS_MAIN(PrintedCodeTest)
#include "tst_printedcode.moc"
