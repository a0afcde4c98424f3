#include "app/CardPreview.h"

#include "app/Controls.h"
#include "platform/CardText.h"
#include "platform/ScreenSurface.h"
#include "print/DecoupeLignes.h"
#include "print/PrintJobs.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <exception>

ZoneLabel::ZoneLabel(int zone, QWidget* parent) : PressableLabel(parent), zone_(zone) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
}

void ZoneLabel::showZone(const TextZone& zone) {
    QString text = zone.Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setText(text);
}

void ZoneLabel::setHighlight(bool opaque, quint32 backColour) {
    opaque_ = opaque;
    backColour_ = backColour;
    emit highlightChanged();
}

QString ZoneLabel::shownToolTip() const {
    QString tip = toolTip();
    const auto* view = qobject_cast<const CardView*>(parentWidget());
    if (!view)
        return tip;
    for (const CardTrouble& t : view->troubles())
        if (t.zone == zone_)
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + t.message;
    return tip;
}

void ZoneLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

// The card's drawing shows the zone; the box adds only the focus.
void ZoneLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFocusFrame(painter);
}

bool ZoneLabel::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    // Shown as the zone's own tooltip, with what will not come out right added below it.
    const QString own = toolTip();
    const QSignalBlocker block(this);
    setToolTip(shownToolTip());
    const bool handled = QLabel::event(event);
    setToolTip(own);
    return handled;
}

LogoBox::LogoBox(QWidget* parent) : PressableLabel(parent) {
    connect(this, &PressableLabel::clicked, this, &LogoBox::doubleClicked);
}

void LogoBox::setPicture(const Picture& picture) {
    picture_ = picture;
}

void LogoBox::placeTwips(const QRectF& twips, double scale) {
    const double f = scale / TwipsPerPixel;
    setGeometry(int(std::lround(twips.x() * f)), int(std::lround(twips.y() * f)),
                std::max(0, int(std::lround(twips.width() * f))),
                std::max(0, int(std::lround(twips.height() * f))));
}

void LogoBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

bool LogoBox::event(QEvent* event) {
    const auto* view = qobject_cast<const CardView*>(parentWidget());
    if (event->type() != QEvent::ToolTip || !view)
        return QWidget::event(event);
    // What will not come out right in the logo's place, below the box's own tooltip.
    const QString own = toolTip();
    QString tip = own;
    for (const CardTrouble& t : view->troubles())
        if (t.zone == 0)
            tip += (tip.isEmpty() ? QString() : QStringLiteral("\n")) + t.message;
    const QSignalBlocker block(this);
    setToolTip(tip);
    const bool handled = QWidget::event(event);
    setToolTip(own);
    return handled;
}

void LogoBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFocusFrame(painter);
}

namespace {

// The text up to its last printable line: printing takes at most that many.
QString printableLines(const QString& text) {
    qsizetype at = -1;
    for (int i = 0; i < ZonePrintLines::MaxLines; ++i) {
        at = text.indexOf(QLatin1String("\r\n"), at + 1);
        if (at < 0)
            return text;
    }
    return text.left(at);
}

bool tooManyLinesIn(const QString& text) {
    return text.count(QLatin1String("\r\n")) >= ZonePrintLines::MaxLines;
}

const QColor Outline(128, 128, 128);
const QColor Placeholder(160, 160, 160);
const QColor Trouble(220, 0, 0);

} // namespace

CardView::CardView(const CardDocument& card, const PrintLayout& layout, QWidget* parent)
    : QWidget(parent), card_(card), layout_(layout) {
    for (int n = 1; n <= 3; ++n) {
        labels_[n - 1] = new ZoneLabel(n, this);
        labels_[n - 1]->setObjectName(QStringLiteral("Label%1").arg(n));
        connect(labels_[n - 1], &ZoneLabel::highlightChanged, this, qOverload<>(&QWidget::update));
    }
    // Above the zones, so that its double click reaches it.
    logo_ = new LogoBox(this);
    logo_->setObjectName(QStringLiteral("Picture2"));
}

double CardView::scale() const {
    const double k = TwipsPerMm / TwipsPerPixel;
    const double w = std::max(layout_.cardWidth, 1.0) * k;
    const double h = std::max(layout_.cardHeight, 1.0) * k;
    // Never larger than the window's layout is drawn.
    return std::min({controls::scaleOf(this), width() / w, height() / h});
}

double CardView::pixelsPerMm() const {
    return TwipsPerMm / TwipsPerPixel * scale();
}

int CardView::selectedZone() const {
    for (int n = 1; n <= 3; ++n)
        if (labels_[n - 1]->isOpaque())
            return n;
    return 0;
}

void CardView::refresh() {
    const double k = pixelsPerMm();
    const DrawnCard d = measure();
    const double bottom = std::max(layout_.cardHeight, 1.0);
    for (int n = 1; n <= 3; ++n) {
        const double top = d.zones[std::size_t(n - 1)].top;
        const double next = n < 3 ? d.zones[std::size_t(n)].top : bottom;
        labels_[n - 1]->setGeometry(
            QRectF(0, top * k, std::max(layout_.cardWidth, 1.0) * k, (next - top) * k).toAlignedRect());
    }
    logo_->placeTwips(card_.Logo.boxTwips, scale());
    update();
}

