// "New Turn" on the main window: the walk posts every combatant, and the grid reloads and
// re-sorts after each post; with the fight kept in a file, the file is written once when the
// turn is over. Beside them, the floor: the same posts, reloads and sorts on plain arrays, in
// this binary so that the ratio holds on a noisy machine.
#include "bench/PlainCombatants.h"
#include "bench/TrackerFight.h"
#include "platform/TApplication.h"
#include "tracker/FightFileSaver.h"
#include "tracker/FightWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

constexpr int kEffects = 5;

void NewTurn(benchmark::State& state) {
    trevalo::bench::TrackerFight fight(static_cast<int>(state.range(0)), kEffects);
    for (auto _ : state) {
        fight.Main().NewTurn1Click(nullptr);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void NewTurnKeptInFile(benchmark::State& state) {
    trevalo::bench::TrackerFight fight(static_cast<int>(state.range(0)), kEffects);
    const QTemporaryDir folder;
    trevalo::TfrmTrevaloMain& main = fight.Main();
    trevalo::FightFileSaver::Keep(main, folder.filePath(QStringLiteral("fight.trevalo")),
                                  trevalo::CaptureFight(main));
    for (auto _ : state) {
        // Chosen as the menu is, in an event of its own: the file is written as it ends.
        QMetaObject::invokeMethod(
            &main, [&main] { main.NewTurn1Click(nullptr); }, Qt::QueuedConnection);
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void FloorNewTurn(benchmark::State& state) {
    using trevalo::bench::PlainCombatant;
    std::vector<PlainCombatant> stored =
        trevalo::bench::PlainCombatants(static_cast<int>(state.range(0)));
    std::vector<PlainCombatant> cache(stored.size());
    std::vector<int> rows;
    for (auto _ : state) {
        for (PlainCombatant& combatant : stored) {
            combatant.Active = true;
            std::copy(stored.cbegin(), stored.cend(), cache.begin());
            trevalo::bench::SortRows(cache, rows);
        }
        benchmark::DoNotOptimize(rows.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(NewTurn)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(NewTurnKeptInFile)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorNewTurn)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
// Reported, with no aim: one turn is enough to see how it grows.
BENCHMARK(NewTurn)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorNewTurn)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    trevalo::TApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
