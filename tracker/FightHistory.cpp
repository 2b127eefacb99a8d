#include "tracker/FightHistory.h"

#include "platform/TApplication.h"
#include "tracker/FightChange.h"
#include "tracker/FightWatch.h"
#include "tracker/frmTrevaloProg.h"

#include <QScopedValueRollback>
#include <QUndoCommand>

namespace trevalo {

/// A step on the stack: the change that takes the fight to its other side.
class FightHistory::Step : public QUndoCommand {
public:
    Step(FightHistory& history, FightChange change)
        : history_(history)
        , change_(std::move(change)) {}

    void undo() override { history_.Cross(change_); }
    void redo() override {
        // Pushed once the action has changed the window already.
        if (!std::exchange(pushed_, true))
            return;
        history_.Cross(change_);
    }

private:
    FightHistory& history_;
    FightChange change_;
    bool pushed_ = false;
};

FightHistory::FightHistory(TfrmTrevaloMain& main)
    : QObject(&main)
    , main_(main)
    , window_(main)
    , parts_(main) {
    steps_.setUndoLimit(kSteps);
    // The steps begin with the fight that the window holds as it first shows.
    connect(qobject_cast<TApplication*>(QCoreApplication::instance()),
            &TApplication::OutermostEventHandled, this, [this] {
                if (!watch_ && window_.isVisible())
                    Forget();
            });
}

void FightHistory::Forget() {
    if (!watch_) {
        watch_ = &FightWatch::Of(main_);
        connect(watch_, &FightWatch::Changed, this, &FightHistory::Record);
    }
    steps_.clear();
    const QScopedValueRollback adopting(adopting_, true);
    watch_->ActionOver();
}

void FightHistory::Record(const Fight& before, const Fight& after) {
    // Events still come while the window is taken apart, part by part, once it has been hidden;
    // nothing the user can do reaches a hidden window.
    if (adopting_ || !window_.isVisible())
        return;
    if (std::optional<FightChange> change = CompareFights(before, after))
        steps_.push(new Step(*this, std::move(*change)));
}

bool FightHistory::Typed() const {
    const auto typed = [](const TWorkingView& view) { return view.IsEditing() && view.Modified(); };
    return typed(*parts_.Combatants) || typed(*parts_.Effects);
}

void FightHistory::Settle() {
    parts_.Combatants->Settle();
    parts_.Effects->Settle();
}

void FightHistory::Undo() {
    if (!watch_ || (!Typed() && !steps_.canUndo()))
        return;
    Settle();
    watch_->ActionOver();
    Travel([this] { steps_.undo(); });
}

void FightHistory::Redo() {
    if (!watch_ || Typed())
        return;
    watch_->ActionOver();
    if (!steps_.canRedo())
        return;
    Settle();
    Travel([this] { steps_.redo(); });
}

template <class Move> void FightHistory::Travel(Move move) {
    try {
        move();
    } catch (...) {
        Forget();
        throw;
    }
}

std::optional<std::size_t> FightHistory::CurrentIndex(TWorkingView& view) {
    const QByteArray current = view.GetBookmark();
    if (current.isEmpty())
        return std::nullopt;
    const RecordColumns all = view.ReadAllColumns({});
    const std::string_view wanted(current.constData(), static_cast<std::size_t>(current.size()));
    for (int record = 0; record < all.Count; ++record) {
        if (all.Bookmark(record) == wanted)
            return static_cast<std::size_t>(record);
    }
    return std::nullopt;
}

void FightHistory::Cross(FightChange& change) {
    // A table that the step left alone keeps its current record; rows before it stay put.
    std::optional<std::size_t> combatant = FirstTouched(change.Combatants);
    std::optional<std::size_t> effect = FirstTouched(change.Effects);
    if (!combatant)
        combatant = CurrentIndex(*parts_.Combatants);
    if (!effect)
        effect = CurrentIndex(*parts_.Effects);
    Fight fight = watch_->Current();
    trevalo::Cross(change, fight);
    // What is told while the fight goes in, an event's end before it is whole included, is no
    // step: a step pushed while the stack moves would take the moving step's place.
    const QScopedValueRollback crossing(adopting_, true);
    RestoreFight(main_, fight, {combatant, effect});
    watch_->ActionOver();
    Q_EMIT Restored(watch_->Current());
}

} // namespace trevalo
