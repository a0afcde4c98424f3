#pragma once

#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

// Page 1 of a PDF through the poppler tools, as a person would look at the printed page.
namespace pdftools {

inline QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return ok ? p.readAllStandardOutput() : QByteArray();
}

// At 300 dpi in grey levels; null when it fails.
inline QImage rasterise(const QString& pdf) {
    QTemporaryDir dir;
    run("pdftoppm", {"-r", "300", "-gray", "-png", "-singlefile", pdf, dir.filePath("page")});
    return QImage(dir.filePath("page.png")).convertToFormat(QImage::Format_Grayscale8);
}

inline int pageCount(const QString& pdf) {
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(run("pdfinfo", {pdf})));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The boxes of the words, in millimetres from the top-left corner.
inline QList<QRectF> wordBoxes(const QString& pdf) {
    QList<QRectF> out;
    QXmlStreamReader xml(run("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("word")) {
            const auto at = [&](const char* name) {
                return xml.attributes().value(name).toDouble() * 25.4 / 72;
            };
            out << QRectF(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        }
    return out;
}

// Whether a line, dark over a quarter of from..to at least, lies within one pixel of `at` (all in mm).
inline bool lineAt(const QImage& page, bool vertical, double at, double from, double to) {
    const auto px = [](double mm) { return int(mm / 25.4 * 300); };
    int best = -1, bestCount = (px(to) - px(from)) / 4;
    for (int c = px(at) - 2; c <= px(at) + 2; ++c) {
        int n = 0;
        for (int i = px(from); i <= px(to); ++i) {
            const QPoint p = vertical ? QPoint(c, i) : QPoint(i, c);
            n += page.valid(p) && qGray(page.pixel(p)) < 128;
        }
        if (n > bestCount)
            std::tie(best, bestCount) = std::pair(c, n);
    }
    return best >= 0 && qAbs(best - px(at)) <= 1;
}

} // namespace pdftools
