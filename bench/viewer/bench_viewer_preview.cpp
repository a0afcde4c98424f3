// How long the image viewer takes to preview a 6000 x 4000 JPEG photograph, against a full
// decode of the same file. The preview must be at least four times faster.
//
//   bench_viewer_preview [runs]      exit status 0 when the target is met, 1 otherwise
#include "platform/QtPictureLoader.h"
#include "viewer/PreviewLoading.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr double Target = 4.0;

// A photograph-like picture: shading and shapes, with fine grain of the given strength
// (0 for none). Grain is what makes a photograph's file large, and the size of the
// compressed data is what a scaled decode cannot avoid reading through.
QImage photograph(const QSize& size, int grainStrength) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(30, 60, 140));
    sky.setColorAt(0.5, QColor(200, 180, 120));
    sky.setColorAt(1, QColor(40, 110, 50));
    p.fillRect(image.rect(), sky);
    QRandomGenerator shapes(3);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3000; ++i) {
        p.setBrush(QColor::fromHsv(i * 37 % 360, 150, 200));
        p.drawEllipse(int(shapes.bounded(size.width())), int(shapes.bounded(size.height())), 80, 50);
    }
    p.end();
    if (grainStrength == 0)
        return image;
    QRandomGenerator grain(7);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int n = int(grain.bounded(2 * grainStrength + 1)) - grainStrength;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}

// The shortest of several runs, in milliseconds: the least disturbed by other work.
double fastest(int runs, const std::function<QSize()>& work, QSize* result) {
    double best = 1e18;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        *result = work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// Times both ways of reading one photograph; true when the preview meets the target.
bool measure(QTextStream& out, const QString& path, const char* kind, int runs) {
    QtPictureLoader loader;
    const QSize shown(viewer::LargePreviewTwips / 15, viewer::LargePreviewTwips / 15);
    QSize fullSize;
    QSize previewSize;
    const double full = fastest(
        runs, [&] { return loader.load(path)->naturalSize(); }, &fullSize);
    const double preview = fastest(
        runs, [&] { return viewer::loadPreview(loader, path, shown)->naturalSize(); }, &previewSize);
    const double ratio = full / preview;
    out << kind << " photograph, " << QFileInfo(path).size() / 1024 << " KB\n";
    out << "  full decode     " << fullSize.width() << "x" << fullSize.height() << "  "
        << QString::number(full, 'f', 1) << " ms\n";
    out << "  viewer preview  " << previewSize.width() << "x" << previewSize.height() << " for a "
        << shown.width() << "x" << shown.height() << " box  " << QString::number(preview, 'f', 1) << " ms\n";
    out << "  preview is " << QString::number(ratio, 'f', 1) << " times faster (target: at least "
        << QString::number(Target, 'f', 0) << ")  " << (ratio >= Target ? "OK" : "TOO SLOW") << "\n";
    out.flush();
    return ratio >= Target;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    QTextStream out(stdout);
    QTemporaryDir dir;
    bool met = true;
    const struct {
        const char* kind;
        int grain;
    } photographs[] = {{"smooth", 0}, {"detailed", 12}};
    for (const auto& photo : photographs) {
        const QString path = dir.filePath(QStringLiteral("photo-%1.jpg").arg(QLatin1String(photo.kind)));
        if (!photograph(QSize(6000, 4000), photo.grain).save(path, "JPG", 90)) {
            out << "could not write " << path << "\n";
            return 2;
        }
        met = measure(out, path, photo.kind, runs) && met;
    }
    return met ? 0 : 1;
}
