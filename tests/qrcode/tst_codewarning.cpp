// A contact code that may not scan: too small a module, too much text for any code, nothing
// to carry. The card marks it in the logo's place, the print question and a print from the
// command line say it in French; a sound code or a card without one says nothing.
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/CardTroubles.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardFileWriter.h"
#include "platform/ScreenSurface.h"
#include "print/DecoupeLignes.h"
#include "print/PrintConfirmation.h"
#include "qrcode/ContactCode.h"
#include "qrcode/ContactCodeWarnings.h"
#include "qrcode/ContactDetails.h"
#include "qrcode/VCard.h"
#include "setup/Form2.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

namespace {

CardDocument contactCard(double width, double height) {
    CardDocument card;
    card.zone(1).Text = QStringLiteral("Marie Dupont");
    card.zone(2).Text = QStringLiteral("Directrice\r\nExemple SA");
    card.zone(3).Text = QStringLiteral("Tél. 01 23 45 67 89\r\nmarie@exemple.fr");
    for (TextZone& z : card.Zones)
        z.FontName = QStringLiteral("Liberation Sans");
    card.Logo.Left = 3;
    card.Logo.Top = 3;
    card.Logo.Width = width;
    card.Logo.Height = height;
    useContactCode(card.Logo);
    return card;
}

int modulesOf(const CardDocument& card) {
    return encodeQr(vcardOf(contactDetailsOf(card)))->size;
}

QStringList troubleNames(const std::vector<CardTrouble>& troubles) {
    QStringList names;
    for (const CardTrouble& t : troubles)
        if (t.zone == 0)
            names << QString::number(int(t.kind)) + QLatin1Char(' ') + t.message;
    return names;
}

std::vector<CardTrouble> drawnTroubles(const CardDocument& card) {
    std::array<ZonePrintLines, 3> lines;
    if (!DecoupeLignes(card, lines))
        return {};
    ScreenSurface measuring(nullptr, 1);
    DrawnCard drawn;
    drawCard(measuring, {card, PrintLayout::builtIn(), lines}, CardOrigin{}, DrawOrder::DecorationsFirst,
             &drawn);
    return findTroubles(drawn);
}

} // namespace

class CodeWarningTest : public QObject {
    Q_OBJECT
private slots:
    // The side of the square is the smaller of the logo's two; the margin of four modules
    // each side counts. side: in modules of 0.25 mm, plus the given millimetres.
    void tooSmall_data() {
        QTest::addColumn<double>("widthExtra");  // mm past (modules + 8) x 0.25 mm
        QTest::addColumn<double>("heightExtra"); // the same for the height
        QTest::addColumn<bool>("warned");
        QTest::newRow("just large enough") << 0.02 << 0.02 << false;
        QTest::newRow("exactly 0.25 mm") << 0.0 << 0.0 << false;
        QTest::newRow("just too small") << -0.02 << -0.02 << true;
        QTest::newRow("wide but too low") << 20.0 << -0.02 << true;
        QTest::newRow("high but too narrow") << -0.02 << 20.0 << true;
        QTest::newRow("a wide rectangle, high enough") << 20.0 << 0.02 << false;
    }
    void tooSmall() {
        QFETCH(double, widthExtra);
        QFETCH(double, heightExtra);
        QFETCH(bool, warned);
        CardDocument card = contactCard(20, 20);
        const int n = modulesOf(card);
        const double limit = (n + 8) * MinModuleMm;
        card.Logo.Width = limit + widthExtra;
        card.Logo.Height = limit + heightExtra;
        const double module = std::min(card.Logo.Width, card.Logo.Height) / (n + 8);
        const QStringList expected = warned ? QStringList{codewarning::tooSmall(module)} : QStringList();
        QCOMPARE(codewarning::forCard(card), expected);
        QCOMPARE(troubleNames(drawnTroubles(card)),
                 warned ? QStringList{QStringLiteral("%1 ").arg(int(TroubleKind::CodeTooSmall)) + expected[0]}
                        : QStringList());
        if (warned)
            QVERIFY(expected[0].contains(QString::number(module, 'f', 2).replace('.', ',') + " mm"));
    }

    void messages() {
        QCOMPARE(
            codewarning::tooSmall(0.191),
            QStringLiteral("Le code QR est trop petit : ses modules mesurent 0,19 mm, moins de 0,25 mm. Un "
                           "téléphone risque de ne pas pouvoir le lire. Agrandissez le logo "
                           "(« Redimensionner »)."));
    }

