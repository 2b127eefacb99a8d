#include "components/grid/TInplaceEdit.h"

#include "components/grid/CharacterLimit.h"

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
