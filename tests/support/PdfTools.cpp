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
        QStringLiteral("-r %1 -gray -png -f 1 -singlefile").arg(dpi).split(QLatin1Char(' '))
            << pdfPath << stem);
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
    QXmlStreamReader xml(
        run(QStringLiteral("pdftotext"), QStringLiteral("-bbox -f 1 -l 1").split(QLatin1Char(' '))
                                             << pdfPath << QStringLiteral("-")));
    const double mmPerPt = 25.4 / 72;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("word"))
            continue;
        const auto a = xml.attributes();
        const auto at = [&](const char* name) { return a.value(QLatin1String(name)).toDouble() * mmPerPt; };
        const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        out.append({xml.readElementText(), box});
    }
    return out;
}

int darkAlong(const QImage& page, bool vertical, int at, int from, int to) {
    if (at < 0 || at >= (vertical ? page.width() : page.height()))
        return 0;
    int n = 0;
    for (int i = std::max(from, 0); i <= std::min(to, (vertical ? page.height() : page.width()) - 1); ++i)
        if (qGray(vertical ? page.pixel(at, i) : page.pixel(i, at)) < 128)
            ++n;
    return n;
}

int lineNear(const QImage& page, bool vertical, int at, int from, int to) {
    int best = -1, bestCount = (to - from) / 4;
    for (int c = at - 2; c <= at + 2; ++c) {
        const int n = darkAlong(page, vertical, c, from, to);
        if (n > bestCount) {
            bestCount = n;
            best = c;
        }
    }
    return best;
}

bool lineAt(const QImage& page, bool vertical, double at, double from, double to) {
    const int found = lineNear(page, vertical, px(at), px(from), px(to));
    return found >= 0 && qAbs(found - px(at)) <= 1;
}

} // namespace pdftools
