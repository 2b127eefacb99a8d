// One "New Turn" on the main window with a thousand combatants in the grid: the walk posts
// every combatant, and the grid reloads and re-sorts after each post.
#include "components/controls/TStyledCheckBox.h"
#include "components/data/TField.h"
#include "components/data/TWorkingView.h"
#include "platform/TApplication.h"
#include "tracker/frmTrevaloProg.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <limits>
#include <memory>

namespace {

constexpr int kCombatants = 1000;
constexpr int kEffects = 5;

template <class T> T& Component(const char* name) {
    return *trevalo::frmTrevaloMain->findChild<T*>(QLatin1String(name));
}

void Add(trevalo::TWorkingView& view,
         std::initializer_list<std::pair<const char*, QVariant>> values) {
    view.Insert();
    for (const auto& [field, value] : values)
        view.FieldByName(QLatin1String(field)).SetValue(value);
    view.Post();
}

void Populate() {
    auto& combatants = Component<trevalo::TWorkingView>("wvInit");
    for (int i = 0; i < kCombatants; ++i)
        Add(combatants, {{"Name", QStringLiteral("Combatant %1").arg(i)},
                         {"Init", (i * 7919) % kCombatants},
                         {"Passes", 1 + i % 4}});
    // Effects that never expire, so that no box waits for an answer.
    auto& effects = Component<trevalo::TWorkingView>("wvEffects");
    for (int i = 0; i < kEffects; ++i)
        Add(effects, {{"EffectName", QStringLiteral("Effect %1").arg(i)},
                      {"EndOnTurn", std::numeric_limits<std::int32_t>::max()}});
    // Kept initiatives give every turn the same data to sort.
    Component<trevalo::TStyledCheckBox>("chkbxKeepInit").setChecked(true);
}

void NewTurn(benchmark::State& state) {
    for (auto _ : state) {
        trevalo::frmTrevaloMain->NewTurn1Click(nullptr);
        QApplication::processEvents();
    }
    state.counters["combatants"] = kCombatants;
}

BENCHMARK(NewTurn)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    trevalo::TApplication application(argc, argv);
    std::unique_ptr<trevalo::TfrmTrevaloMain> main(
        new trevalo::TfrmTrevaloMain(trevalo::frmTrevaloMain));
    main->show();
    Populate();
    QApplication::processEvents();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    main.reset();
    trevalo::frmTrevaloMain = nullptr;
    return 0;
}
