#include "PdfTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace pdftools {

namespace {

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

} // namespace

QImage rasterise(const QString& pdfPath, int dpi) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-singlefile"), pdfPath, stem});
    QImage image(stem + QStringLiteral(".png"));
    return image.isNull() ? image : image.convertToFormat(QImage::Format_Grayscale8);
}

int pageCount(const QString& pdfPath) {
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfPath}));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<Word> words(const QString& pdfPath) {
    QList<Word> out;
    const QByteArray html = run(QStringLiteral("pdftotext"),
                                {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                                 QStringLiteral("-l"), QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    QXmlStreamReader xml(html);
    const double mmPerPt = 25.4 / 72;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("word"))
            continue;
        const auto a = xml.attributes();
        const double x0 = a.value(QLatin1String("xMin")).toDouble();
        const double y0 = a.value(QLatin1String("yMin")).toDouble();
        const double x1 = a.value(QLatin1String("xMax")).toDouble();
        const double y1 = a.value(QLatin1String("yMax")).toDouble();
        out.append({xml.readElementText(), QRectF(QPointF(x0, y0) * mmPerPt, QPointF(x1, y1) * mmPerPt)});
    }
    return out;
}

int darkInColumn(const QImage& page, int x, int fromY, int toY) {
    int n = 0;
    if (x < 0 || x >= page.width())
        return 0;
    for (int y = std::max(fromY, 0); y <= std::min(toY, page.height() - 1); ++y)
        if (qGray(page.pixel(x, y)) < 128)
            ++n;
    return n;
}

int darkInRow(const QImage& page, int y, int fromX, int toX) {
    int n = 0;
    if (y < 0 || y >= page.height())
        return 0;
    for (int x = std::max(fromX, 0); x <= std::min(toX, page.width() - 1); ++x)
        if (qGray(page.pixel(x, y)) < 128)
            ++n;
    return n;
}

int lineColumnNear(const QImage& page, int x, int fromY, int toY) {
    int best = -1, bestCount = (toY - fromY) / 4;
    for (int c = x - 2; c <= x + 2; ++c) {
        const int n = darkInColumn(page, c, fromY, toY);
        if (n > bestCount) {
            bestCount = n;
            best = c;
        }
    }
    return best;
}

int lineRowNear(const QImage& page, int y, int fromX, int toX) {
    int best = -1, bestCount = (toX - fromX) / 4;
    for (int r = y - 2; r <= y + 2; ++r) {
        const int n = darkInRow(page, r, fromX, toX);
        if (n > bestCount) {
            bestCount = n;
            best = r;
        }
    }
    return best;
}

} // namespace pdftools
