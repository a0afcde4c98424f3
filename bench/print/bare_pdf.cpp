// A bare Qt program that writes a one-page A4 PDF of ten card rectangles, for comparison
// with Kalimo printing a page of ten cards to PDF.
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    const double k = 600 / 25.4;
    for (int n = 0; n < 10; ++n)
        painter.drawRect(QRectF((5 + n % 2 * 85) * k, n / 2 * 54 * k, 85 * k, 54 * k));
    return painter.end() ? 0 : 1;
}
