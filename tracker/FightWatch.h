/// \file
/// The one place that knows when an action of the user has changed the main window's fight.
///
/// An action is the handling of one event that no other event's handling encloses: a click,
/// a key, with every question it asked answered. When one is over and something of the fight
/// may have changed (a table was told of a change, a box or a counter differs), the fight is
/// read and compared with the one before; only a real change is told, once, whatever number
/// of records the action changed. Changes made outside any event, as start-up makes them, are
/// told at the end of the next event.
#pragma once

#include "components/data/TDataLink.h"
#include "components/data/TDataSource.h"
#include "tracker/Fight.h"
#include "tracker/FightWindow.h"

#include <QObject>

namespace trevalo {

class TfrmTrevaloMain;

class FightWatch : public QObject, private TDataLink {
    Q_OBJECT
public:
    /// The watch of \p main, made at first use with the fight that \p main holds then; it lives
    /// as long as the window.
    static FightWatch& Of(TfrmTrevaloMain& main);

    /// The fight as the last action left it.
    const Fight& Current() const { return current_; }

    /// An action is over: tells what it changed, if anything. Comes by itself at the end of
    /// each action; called before that by what must see the fight as the window holds it now.
    void ActionOver();

Q_SIGNALS:
    /// Once after each action that changed the fight, when it is over.
    void Changed(const Fight& before, const Fight& after);

private:
    explicit FightWatch(TfrmTrevaloMain& main);

    /// Whether the boxes, the counters or the filtering differ from the current fight.
    bool SettingsDiffer() const;

    void StateChanged() override { tablesTold_ = true; }
    void DataSetChanged() override { tablesTold_ = true; }

    FightParts parts_;
    // Its own sources on the two tables: the grids' may be held while many rows change.
    TDataSource combatants_;
    TDataSource effects_;
    Fight current_;
    bool tablesTold_ = false;
};

} // namespace trevalo
