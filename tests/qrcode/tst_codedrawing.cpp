// How the contact code is drawn: a white square, then one black box per run of dark modules,
// on the module grid inside a margin of four modules, whatever the zones' colours; in the
// order of the logo for each job; and on screen by the same drawing, readable there too.
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "print/DecoupeLignes.h"
#include "qrcode/ContactCode.h"
#include "qrcode/ContactDetails.h"
#include "qrcode/VCard.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

CardDocument contactCard() {
    CardDocument card;
    card.zone(1).Text = QStringLiteral("Noémie Garçon");
    card.zone(2).Text = QStringLiteral("Fleuriste\r\nLes Jardins d'Hélène");
    card.zone(3).Text = QStringLiteral("Port. 06 98 76 54 32\r\nwww.jardins-helene.fr");
    const quint32 colours[3] = {0x0000FF, colour::WindowText, 0x00FF00};
    for (int n = 1; n <= 3; ++n) {
        card.zone(n).FontName = QStringLiteral("Liberation Sans");
        card.zone(n).ForeColor = colours[n - 1];
        card.zone(n).Alignment = 1;
    }
    card.Logo.Left = 4;
    card.Logo.Top = 2;
    card.Logo.Width = 24;
    card.Logo.Height = 20;
    useContactCode(card.Logo);
    return card;
}

struct Box {
    double x1, y1, x2, y2;
    quint32 colour;
};

QList<Box> boxesOf(const QStringList& calls) {
    static const QRegularExpression re(QStringLiteral("^FillBox\\(([-\\d.e]+), ([-\\d.e]+), ([-\\d.e]+), "
                                                      "([-\\d.e]+), (\\d+)\\)$"));
    QList<Box> boxes;
    for (const QString& call : calls) {
        const QRegularExpressionMatch m = re.match(call);
        if (m.hasMatch())
            boxes << Box{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), m.captured(5).toUInt()};
    }
    return boxes;
}

QStringList drawnCalls(const CardDocument& card, DrawOrder order, CardOrigin at = {}) {
    RecordingPrinterSurface surface;
    std::array<ZonePrintLines, 3> lines;
    if (!DecoupeLignes(card, lines))
        return {};
    drawCard(surface, {card, PrintLayout::builtIn(), lines}, at, order);
    return surface.calls;
}

bool near(double a, double b) {
    return std::abs(a - b) < 1e-6;
}

} // namespace