    // What the print question says; then No prints nothing.
    void printQuestion_data() {
        QTest::addColumn<double>("side");
        QTest::addColumn<bool>("code");
        QTest::addColumn<QString>("warning"); // the start of the added lines; empty: the question as it is
        QTest::newRow("11 mm code") << 11.0 << true << "Le code QR est trop petit : ses modules mesurent 0,";
        QTest::newRow("25 mm code") << 25.0 << true << "";
        QTest::newRow("11 mm picture") << 11.0 << false << "";
    }
    void printQuestion() {
        QFETCH(double, side);
        QFETCH(bool, code);
        QFETCH(QString, warning);
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        m.card = contactCard(side, side);
        if (!code) {
            m.card.Logo.Path = m.card.Logo.RecordedPath = QStringLiteral("/cartes/logo.bmp");
        }
        QTimer::singleShot(0, &w, [] {
            if (auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget()))
                d->close();
        });
        tp.messages->answers.enqueue(MsgAnswer::No);
        w.Mnu_Imprimer_Click();
        QCOMPARE(tp.messages->shown.size(), 1);
        const MessageRequest plain = printConfirmation(m.request, m.layout);
        const MessageRequest asked = tp.messages->shown[0];
        if (warning.isEmpty()) {
            QCOMPARE(asked, plain);
        } else {
            QVERIFY2(asked.prompt.startsWith(plain.prompt + "\r\r" + warning), qPrintable(asked.prompt));
            QCOMPARE(asked.title, plain.title);
            QCOMPARE(int(asked.buttons), int(MsgButtons::YesNo));
            QCOMPARE(int(asked.icon), int(MsgIcon::Exclamation));
            QCOMPARE(asked.defaultButton, 2);
        }
        QVERIFY(tp.printer->calls.isEmpty());
    }

    // Every warning of a card, one per line after the question.
    void questionWithWarnings() {
        CardDocument card;
        card.Logo.Width = card.Logo.Height = 5;
        useContactCode(card.Logo);
        const MessageRequest question{"Confirmer ?", "Impression", MsgButtons::YesNo, MsgIcon::Question, 1};
        const MessageRequest asked = codewarning::withWarnings(question, card);
        const QStringList lines = asked.prompt.split('\r');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("Confirmer ?"));
        QVERIFY(lines[1].isEmpty());
        QVERIFY(lines[2].startsWith("Le code QR est trop petit"));
        QCOMPARE(lines[3], codewarning::empty());
    }

    // More than any code holds: nothing is drawn in the logo's place, the card and the print say so.
    void tooLong() {
        CardDocument card = contactCard(25, 25);
        card.zone(1).Text = QString(2400, QLatin1Char('A'));
        QCOMPARE(codewarning::forCard(card), QStringList{codewarning::tooLong()});
        QCOMPARE(
            troubleNames(drawnTroubles(card)),
            QStringList{QStringLiteral("%1 ").arg(int(TroubleKind::CodeTooLong)) + codewarning::tooLong()});
        RecordingPrinterSurface surface;
        std::array<ZonePrintLines, 3> lines;
        QVERIFY(DecoupeLignes(card, lines));
        drawCard(surface, {card, PrintLayout::builtIn(), lines}, CardOrigin{}, DrawOrder::DecorationsFirst);
        QVERIFY(surface.calls.filter("FillBox").isEmpty());
        QVERIFY(surface.calls.filter("PaintPicture").isEmpty());

        // From the command line: printed all the same, and said.
        QTemporaryDir dir;
        QFile file(dir.filePath("long.cdv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(cardfile::toBytes(card));
        file.close();
        QProcess kalimo;
        kalimo.start(KALIMO_EXECUTABLE, {"--pdf", dir.filePath("long.pdf"), file.fileName()});
        QVERIFY(kalimo.waitForFinished(60000));
        QCOMPARE(kalimo.exitCode(), 0);
        const QStringList said =
            QString::fromUtf8(kalimo.readAllStandardError()).split('\n').filter("Attention");
        QCOMPARE(said, QStringList{QStringLiteral("Attention : ") + codewarning::tooLong()});
    }

    // Filled from a spreadsheet, each row makes its own code: only the row whose details need
    // more modules than the logo's square gives room for is warned of, by its line.
    void mergedRows() {
        CardDocument card = contactCard(20, 20);
        card.zone(1).Text = QStringLiteral("{Nom}");
        card.zone(3).Text = QStringLiteral("{Contact}");
        CardDocument shortRow = card;
        shortRow.zone(1).Text = QStringLiteral("Léa");
        shortRow.zone(3).Text = QStringLiteral("Tél. 01 23 45 67 89");
        CardDocument longRow = card;
        longRow.zone(1).Text = QStringLiteral("Hélène Lefèvre-Duchâteau");
        longRow.zone(3).Text = QStringLiteral("Tél. 01 23 45 67 89 - Port. 06 12 34 56 78\r\n"
                                              "helene.lefevre-duchateau@exemple-societe.fr\r\n"
                                              "https://www.exemple-societe.fr/equipe/helene");
        const double side = (modulesOf(shortRow) + 8) * MinModuleMm + 0.05;
        QVERIFY((modulesOf(longRow) + 8) * MinModuleMm > side);
        card.Logo.Width = side;
        card.Logo.Height = side;
        QTemporaryDir dir;
        const QString cardPath = dir.filePath("equipe.cdv");
        const QString csvPath = dir.filePath("equipe.csv");
        for (const auto& [path, bytes] :
             {std::pair{cardPath, cardfile::toBytes(card)},
              std::pair{csvPath, ("Nom;Contact\r\nLéa;Tél. 01 23 45 67 89\r\n" + longRow.zone(1).Text +
                                  ";\"" + longRow.zone(3).Text + "\"\r\n")
                                     .toUtf8()}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        QProcess kalimo;
        kalimo.start(KALIMO_EXECUTABLE, {"--pdf", dir.filePath("equipe.pdf"), "--merge", csvPath, cardPath});
        QVERIFY(kalimo.waitForFinished(60000));
        QCOMPARE(kalimo.exitCode(), 0);
        const QStringList said =
            QString::fromUtf8(kalimo.readAllStandardError()).split('\n').filter("Attention");
        QCOMPARE(said.size(), 1);
        QVERIFY2(said[0].startsWith(
                     QStringLiteral("Attention : %1, ligne 3 : Le code QR est trop petit").arg(csvPath)),
                 qPrintable(said[0]));
    }

    // The most a code holds at level M, with the UTF-8 announcement: 2330 bytes.
    void encoderLimit_data() {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("version"); // 0: no code
        QTest::newRow("one byte") << 1 << 1;
        QTest::newRow("the most version 1 holds") << 11 << 1;
        QTest::newRow("one more") << 12 << 2;
        QTest::newRow("the most of all") << 2330 << 40;
        QTest::newRow("too many") << 2331 << 0;
        QTest::newRow("nothing") << 0 << 0;
    }
    void encoderLimit() {
        QFETCH(int, bytes);
        QFETCH(int, version);
        const std::optional<QrMatrix> m = encodeQr(QByteArray(bytes, 'e'));
        QCOMPARE(m ? m->version : 0, version);
        if (m) {
            QCOMPARE(m->size, 17 + 4 * version);
            QCOMPARE(int(m->dark.size()), m->size * m->size);
        }
    }

    void emptyCard() {
        CardDocument card;
        card.Logo.Width = card.Logo.Height = 20;
        useContactCode(card.Logo);
        QCOMPARE(codewarning::forCard(card), QStringList{codewarning::empty()});
        QCOMPARE(troubleNames(drawnTroubles(card)),
                 QStringList{QStringLiteral("%1 ").arg(int(TroubleKind::CodeEmpty)) + codewarning::empty()});
        // A blank first line is no name: a name on a later line of zone 1 is not taken.
        card.zone(1).Text = QStringLiteral("\r\n");
        QCOMPARE(codewarning::forCard(card), QStringList{codewarning::empty()});
    }

    // A code that the cutting would cut: marked, wherever it crosses the card's edge.
    void pastTheEdge_data() {
        QTest::addColumn<QRectF>("logo");
        QTest::addColumn<bool>("marked");
        QTest::newRow("inside") << QRectF(3, 3, 25, 25) << false;
        QTest::newRow("at the corner") << QRectF(0, 0, 25, 25) << false;
        QTest::newRow("past the right edge") << QRectF(65, 3, 25, 25) << true;
        QTest::newRow("past the bottom") << QRectF(3, 35, 25, 25) << true;
        QTest::newRow("a wide rectangle whose square stays in") << QRectF(50, 3, 40, 20) << false;
    }
    void pastTheEdge() {
        QFETCH(QRectF, logo);
        QFETCH(bool, marked);
        CardDocument card = contactCard(logo.width(), logo.height());
        card.Logo.Left = logo.left();
        card.Logo.Top = logo.top();
        for (TextZone& z : card.Zones)
            z.Text.clear();
        card.zone(1).Text = QStringLiteral("A B");
        QStringList kinds;
        for (const CardTrouble& t : drawnTroubles(card))
            if (t.kind == TroubleKind::CodePastEdge)
                kinds << t.message;
        QCOMPARE(kinds,
                 marked ? QStringList{"Le code QR dépasse le bord de la carte : il sera coupé à la découpe."}
                        : QStringList());
    }

    // The mark is on the card in the logo's place, and in the logo's tooltip.
    void markedOnTheCard() {
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        m.card = contactCard(10, 10);
        w.refreshPreview();
        const std::vector<CardTrouble> troubles = w.Picture1->troubles();
        const auto mark = std::find_if(troubles.begin(), troubles.end(), [](const CardTrouble& t) {
            return t.kind == TroubleKind::CodeTooSmall;
        });
        QVERIFY(mark != troubles.end());
        QCOMPARE(mark->zone, 0);
        QCOMPARE(mark->area, QRectF(3, 3, 10, 10));
        w.Picture2->setToolTip(QStringLiteral("Double clic pour charger une image"));
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), w.Picture2->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(w.Picture2, &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("Double clic pour charger une image\n") + mark->message);
        QCOMPARE(w.Picture2->toolTip(), QStringLiteral("Double clic pour charger une image"));
        // The zones' tooltips do not carry it.
        for (const CardTrouble& t : troubles)
            if (t.kind == TroubleKind::CodeTooSmall)
                QVERIFY(!w.Label1->shownToolTip().contains(t.message));
    }
};

QTEST_MAIN(CodeWarningTest)
#include "tst_codewarning.moc"
