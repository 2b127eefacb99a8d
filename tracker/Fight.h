/// \file
/// The fight: everything the user has entered and set in the main window, as one plain value.
/// The window is read into it and put back from it (FightWindow.h); the fight file holds it.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace trevalo {

/// A row of the combatant table; a blank field is nullopt.
struct FightCombatant {
    std::optional<QString> Name;
    std::optional<std::int32_t> Init;
    std::optional<std::int32_t> Passes;
    std::optional<bool> Active;

    friend bool operator==(const FightCombatant&, const FightCombatant&) = default;
};

/// A row of the effect table; a blank field is nullopt.
struct FightEffect {
    std::optional<QString> EffectName;
    std::optional<std::int32_t> EndOnTurn;

    friend bool operator==(const FightEffect&, const FightEffect&) = default;
};

/// A new fight's values are those of a window just started.
struct Fight {
    std::vector<FightCombatant> Combatants; ///< in the working view's own order
    std::vector<FightEffect> Effects;       ///< in the working view's own order
    std::int32_t Turn = 1;
    std::int32_t Pass = 1;
    bool ShowAllEntries = false; ///< the check box "Show All Entries"
    bool KeepInit = false;       ///< the check box "Keep Init / Turn"
    bool UsePasses = true;       ///< the check box "Use Passes (SR4)"
    /// Whether the combatant table shows everyone, filtering off. Ticking "Show All Entries"
    /// turns it on, but New Turn and New Init Pass filter again while the box stays ticked; so
    /// it is true only while the box is ticked, and not always then.
    bool ShowingAll = false;

    friend bool operator==(const Fight&, const Fight&) = default;
};

} // namespace trevalo
