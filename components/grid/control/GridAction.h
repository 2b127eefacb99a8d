/// \file
/// What a key or a navigator button asks of the grid: both inputs map to one action, which the
/// grid carries out in one place.
#pragma once

#include "components/grid/view/TNavigatorButtons.h"

#include <Qt>
#include <optional>

namespace trevalo {

enum class GridAction {
    None, ///< the grid's own key, doing nothing with these modifiers
    FirstRow,
    PriorPage,
    PriorRow,
    NextRow,
    NextPage,
    LastRow,
    PriorColumn,
    NextColumn,
    FirstColumn,
    LastColumn,
    PriorCell, ///< Shift+Tab: the column before, where the view moves the focus on Tab
    NextCell,
    Insert,
    Delete, ///< after the grid's own question
    Edit,
    Post,
    Cancel,    ///< the navigator's: the focus keeps its row position
    CancelRow, ///< Esc: the row being edited or inserted goes back as it was
    OpenEditor,
    ClickButton, ///< the open button editor's button
    Expand,
    Collapse,
    ToggleGroup,
};

/// What an action acts on; the grid carries out each band in a function of its own.
enum class GridActionBand {
    None,   ///< GridAction::None
    Move,   ///< the focus: to another row, column or cell
    Record, ///< the focused record: insert, delete, edit, post, cancel
    Cell,   ///< the focused cell: its editor, its button, its group
};

GridActionBand BandOf(GridAction action);

/// Whether a move goes forward: to the next or the last row, column or cell.
bool IsForward(GridAction move);

/// The action of \p key with \p modifiers, or none when the key is not one of the grid's.
/// \p onGroupRow: the focused row is a group row, whose own keys open and close it.
std::optional<GridAction> KeyAction(int key, Qt::KeyboardModifiers modifiers, bool onGroupRow);

/// The action of a navigator button; None for the buttons never offered on these bars.
GridAction ButtonAction(NavigatorButton button);

} // namespace trevalo
