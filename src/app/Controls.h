#pragma once

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <type_traits>

// Building a window's controls at their places in twips (15 per pixel), named as the
// program names them so that code and tests find them.
namespace controls {

inline QRect twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

template <typename W> W* make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

// A control with its caption (a frame's title).
template <typename W>
W* captioned(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    auto* w = make<W>(parent, name, geometry);
    if constexpr (std::is_base_of_v<QGroupBox, W>)
        w->setTitle(caption);
    else
        w->setText(caption);
    return w;
}

inline QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    return captioned<QLabel>(parent, name, caption, geometry);
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    return captioned<QPushButton>(parent, name, caption, geometry);
}

// A desktop theme icon, or the program's own (":/resources/icons/NAME.png") when the desktop
// has none. Without a desktop theme (only the bare "hicolor") a look-up finds nothing and
// costs start-up time.
inline QIcon themeIcon(const char* themeName, const char* ownName) {
    const QIcon own(QStringLiteral(":/resources/icons/%1.png").arg(QLatin1String(ownName)));
    const QString theme = QIcon::themeName();
    if (theme.isEmpty() || theme == QLatin1String("hicolor"))
        return own;
    return QIcon::fromTheme(QLatin1String(themeName), own);
}

} // namespace controls
