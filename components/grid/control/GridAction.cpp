#include "components/grid/control/GridAction.h"

namespace trevalo {

namespace {

std::optional<GridAction> GroupRowKeyAction(int key) {
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Plus:
        return GridAction::Expand;
    case Qt::Key_Left:
    case Qt::Key_Minus:
        return GridAction::Collapse;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return GridAction::ToggleGroup;
    default:
        return std::nullopt;
    }
}

// Keys whose action does not depend on Ctrl, Shift or Alt.
std::optional<GridAction> PlainKeyAction(int key) {
    switch (key) {
    case Qt::Key_Tab:
        return GridAction::NextCell;
    case Qt::Key_Backtab:
        return GridAction::PriorCell;
    case Qt::Key_Escape:
        return GridAction::CancelRow;
    case Qt::Key_Up:
        return GridAction::PriorRow;
    case Qt::Key_Down:
        return GridAction::NextRow;
    case Qt::Key_PageUp:
        return GridAction::PriorPage;
    case Qt::Key_PageDown:
        return GridAction::NextPage;
    case Qt::Key_Left:
        return GridAction::PriorColumn;
    case Qt::Key_Right:
        return GridAction::NextColumn;
    default:
        return std::nullopt;
    }
}

} // namespace

GridActionBand BandOf(GridAction action) {
    switch (action) {
    case GridAction::None:
        return GridActionBand::None;
    case GridAction::FirstRow:
    case GridAction::PriorPage:
    case GridAction::PriorRow:
    case GridAction::NextRow:
    case GridAction::NextPage:
    case GridAction::LastRow:
    case GridAction::PriorColumn:
    case GridAction::NextColumn:
    case GridAction::FirstColumn:
    case GridAction::LastColumn:
    case GridAction::PriorCell:
    case GridAction::NextCell:
        return GridActionBand::Move;
    case GridAction::Insert:
    case GridAction::Delete:
    case GridAction::Edit:
    case GridAction::Post:
    case GridAction::Cancel:
    case GridAction::CancelRow:
        return GridActionBand::Record;
    case GridAction::OpenEditor:
    case GridAction::ClickButton:
    case GridAction::Expand:
    case GridAction::Collapse:
    case GridAction::ToggleGroup:
        return GridActionBand::Cell;
    }
    return GridActionBand::None;
}

bool IsForward(GridAction move) {
    switch (move) {
    case GridAction::LastRow:
    case GridAction::NextPage:
    case GridAction::NextRow:
    case GridAction::NextColumn:
    case GridAction::LastColumn:
    case GridAction::NextCell:
        return true;
    default:
        return false;
    }
}

std::optional<GridAction> KeyAction(int key, Qt::KeyboardModifiers modifiers, bool onGroupRow) {
    if (onGroupRow) {
        if (const std::optional<GridAction> action = GroupRowKeyAction(key))
            return action;
    }
    if (const std::optional<GridAction> action = PlainKeyAction(key))
        return action;
    const bool plain = modifiers == Qt::NoModifier;
    const bool ctrl = modifiers == Qt::ControlModifier;
    const auto when = [](bool condition, GridAction action) {
        return condition ? action : GridAction::None;
    };
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? GridAction::ClickButton
                    : when(plain || modifiers == Qt::ShiftModifier, GridAction::OpenEditor);
    case Qt::Key_F2:
        return when(plain, GridAction::OpenEditor);
    case Qt::Key_Insert:
        return when(plain, GridAction::Insert);
    case Qt::Key_N:
        // Screen readers keep Insert for themselves; Ctrl+N is the new row they leave alone.
        if (ctrl)
            return GridAction::Insert;
        return std::nullopt;
    case Qt::Key_Delete:
        return when(plain || ctrl, GridAction::Delete);
    case Qt::Key_Home:
        return ctrl ? GridAction::FirstRow : GridAction::FirstColumn;
    case Qt::Key_End:
        return ctrl ? GridAction::LastRow : GridAction::LastColumn;
    default:
        return std::nullopt;
    }
}

GridAction ButtonAction(NavigatorButton button) {
    switch (button) {
    case NavigatorButton::First:
        return GridAction::FirstRow;
    case NavigatorButton::PriorPage:
        return GridAction::PriorPage;
    case NavigatorButton::Prior:
        return GridAction::PriorRow;
    case NavigatorButton::Next:
        return GridAction::NextRow;
    case NavigatorButton::NextPage:
        return GridAction::NextPage;
    case NavigatorButton::Last:
        return GridAction::LastRow;
    case NavigatorButton::Insert:
        return GridAction::Insert;
    case NavigatorButton::Delete:
        return GridAction::Delete;
    case NavigatorButton::Edit:
        return GridAction::Edit;
    case NavigatorButton::Post:
        return GridAction::Post;
    case NavigatorButton::Cancel:
        return GridAction::Cancel;
    case NavigatorButton::Refresh:
    case NavigatorButton::SaveBookmark:
    case NavigatorButton::GotoBookmark:
    case NavigatorButton::Filter:
        // Bookmarks and filter building are never offered on these bars.
        return GridAction::None;
    }
    return GridAction::None;
}

} // namespace trevalo
