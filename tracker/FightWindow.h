/// \file
/// The main window's fight read out and put back, through the same working views, check boxes
/// and counters that the user's commands go through.
#pragma once

#include "components/controls/TStyledCheckBox.h"
#include "components/data/TWorkingView.h"
#include "tracker/Fight.h"

#include <QPointer>

namespace trevalo {

class TfrmTrevaloMain;

/// The parts of the main window that hold its fight, found once. Each turns null when it is
/// gone, as the window is taken apart.
struct FightParts {
    /// Throws Exception when \p main lacks one.
    explicit FightParts(const TfrmTrevaloMain& main);
    /// Whether every part is still there.
    bool Whole() const;

    QPointer<TWorkingView> Combatants;
    QPointer<TWorkingView> Effects;
    QPointer<TStyledCheckBox> ShowAll;
    QPointer<TStyledCheckBox> KeepInit;
    QPointer<TStyledCheckBox> UsePasses;
};

/// The fight that \p main holds: the stored rows of both tables (a row still being typed is
/// not among them), the counters and the check boxes. Nothing that the user sees changes.
Fight CaptureFight(TfrmTrevaloMain& main);
/// The same from parts found before; they must be whole.
Fight CaptureFight(const FightParts& parts);

/// Where a put-back fight leaves each table's current record: at the row of that index in the
/// fight's order, or where the filter hides it at the next row shown, else the one before, as a
/// delete leaves it. None puts the grid's focus on its top row.
struct FightFocus {
    std::optional<std::size_t> Combatant;
    std::optional<std::size_t> Effect;
};

/// Puts \p fight into \p main in place of the one it holds. A row still being typed is dropped;
/// the rows are inserted one by one in their order, the boxes set as a click sets them and
/// the counters shown and the filter applied as New Turn does, so that every rule holds as
/// after typing. The grids read the tables once, at the end, with their focus as \p focus says.
/// A failure of the data layer goes on to the caller, with the window part-filled.
void RestoreFight(TfrmTrevaloMain& main, const Fight& fight, const FightFocus& focus = {});

} // namespace trevalo
