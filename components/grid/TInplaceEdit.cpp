#include "components/grid/TInplaceEdit.h"

#include <QApplication>
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
    const QWidget* now = QApplication::focusWidget();
    const bool stillInGrid = now && (now == parentWidget() || parentWidget()->isAncestorOf(now));
    // A box or menu taking the focus for a moment is not leaving the grid.
    const bool passing =
        event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
    if (!passing && !stillInGrid && isVisible() && OnLeaveGrid)
        OnLeaveGrid();
}

} // namespace trevalo
