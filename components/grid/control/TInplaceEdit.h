/// \file
/// The one-line text box that opens over a grid cell; the keys that belong to the grid (Tab,
/// Esc, Enter, the row moves, Ins, Ctrl+Del) and the loss of focus go back to the grid.
#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>

namespace trevalo {

class CharacterLimit;

class TInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TInplaceEdit(QWidget* grid);

    /// At most \p limit characters (code points), or no limit.
    void SetCharacterLimit(std::optional<int> limit);

    /// Offered every key first; answers whether the grid took it.
    std::function<bool(QKeyEvent*)> OnGridKey;
    /// The open editor lost the focus.
    std::function<void(QFocusEvent*)> OnFocusOut;

    /// Closed, the editor hands the focus it is given to its grid: a menu bar or a window that
    /// gives the focus back to the editor it took it from finds the grid when the editor has
    /// closed meanwhile.
    void setVisible(bool visible) override;

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    CharacterLimit* limit_;
};

} // namespace trevalo
