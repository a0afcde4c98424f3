// Build helper: renders the program's SVG icon to square PNG files for the icon theme.
// Usage: render-icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 4 || args.size() % 2 != 0) {
        err << "usage: render-icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]\n";
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        err << "cannot read " << args.at(1) << "\n";
        return 1;
    }
    for (int i = 2; i < args.size(); i += 2) {
        const int size = args.at(i).toInt();
        const QString out = args.at(i + 1);
        if (size <= 0 || size > 4096) {
            err << "bad size " << args.at(i) << "\n";
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        if (!QDir().mkpath(QFileInfo(out).absolutePath()) || !image.save(out, "PNG")) {
            err << "cannot write " << out << "\n";
            return 1;
        }
    }
    return 0;
}
