/// \file
/// The tracker's two windows as the program makes them, the main one shown and holding a fight
/// of a given size, for the benchmarks and probes that measure the running program.
#pragma once

#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <memory>

namespace trevalo::bench {

class TrackerFight {
public:
    /// \p combatants with initiatives that tie often and 1 to 4 passes, and \p effects that
    /// never expire, so that no box waits for an answer.
    TrackerFight(int combatants, int effects);
    ~TrackerFight();
    TrackerFight(const TrackerFight&) = delete;
    TrackerFight& operator=(const TrackerFight&) = delete;

    TfrmTrevaloMain& Main() { return *main_; }

private:
    std::unique_ptr<TfrmTrevaloMain> main_;
    std::unique_ptr<TfrmHelp> help_;
};

} // namespace trevalo::bench
