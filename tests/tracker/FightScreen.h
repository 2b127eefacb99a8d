/// \file
/// What the user sees of the main window's fight: the grids' painted rows and focused rows,
/// the counters, the boxes and whether "New Init Pass" is in the menu.
#pragma once

#include "tests/support/QStringPrint.h"
#include "tracker/frmTrevaloProg.h"

#include <QStringList>
#include <iosfwd>

namespace trevalo {

struct FightScreen {
    QStringList Combatants; ///< "name|init|passes" top to bottom
    QStringList Effects;    ///< "name|end turn" top to bottom
    int FocusedCombatant = -1;
    int FocusedEffect = -1;
    QString Turn;
    QString Pass; ///< empty while hidden
    bool ShowAll = false;
    bool KeepInit = false;
    bool UsePasses = false;
    bool NewInitPassInMenu = false;

    friend bool operator==(const FightScreen&, const FightScreen&) = default;
};

/// What \p main shows now.
FightScreen LookAt(const TfrmTrevaloMain& main);

/// \p screen without its focused rows.
FightScreen Unfocused(FightScreen screen);

void PrintTo(const FightScreen& screen, std::ostream* out);

} // namespace trevalo
