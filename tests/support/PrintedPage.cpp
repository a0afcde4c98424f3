#include "PrintedPage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

constexpr int Dpi = 100;

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(60000) && p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray();
}

int px(double mm) {
    return qRound(mm / 25.4 * Dpi);
}

QString mm(double v) {
    return QString::number(v, 'f', 2);
}

} // namespace

bool PrintedPage::load(const QString& pdf, int page) {
    const QRegularExpressionMatch pages =
        QRegularExpression("Pages: +(\\d+)\n").match(QString::fromLatin1(run("pdfinfo", {pdf})));
    pages_ = pages.hasMatch() ? pages.captured(1).toInt() : 0;
    QTemporaryDir dir;
    const QString n = QString::number(page);
    run("pdftoppm",
        {"-r", QString::number(Dpi), "-png", "-singlefile", "-f", n, "-l", n, pdf, dir.filePath("page")});
    image_ = QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
    words_.clear();
    QXmlStreamReader xml(run("pdftotext", {"-bbox", "-f", n, "-l", n, pdf, "-"}));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            const auto at = [&](const char* name) { return a.value(name).toDouble() * 25.4 / 72; };
            const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
            words_ << Word{xml.readElementText(), box};
        }
    return page >= 1 && pages_ >= page && !image_.isNull();
}

bool PrintedPage::isDark(double xMm, double yMm) const {
    const QPoint p(px(xMm), px(yMm));
    if (!image_.valid(p))
        return false;
    const QColor c = image_.pixelColor(p);
    return c.red() < 160 && c.green() < 160 && c.blue() < 160;
}

bool PrintedPage::isRed(double xMm, double yMm) const {
    const QPoint p(px(xMm), px(yMm));
    if (!image_.valid(p))
        return false;
    const QColor c = image_.pixelColor(p);
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}

double PrintedPage::darkShare(bool vertical, double at, double from, double to) const {
    int dark = 0, all = 0;
    for (int i = px(from); i <= px(to); ++i, ++all) {
        for (int c = px(at) - 1; c <= px(at) + 1; ++c) {
            const QPoint p = vertical ? QPoint(c, i) : QPoint(i, c);
            if (image_.valid(p)) {
                const QColor colour = image_.pixelColor(p);
                if (colour.red() < 160 && colour.green() < 160 && colour.blue() < 160) {
                    ++dark;
                    break;
                }
            }
        }
    }
    return all ? double(dark) / all : 0;
}

const PrintedPage::Word* PrintedPage::wordIn(const QString& text, const QRectF& cell) const {
    for (const Word& w : words_)
        if (w.text == text && cell.contains(w.box.center()))
            return &w;
    return nullptr;
}

