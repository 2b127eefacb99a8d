// Undo and redo of "New Turn" on the main window, which put the whole fight back through the
// working views, beside the New Turn benchmark and its floor in this binary.
#include "bench/TrackerFight.h"
#include "components/controls/TStyledCheckBox.h"
#include "tracker/FightHistory.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

/// A fight of \p combatants after a New Turn that cleared every initiative, one step.
class AfterNewTurn {
public:
    explicit AfterNewTurn(int combatants)
        : fight_(combatants, 5) {
        trevalo::TfrmTrevaloMain& main = fight_.Main();
        main.findChild<trevalo::TStyledCheckBox*>(QStringLiteral("chkbxKeepInit"))
            ->setChecked(false);
        QApplication::processEvents();
        History().Forget();
        // Chosen as the menu is, in an event of its own: the step is kept as it ends.
        QMetaObject::invokeMethod(
            &main, [&main] { main.NewTurn1Click(nullptr); }, Qt::QueuedConnection);
        QApplication::processEvents();
    }
    trevalo::FightHistory& History() { return *fight_.Main().findChild<trevalo::FightHistory*>(); }

private:
    trevalo::bench::TrackerFight fight_;
};

void UndoNewTurn(benchmark::State& state) {
    AfterNewTurn fight(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        fight.History().Undo();
        QApplication::processEvents();
        state.PauseTiming();
        fight.History().Redo();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void RedoNewTurn(benchmark::State& state) {
    AfterNewTurn fight(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fight.History().Undo();
        QApplication::processEvents();
        state.ResumeTiming();
        fight.History().Redo();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(UndoNewTurn)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(RedoNewTurn)->Arg(1000)->Unit(benchmark::kMillisecond);
// Reported, with no aim, as New Turn is.
BENCHMARK(UndoNewTurn)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
