#pragma once

#include <QSize>

class QWidget;

// The room, in pixels, that a control needs to show its caption whole with its own font and
// style: the text within the button's bevel, beside the check mark, under a frame's title.
// width is the width a word-wrapped label would have. Empty for a control without a caption.
QSize captionRoom(const QWidget* control, int width);
