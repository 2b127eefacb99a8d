#include "tracker/FightHistory.h"

#include "platform/TApplication.h"
#include "tracker/FightChange.h"
#include "tracker/frmTrevaloProg.h"

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
    combatants_.SetDataSet(parts_.Combatants);
    effects_.SetDataSet(parts_.Effects);
    combatants_.AddLink(this);
    effects_.AddLink(this);
    connect(qobject_cast<TApplication*>(QCoreApplication::instance()),
            &TApplication::OutermostEventHandled, this, &FightHistory::ActionOver);
}

void FightHistory::Forget() {
    steps_.clear();
    current_.reset();
    current_ = CaptureFight(parts_);
    tablesTold_ = false;
}

bool FightHistory::SettingsDiffer() const {
    return CurrentTurn != current_->Turn || CurrentPass != current_->Pass ||
           parts_.ShowAll->isChecked() != current_->ShowAllEntries ||
           parts_.KeepInit->isChecked() != current_->KeepInit ||
           parts_.UsePasses->isChecked() != current_->UsePasses ||
           parts_.Combatants->Filtered() == current_->ShowingAll;
}

void FightHistory::ActionOver() {
    // Events still come while the window is taken apart, part by part, once it has been hidden;
    // nothing the user can do reaches a hidden window.
    if (!window_.isVisible())
        return;
    // The fight that the window first shows, or that it holds when reading it last failed.
    if (!current_) {
        Forget();
        return;
    }
    if (!tablesTold_ && !SettingsDiffer())
        return;
    Fight after = CaptureFight(parts_);
    std::optional<FightChange> change = CompareFights(*current_, after);
    tablesTold_ = false;
    current_ = std::move(after);
    if (change)
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
    if (!current_ || (!Typed() && !steps_.canUndo()))
        return;
    Settle();
    ActionOver();
    Travel([this] { steps_.undo(); });
}

void FightHistory::Redo() {
    if (!current_ || Typed())
        return;
    ActionOver();
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
    trevalo::Cross(change, *current_);
    RestoreFight(main_, *current_, {combatant, effect});
    // What the tables told while the fight went back in is the fight now current.
    tablesTold_ = false;
    Q_EMIT Restored(*current_);
}

} // namespace trevalo
