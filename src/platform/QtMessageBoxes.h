#pragma once

#include "platform/MessageBoxes.h"

#include <QFontMetrics>
#include <memory>

class QMessageBox;
class QWidget;

class QtMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const MessageRequest& request) override;

    // The box for a request, ready to run: text, icon, buttons, and a width that shows its title.
    static std::unique_ptr<QMessageBox> build(const MessageRequest& request, QWidget* parent = nullptr);
    // The width a box needs for its title to show whole in the title bar, with room for the
    // window's icon and buttons, within the given screen width.
    static int widthForTitle(const QString& title, const QFontMetrics& titleFont, int screenWidth);
};