QString PrintedPage::cellProblems(const PrintLayout& l, int n, bool present, bool logoOverFrame) const {
    // The sheet's rule, stated here on its own: two columns, five rows, filled row by row.
    const int column = (n - 1) % 2, row = (n - 1) / 2;
    const double x = l.leftMargin + column * (l.cardWidth + l.horizontalSeparator);
    const double y = l.topMargin + row * (l.cardHeight + l.verticalSeparator);
    const double w = l.cardWidth, h = l.cardHeight;
    const QRectF cell(x, y, w, h);
    QStringList out;
    const auto expect = [&out](bool holds, const QString& what) {
        if (!holds)
            out << what;
    };
    const QString at = QStringLiteral("cell %1 at %2, %3: ").arg(n).arg(mm(x), mm(y));
    if (!present) {
        expect(darkShare(false, y + 2, x + 3, x + w - 3) < 0.05, at + "a frame where none belongs");
        expect(!isRed(x + 7, y + 8), at + "a logo where none belongs");
        for (const char* word : {"Alpha", "Beta", "Gamma"})
            expect(!wordIn(QString::fromLatin1(word), cell), at + word + " where none belongs");
        return out.join(QLatin1String("; "));
    }
    // Cut marks on the cell's edges, dash-dot; the corners, where lines meet, left out.
    const double cuts[4] = {darkShare(false, y, x + 3, x + w - 3), darkShare(true, x + w, y + 3, y + h - 3),
                            darkShare(false, y + h, x + 3, x + w - 3), darkShare(true, x, y + 3, y + h - 3)};
    for (int side = 0; side < 4; ++side)
        expect(l.printCutMarks ? cuts[side] > 0.3 && cuts[side] < 0.92 : cuts[side] < 0.15,
               at + QStringLiteral("cut mark %1 covers %2 of its edge").arg(side + 1).arg(cuts[side]));
    // The frame, solid, 2 mm inside; its left side only below the logo.
    const double frame[4] = {
        darkShare(false, y + 2, x + 3, x + w - 3), darkShare(true, x + w - 2, y + 3, y + h - 3),
        darkShare(false, y + h - 2, x + 3, x + w - 3), darkShare(true, x + 2, y + 13, y + h - 3)};
    for (int side = 0; side < 4; ++side)
        expect(l.printFrame ? frame[side] > 0.97 : frame[side] < 0.15,
               at + QStringLiteral("frame side %1 covers %2 of its length").arg(side + 1).arg(frame[side]));
    // The logo, 1 mm from the left, 4 from the top, 12 x 8, and what lies over the frame there.
    expect(isRed(x + 7, y + 8), at + "no logo at its place");
    expect(!isRed(x + 7, y + 3) && !isRed(x + 7, y + 13) && !isRed(x + 14, y + 8) && !isRed(x + 0.3, y + 8),
           at + "logo beyond its box");
    expect(logoOverFrame || !l.printFrame ? isRed(x + 2, y + 8) : isDark(x + 2, y + 8),
           at + (logoOverFrame ? "the frame over the logo" : "the logo over the frame"));
    // The zones: left at 15 mm, right ending at 78, centred on 42.5; tops a third of the card apart.
    const Word* alpha = wordIn(QStringLiteral("Alpha"), cell);
    const Word* beta = wordIn(QStringLiteral("Beta"), cell);
    const Word* gamma = wordIn(QStringLiteral("Gamma"), cell);
    if (!alpha || !beta || !gamma) {
        out << at + "a zone missing";
        return out.join(QLatin1String("; "));
    }
    expect(qAbs(alpha->box.left() - (x + 15)) < 0.4, at + "zone 1 starts at " + mm(alpha->box.left()));
    expect(qAbs(beta->box.right() - (x + 78)) < 0.4, at + "zone 2 ends at " + mm(beta->box.right()));
    expect(qAbs(gamma->box.center().x() - (x + 42.5)) < 0.4,
           at + "zone 3 centred on " + mm(gamma->box.center().x()));
    expect(alpha->box.top() > y && alpha->box.top() < y + 4, at + "zone 1 top at " + mm(alpha->box.top()));
    expect(qAbs(beta->box.top() - alpha->box.top() - 0.33 * h) < 0.25,
           at + "zone 2 top at " + mm(beta->box.top()));
    expect(qAbs(gamma->box.top() - alpha->box.top() - 0.66 * h) < 0.25,
           at + "zone 3 top at " + mm(gamma->box.top()));
    return out.join(QLatin1String("; "));
}

bool PrintedPage::writeLookCard(const QString& folder) {
    QImage logo(24, 16, QImage::Format_RGB32);
    logo.fill(Qt::red);
    const QString logoPath = QDir(folder).filePath(QStringLiteral("logo.bmp"));
    if (!logo.save(logoPath, "BMP"))
        return false;
    QString lines;
    const char* const texts[3] = {"Alpha", "Beta", "Gamma"};
    for (int n = 1; n <= 3; ++n)
        lines += QStringLiteral("[Titre %1]\n\"%2\"\n[Police %1]\nDejaVu Sans\n 10\nFalse\nFalse\n"
                                "[Couleur %1]\n 0 \n[Alignement %1]\n %3 \n")
                     .arg(n)
                     .arg(QLatin1String(texts[n - 1]))
                     .arg(n - 1);
    lines += QStringLiteral("[Icone]\n 12\n 8\n 1\n 4\n") + logoPath + QLatin1Char('\n');
    QFile card(QDir(folder).filePath(QStringLiteral("carte.cdv")));
    const QByteArray bytes = lines.toUtf8().replace("\n", "\r\n");
    return card.open(QIODevice::WriteOnly) && card.write(bytes) == bytes.size();
}
