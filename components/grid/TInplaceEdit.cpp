#include "components/grid/TInplaceEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace trevalo {

TInplaceEdit::TInplaceEdit(QWidget* grid)
    : QLineEdit(grid) {
    setFrame(false);
    hide();
}

bool TInplaceEdit::event(QEvent* event) {
    // Tab reaches event() before keyPressEvent(); the grid must see it first.
    if (event->type() == QEvent::KeyPress && OnGridKey && OnGridKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QLineEdit::event(event);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (isVisible() && OnFocusOut)
        OnFocusOut(event);
}

} // namespace trevalo