DrawnCard CardView::drawOn(PrinterSurface& s) const {
    CardDocument shown = card_;
    for (TextZone& zone : shown.Zones)
        zone.Text = printableLines(zone.Text);
    std::array<ZonePrintLines, 3> lines;
    DrawnCard drawn;
    if (!DecoupeLignes(shown, lines))
        return drawn;
    // As a page of cards prints it.
    try {
        s.setScaleMode(6);
        s.setTransparentText(true);
        s.setLineWidthDots(PageLineDots);
        drawCard(s, {shown, layout_, lines}, CardOrigin{}, DrawOrder::DecorationsFirst, &drawn);
    } catch (const std::exception&) {
        // A font the surface refuses: what was drawn so far stays; printing will say.
    }
    return drawn;
}

DrawnCard CardView::measure() const {
    ScreenSurface measuring(nullptr, 1);
    return drawOn(measuring);
}

std::vector<CardTrouble> CardView::troublesOf(const DrawnCard& drawn) const {
    std::vector<CardTrouble> out = findTroubles(drawn);
    for (int n = 1; n <= 3; ++n)
        if (tooManyLinesIn(card_.zone(n).Text))
            out.push_back(tooManyLines(n, drawn));
    return out;
}

std::vector<CardTrouble> CardView::troubles() const {
    return troublesOf(measure());
}

void CardView::paintBand(QPainter& p, double k, const DrawnCard& d) const {
    const int n = selectedZone();
    if (n == 0 || d.zones[std::size_t(n - 1)].lines.empty())
        return;
    const DrawnZone& z = d.zones[std::size_t(n - 1)];
    double left = z.left - 1, right = d.card.right() - 1;
    double top = z.lines.front().top(), bottom = top;
    for (const QRectF& line : z.lines) {
        if (line.width() > 0) {
            left = std::min(left, line.left() - 0.5);
            right = std::max(right, line.right() + 0.5);
        }
        bottom = std::max(bottom, line.bottom());
    }
    QColor band = palette().color(QPalette::Highlight);
    band.setAlpha(70);
    p.fillRect(QRectF(left * k, top * k, (right - left) * k, (bottom - top) * k), band);
}

void CardView::paintPlaceholders(QPainter& p, double k, const DrawnCard& d) const {
    for (int n = 1; n <= 3; ++n) {
        const TextZone& zone = card_.zone(n);
        const DrawnZone& z = d.zones[std::size_t(n - 1)];
        if (!zone.Text.trimmed().isEmpty() || z.lines.empty() || !(zone.FontSize > 0))
            continue;
        const CardText text(zone.FontName, zone.FontSize, false, true);
        text.draw(p, k, z.left, z.lines.front().top(), {QStringLiteral("Zone %1").arg(n)}, Placeholder,
                  false);
    }
}

void CardView::paintTroubles(QPainter& p, double k, const DrawnCard& d) const {
    const QRectF card(d.card.x() * k, d.card.y() * k, d.card.width() * k, d.card.height() * k);
    for (const CardTrouble& t : troublesOf(d)) {
        // An outline only: the text keeps its own colour.
        const QRectF area(t.area.x() * k, t.area.y() * k, t.area.width() * k, t.area.height() * k);
        p.setPen(QPen(Trouble, 0));
        p.drawRect(area);
        if (t.kind != TroubleKind::PastEdge)
            continue;
        // A bar on the edge the line crosses, inside the card where it shows.
        p.setPen(QPen(Trouble, 3));
        if (area.right() > card.right())
            p.drawLine(QPointF(card.right() - 1.5, area.top()), QPointF(card.right() - 1.5, area.bottom()));
        else if (area.left() < card.left())
            p.drawLine(QPointF(card.left() + 1.5, area.top()), QPointF(card.left() + 1.5, area.bottom()));
        else if (area.bottom() > card.bottom())
            p.drawLine(QPointF(area.left(), card.bottom() - 1.5), QPointF(area.right(), card.bottom() - 1.5));
        else
            p.drawLine(QPointF(area.left(), card.top() + 1.5), QPointF(area.right(), card.top() + 1.5));
    }
}

void CardView::paintCard(QPainter& p, double k) const {
    const DrawnCard d = measure();
    const QRectF card(0, 0, d.card.width() * k, d.card.height() * k);
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    p.fillRect(card, Qt::white);
    paintBand(p, k, d);
    ScreenSurface surface(&p, k);
    drawOn(surface);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Outline, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(card.adjusted(0, 0, -1, -1));
    paintPlaceholders(p, k, d);
    paintTroubles(p, k, d);
    p.restore();
}

void CardView::resizeEvent(QResizeEvent*) {
    refresh();
}

void CardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    paintCard(p, pixelsPerMm());
}
