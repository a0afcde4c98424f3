// Files dropped on the main window: a card opens, a picture dropped on the logo becomes it.
#include "app/CardPreview.h"
#include "app/DropAction.h"
#include "app/Form1.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

namespace {

DropAction actionAt(Form1& w, const QMimeData* data, const QPoint& at) {
    if (!data || !data->hasUrls())
        return {};
    const bool overLogo = w.Picture2->isVisible() && w.Picture2->rect().contains(w.Picture2->mapFrom(&w, at));
    return DropAction::of(data->urls(), overLogo);
}

} // namespace

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    // Accepted anywhere a file might be dropped: the move events tell where it may land.
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    if (actionAt(*this, event->mimeData(), event->position().toPoint()).kind != DropAction::Kind::None)
        event->acceptProposedAction();
    else
        event->ignore();
}

void Form1::dropEvent(QDropEvent* event) {
    const DropAction action = actionAt(*this, event->mimeData(), event->position().toPoint());
    switch (action.kind) {
    case DropAction::Kind::None:
        event->ignore();
        return;
    case DropAction::Kind::OpenCard:
        event->acceptProposedAction();
        // Questions and dialogs come after the drop is over, so that the program the file
        // came from is not held waiting for them.
        QTimer::singleShot(0, this, [this, path = action.path] { openCardFile(path); });
        return;
    case DropAction::Kind::SetLogo:
        event->acceptProposedAction();
        QTimer::singleShot(0, this, [this, path = action.path] { takeLogoFile(path); });
        return;
    }
}
