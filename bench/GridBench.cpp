// The combatant grid's full reload and re-sort, the cost of every post in the tracker's walks.
#include "components/data/TDataSource.h"
#include "components/data/TMemTable.h"
#include "components/data/TTableProvider.h"
#include "components/data/TWorkingView.h"
#include "components/grid/model/TDBDataController.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

using namespace trevalo;

/// A combatant chain like the main window's, holding \p count combatants.
struct CombatantChain {
    explicit CombatantChain(int count) {
        auto* table = new TMemTable(&root);
        table->setObjectName("mtInit");
        for (const char* name : {"ID", "Init", "Passes"})
            (new TIntegerField(table))->SetFieldName(name);
        auto* nameField = new TStringField(table);
        nameField->SetFieldName("Name");
        nameField->SetSize(50);
        auto* active = new TBooleanField(table);
        active->SetFieldName("Active");
        active->SetDefaultExpression("'True'");
        auto* provider = new TTableProvider(&root);
        provider->setObjectName("prvInit");
        provider->SetDataSet(table);
        view = new TWorkingView(&root);
        view->setObjectName("wvInit");
        view->SetProviderName("prvInit");
        view->Open();
        source = new TDataSource(&root);
        source->SetDataSet(view);

        std::mt19937 random(42);
        for (int i = 0; i < count; ++i) {
            view->Insert();
            view->FieldByName("Name").SetValue(QStringLiteral("Combatant %1").arg(i));
            view->FieldByName("Init").SetValue(std::uniform_int_distribution(1, 30)(random));
            view->Post();
        }
    }

    QObject root;
    TWorkingView* view = nullptr;
    TDataSource* source = nullptr;
};

/// The combatant grid's controller, sorted by Init descending.
struct CombatantGrid {
    explicit CombatantGrid(TDataSource* source) {
        grid.SetDataSource(source);
        grid.SetFieldNames({"ID", "Name", "Init", "Active", "Passes"});
        grid.SetSortList({{2, SortOrder::Descending}});
    }
    TDBDataController grid;
};

void ReloadAndSort(benchmark::State& state) {
    CombatantChain chain(static_cast<int>(state.range(0)));
    const CombatantGrid combatants(chain.source);
    const TDBDataController& grid = combatants.grid;
    for (auto _ : state) {
        // A move to the first record reloads the cache and sorts it, as each post does.
        chain.view->First();
        benchmark::DoNotOptimize(grid.FocusedRow());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/// The sort alone, as a click on the header of \p field with \p shift runs it.
void ClickSort(benchmark::State& state, int field, bool shift) {
    CombatantChain chain(static_cast<int>(state.range(0)));
    CombatantGrid combatants(chain.source);
    TDBDataController& grid = combatants.grid;
    for (auto _ : state) {
        grid.ClickSort(field, shift, false);
        benchmark::DoNotOptimize(grid.FocusedRow());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Init alone, the floor's keys; then Name as the minor key, which the floor does not sort by.
void Resort(benchmark::State& state) {
    ClickSort(state, 2, false);
}
void ResortInitThenName(benchmark::State& state) {
    ClickSort(state, 1, true);
}

BENCHMARK(ReloadAndSort)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Resort)->RangeMultiplier(10)->Range(100, 10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ResortInitThenName)
    ->RangeMultiplier(10)
    ->Range(100, 10000)
    ->Unit(benchmark::kMicrosecond);

} // namespace