class CodeDrawingTest : public QObject {
    Q_OBJECT
private slots:
    // Cells 1 and 4: the code follows the card's origin.
    void modulesOnTheGrid_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("cell 1") << 5.0 << 0.0;
        QTest::newRow("cell 4") << 95.0 << 55.0;
    }
    void modulesOnTheGrid() {
        QFETCH(double, x);
        QFETCH(double, y);
        const CardDocument card = contactCard();
        const QrMatrix m = *encodeQr(vcardOf(contactDetailsOf(card)));
        const QList<Box> boxes = boxesOf(drawnCalls(card, DrawOrder::DecorationsFirst, {x, y}));
        QVERIFY(boxes.size() > 1);

        // The square: 20 mm, centred in the 24 x 20 rectangle, white.
        const Box& square = boxes.front();
        QVERIFY(near(square.x1, x + 6) && near(square.y1, y + 2) && near(square.x2, x + 26) &&
                near(square.y2, y + 22));
        QCOMPARE(square.colour, 0xFFFFFFu);

        // Every dark module once, black, on the grid; no light module covered.
        const double unit = 20.0 / (m.size + 8);
        std::vector<int> covered(std::size_t(m.size * m.size), 0);
        for (const Box& b : boxes.mid(1)) {
            QCOMPARE(b.colour, 0u);
            const double row = (b.y1 - (y + 2)) / unit - 4, first = (b.x1 - (x + 6)) / unit - 4;
            const double end = (b.x2 - (x + 6)) / unit - 4;
            QVERIFY2(std::abs(row - std::round(row)) < 1e-6 && std::abs(first - std::round(first)) < 1e-6 &&
                         std::abs(end - std::round(end)) < 1e-6,
                     "off the module grid");
            QVERIFY(near(b.y2 - b.y1, unit));
            const int r = int(std::lround(row));
            QVERIFY(r >= 0 && r < m.size && first >= -1e-6 && end <= m.size + 1e-6 && end > first);
            for (int c = int(std::lround(first)); c < int(std::lround(end)); ++c)
                ++covered[std::size_t(r * m.size + c)];
        }
        for (int r = 0; r < m.size; ++r)
            for (int c = 0; c < m.size; ++c)
                QVERIFY2(covered[std::size_t(r * m.size + c)] == (m.isDark(r, c) ? 1 : 0),
                         qPrintable(QStringLiteral("module %1, %2").arg(r).arg(c)));
    }

    // The page puts its logo over the frame and cut marks, the single card under them; the
    // code keeps the logo's place in both, before the text.
    void order_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("expected");
        QTest::newRow("page") << int(DrawOrder::DecorationsFirst) << "Line,FillBox,Print";
        QTest::newRow("single card") << int(DrawOrder::LogoFirst) << "FillBox,Line,Print";
    }
    void order() {
        QFETCH(int, order);
        QFETCH(QString, expected);
        QStringList kinds;
        for (const QString& call : drawnCalls(contactCard(), DrawOrder(order))) {
            const QString kind = call.section(QRegularExpression("[(=]"), 0, 0);
            if ((kind == "Line" || kind == "FillBox" || kind == "Print") &&
                (kinds.isEmpty() || kinds.back() != kind))
                kinds << kind;
        }
        QCOMPARE(kinds.join(','), expected);
    }

    // Which of the logo's states draw the code: the recorded word decides, as the picture
    // shown decides for a picture; "AUCUN" draws nothing.
    void logoStates_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("the code") << "QRCODE"
                                  << "QRCODE"
                                  << "FillBox";
        QTest::newRow("after a cancelled choice") << ""
                                                  << "QRCODE"
                                                  << "FillBox";
        QTest::newRow("after a picture that did not load") << "/cartes/abîmé.bmp"
                                                           << "QRCODE"
                                                           << "FillBox";
        QTest::newRow("no logo") << "AUCUN"
                                 << ""
                                 << "";
        QTest::newRow("a picture") << "/cartes/logo.bmp"
                                   << "/cartes/logo.bmp"
                                   << "PaintPicture";
        QTest::newRow("the word in small letters is a file") << "qrcode"
                                                             << "qrcode"
                                                             << "PaintPicture";
    }
    void logoStates() {
        QFETCH(QString, path);
        QFETCH(QString, recorded);
        QFETCH(QString, drawn);
        CardDocument card = contactCard();
        card.Logo.Path = path;
        card.Logo.RecordedPath = recorded;
        QStringList kinds;
        for (const QString& call : drawnCalls(card, DrawOrder::DecorationsFirst)) {
            const QString kind = call.section('(', 0, 0);
            if ((kind == "FillBox" || kind == "PaintPicture") && !kinds.contains(kind))
                kinds << kind;
        }
        QCOMPARE(kinds.join(','), drawn);
    }

    // The main window's card, painted as the screen paints it, read by a barcode reader.
    void readOnScreen() {
        if (QStandardPaths::findExecutable("zbarimg").isEmpty())
            QFAIL("zbarimg is missing (zbar-tools)");
        const CardDocument card = contactCard();
        const PrintLayout layout = PrintLayout::builtIn();
        CardView view(card, layout);
        view.resize(400, 300);
        const double k = 16; // pixels per millimetre
        QImage image(int(layout.cardWidth * k), int(layout.cardHeight * k), QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            view.paintCard(p, k);
        }
        QTemporaryDir dir;
        const QString png = dir.filePath("ecran.png");
        QVERIFY(image.save(png));
        QProcess zbar;
        zbar.start("zbarimg", {"--raw", "-q", png});
        QVERIFY(zbar.waitForFinished(60000));
        QCOMPARE(zbar.readAllStandardOutput(), vcardOf(contactDetailsOf(card)) + "\n");
        // On screen too, the code is black on white: no pixel of the zones' colours in its square.
        const QRect square(int(6 * k) + 1, int(2 * k) + 1, int(20 * k) - 2, int(20 * k) - 2);
        for (int y = square.top(); y <= square.bottom(); ++y)
            for (int x = square.left(); x <= square.right(); ++x) {
                const QRgb px = image.pixel(x, y);
                QVERIFY2(qRed(px) == qGreen(px) && qGreen(px) == qBlue(px),
                         qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            }
    }
};

QTEST_MAIN(CodeDrawingTest)
#include "tst_codedrawing.moc"
