/// \file
/// The one-line text box that opens over a grid cell; the keys that belong to the grid (Tab,
/// Esc, Enter, the row moves, Ins, Ctrl+Del) and the loss of focus go back to the grid.
#pragma once

#include <QLineEdit>
#include <functional>

namespace trevalo {

class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(QWidget* grid);

    /// Offered every key first; answers whether the grid took it.
    std::function<bool(QKeyEvent*)> OnGridKey;
    /// The open editor lost the focus.
    std::function<void(QFocusEvent*)> OnFocusOut;

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace trevalo
