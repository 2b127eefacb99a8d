/// \file
/// The keys of undo and redo, anywhere in the main window: Ctrl+Z takes the last change to the
/// fight back, Ctrl+Shift+Z and Ctrl+Y do it again. While a cell's editor is open all three
/// belong to its typing, as in any line edit.
#pragma once

class QWidget;

namespace trevalo {

class FightHistory;

/// Gives \p window the keys, for the steps of \p history.
void AddUndoKeys(QWidget& window, FightHistory& history);

} // namespace trevalo
