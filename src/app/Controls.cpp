#include "app/Controls.h"

#include "app/CaptionRoom.h"

#include <QEvent>
#include <QFile>
#include <QLayout>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace controls {
namespace {

const char* const PlaceProperty = "kalimoTwips";
const char* const SizeProperty = "kalimoTwipsSize";
const char* const ScaleProperty = "kalimoScale";
// The largest scale a font can ask for: a bigger one would not fit any screen.
constexpr double MostScale = 4;

// The controls laid out in twips within the window, its own fixed size included; not those of
// the windows it owns.
QList<QWidget*> placedIn(QWidget* window) {
    QList<QWidget*> out;
    if (window->property(SizeProperty).isValid())
        out << window;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window &&
            (w->property(PlaceProperty).isValid() || w->property(SizeProperty).isValid()))
            out << w;
    return out;
}

QSize designSize(const QWidget* w) {
    const QVariant place = w->property(PlaceProperty);
    return place.isValid() ? place.toRect().size() : w->property(SizeProperty).toSize();
}

bool fitsAt(const QList<QWidget*>& placed, double scale) {
    for (const QWidget* w : placed) {
        const QSize design = designSize(w);
        const QSize box(pixels(design.width(), scale), pixels(design.height(), scale));
        const QSize room = captionRoom(w, box.width());
        if (room.width() > box.width() || room.height() > box.height())
            return false;
    }
    return true;
}

// Lays the window out again when what its captions need may have changed.
class FontFollower : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::ScreenChangeInternal:
            applyScale(static_cast<QWidget*>(watched), fittingScale(static_cast<QWidget*>(watched)));
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

int pixels(double twips, double scale) {
    // Exactly the whole pixels of the drawn layout at scale 1.
    return int(std::floor(twips * scale / TwipsPerPixel + 1e-9));
}

QRect pixels(const QRect& twips, double scale) {
    return {pixels(twips.x(), scale), pixels(twips.y(), scale), pixels(twips.width(), scale),
            pixels(twips.height(), scale)};
}

void place(QWidget* w, const Twips& geometry) {
    w->setProperty(PlaceProperty, geometry.rect);
    w->setGeometry(pixels(geometry.rect, scaleOf(w)));
}

void setFixedTwipsSize(QWidget* w, int width, int height) {
    w->setProperty(SizeProperty, QSize(width, height));
    const double scale = scaleOf(w);
    w->setFixedSize(pixels(width, scale), pixels(height, scale));
}

double scaleOf(const QWidget* w) {
    const QVariant scale = w->window()->property(ScaleProperty);
    return scale.isValid() ? scale.toDouble() : 1.0;
}

double fittingScale(const QWidget* window) {
    const QList<QWidget*> placed = placedIn(const_cast<QWidget*>(window));
    // A first guess from each box alone, then up in small steps for rounding and wrapped text.
    double scale = 1;
    for (const QWidget* w : placed) {
        const QSize design = designSize(w);
        const QSize room = captionRoom(w, pixels(design.width(), 1));
        if (design.width() > 0 && design.height() > 0)
            scale = std::max({scale, room.width() * double(TwipsPerPixel) / design.width(),
                              room.height() * double(TwipsPerPixel) / design.height()});
    }
    scale = std::min(scale, MostScale);
    while (scale < MostScale && !fitsAt(placed, scale))
        scale += 1.0 / 64;
    return scale;
}

void applyScale(QWidget* window, double scale) {
    window->setProperty(ScaleProperty, scale);
    for (QWidget* w : placedIn(window)) {
        const QVariant place = w->property(PlaceProperty);
        if (place.isValid())
            w->setGeometry(pixels(place.toRect(), scale));
        const QVariant size = w->property(SizeProperty);
        if (size.isValid())
            w->setFixedSize(pixels(size.toSize().width(), scale), pixels(size.toSize().height(), scale));
    }
}

void fitToFont(QWidget* window) {
    applyScale(window, fittingScale(window));
    const QString name = QStringLiteral("kalimoFontFollower");
    if (!window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) {
        auto* follower = new FontFollower(window);
        follower->setObjectName(name);
        window->installEventFilter(follower);
    }
}

QFont relativeFont(const QFont& base, double points) {
    QFont font = base;
    if (base.pointSizeF() > 0)
        font.setPointSizeF(std::max(1.0, base.pointSizeF() + points));
    else
        font.setPixelSize(std::max(1, int(std::lround(base.pixelSize() + points * 96 / 72))));
    return font;
}

QColor inkOn(const QColor& background) {
    // The relative luminance where black and white read equally well.
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(background.redF()) + 0.7152 * linear(background.greenF()) +
                             0.0722 * linear(background.blueF());
    return luminance > 0.179 ? QColor(Qt::black) : QColor(Qt::white);
}

void paintFixed(QWidget* w, QPalette::ColorRole role, const QColor& background) {
    const QPalette::ColorRole textRole = role == QPalette::Base     ? QPalette::Text
                                         : role == QPalette::Button ? QPalette::ButtonText
                                                                    : QPalette::WindowText;
    const QColor ink = inkOn(background);
    const QColor greyed = ink == Qt::black ? QColor(0x60, 0x60, 0x60) : QColor(0xB0, 0xB0, 0xB0);
    QPalette pal = w->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, role, background);
        pal.setColor(group, textRole, group == QPalette::Disabled ? greyed : ink);
    }
    w->setPalette(pal);
    if (role == QPalette::Window)
        w->setAutoFillBackground(true);
}

QIcon themeIcon(const char* themeName, const char* ownName) {
    // Drawn as a picture that stays sharp at any density where the program has one.
    const QString svg = QStringLiteral(":/resources/icons/%1.svg").arg(QLatin1String(ownName));
    const QIcon own(
        QFile::exists(svg) ? svg : QStringLiteral(":/resources/icons/%1.png").arg(QLatin1String(ownName)));
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor"))
        return own;
    return QIcon::fromTheme(QLatin1String(themeName), own);
}

} // namespace controls
