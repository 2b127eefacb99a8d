#include "components/grid/control/TInplaceEdit.h"

#include "components/grid/control/CharacterLimit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace trevalo {

TInplaceEdit::TInplaceEdit(QWidget* grid)
    : QLineEdit(grid)
    , limit_(new CharacterLimit(0, this)) {
    setFrame(false);
    hide();
}

void TInplaceEdit::SetCharacterLimit(std::optional<int> limit) {
    // The line editor's own limit counts UTF-16 units and would split a surrogate pair.
    if (limit)
        limit_->SetLimit(*limit);
    setValidator(limit ? limit_ : nullptr);
}

void TInplaceEdit::setVisible(bool visible) {
    if (visible)
        setFocusProxy(nullptr);
    QLineEdit::setVisible(visible);
    if (!visible)
        setFocusProxy(parentWidget());
}

bool TInplaceEdit::event(QEvent* event) {
    // Tab reaches event() before keyPressEvent(); the grid must see it first.
    if (event->type() == QEvent::KeyPress && OnGridKey && OnGridKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QLineEdit::event(event);
}

void TInplaceEdit::focusOutEvent(QFocusEvent* event) {
    // The menu bar only borrows the focus: the selection stays, so that typing after the menu
    // closes replaces it as it would have before.
    const int start = selectionStart();
    const int cursor = cursorPosition();
    const int anchor = cursor == start ? selectionEnd() : start;
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::MenuBarFocusReason && start >= 0)
        setSelection(anchor, cursor - anchor);
    if (isVisible() && OnFocusOut)
        OnFocusOut(event);
}

} // namespace trevalo
