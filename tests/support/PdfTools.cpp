#include "PdfTools.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace pdftools {

static QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return ok ? p.readAllStandardOutput() : QByteArray();
}

QImage rasterise(const QString& pdfPath) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {"-r", "300", "-gray", "-png", "-singlefile", pdfPath, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

int pageCount(const QString& pdfPath) {
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfPath}));
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<Word> words(const QString& pdfPath) {
    QList<Word> out;
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdfPath, "-"}));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("word"))
            continue;
        const auto a = xml.attributes();
        const auto at = [&](const char* name) { return a.value(QLatin1String(name)).toDouble() * 25.4 / 72; };
        const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        out.append({xml.readElementText(), box});
    }
    return out;
}

bool lineAt(const QImage& page, bool vertical, double at, double from, double to) {
    const auto px = [](double mm) { return int(mm / 25.4 * 300); };
    int best = -1, bestCount = (px(to) - px(from)) / 4;
    for (int c = px(at) - 2; c <= px(at) + 2; ++c) {
        int n = 0;
        for (int i = px(from); i <= px(to); ++i)
            n += page.valid(vertical ? QPoint(c, i) : QPoint(i, c)) &&
                 qGray(page.pixel(vertical ? QPoint(c, i) : QPoint(i, c))) < 128;
        if (n > bestCount)
            std::tie(best, bestCount) = std::pair(c, n);
    }
    return best >= 0 && qAbs(best - px(at)) <= 1;
}

} // namespace pdftools
