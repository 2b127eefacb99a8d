/// \file
/// Undo and redo of the main window's fight. Each action of the user that changed the fight is
/// one step: a posted row, a delete, Done, New Init Pass, New Turn with the effects it deleted,
/// a click on "Keep Init / Turn" or "Use Passes (SR4)". "Show All Entries" only changes the
/// view and is no step. Taking a step back or doing it again puts the fight on its other side
/// into the window through the working views, as a fight is put back from a file.
///
/// The steps are the changes that the window's FightWatch tells; they begin with the fight that
/// the window holds when it is first shown, so that what start-up puts in is no step. Nothing
/// is kept while the window is hidden.
#pragma once

#include "tracker/Fight.h"
#include "tracker/FightWindow.h"

#include <QObject>
#include <QUndoStack>
#include <optional>

namespace trevalo {

class TfrmTrevaloMain;
class FightWatch;
struct FightChange;

class FightHistory : public QObject {
    Q_OBJECT
public:
    /// How many steps are kept at least; older ones are dropped.
    static constexpr int kSteps = 200;

    /// Keeps the steps of \p main, which owns it.
    explicit FightHistory(TfrmTrevaloMain& main);

    /// The steps kept, for a look at them.
    const QUndoStack& Steps() const { return steps_; }

    /// Takes the last step back; a row typed and not yet posted is posted first, as for any
    /// command, and so is the step taken back. Nothing when there is nothing to take back.
    void Undo();
    /// Does the step taken back last again. Nothing when there is none, or while a row is typed
    /// and not posted: posting it would be a new change, which leaves nothing to redo.
    void Redo();
    /// Drops every step: the fight that the window holds is where the steps begin.
    void Forget();

Q_SIGNALS:
    /// An undo or a redo has put \p fight into the window.
    void Restored(const Fight& fight);

private:
    class Step;

    /// What an action changed in the fight is one step, and the steps undone are dropped.
    void Record(const Fight& before, const Fight& after);
    /// Takes the fight over \p change and puts it into the window, the focus of each grid on the
    /// row the change touched, else on the record it was on.
    void Cross(FightChange& change);
    /// Whether a row is being typed and holds what was typed.
    bool Typed() const;
    void Settle();
    /// The index of \p view's current record in its order; none on an empty view.
    static std::optional<std::size_t> CurrentIndex(TWorkingView& view);
    /// Runs \p move on the stack; if putting the fight back fails, the steps no longer fit what
    /// the window holds, and are dropped.
    template <class Move> void Travel(Move move);

    TfrmTrevaloMain& main_;
    /// The same, as the plain window that it still is while its parts are taken apart.
    QWidget& window_;
    FightParts parts_;
    QUndoStack steps_;
    FightWatch* watch_ = nullptr; ///< followed from the window's first showing on
    bool adopting_ = false;       ///< a change told now is no step
};

} // namespace trevalo
