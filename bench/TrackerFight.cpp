#include "bench/TrackerFight.h"

#include "components/controls/TStyledCheckBox.h"
#include "components/data/TField.h"
#include "components/data/TWorkingView.h"

#include <QApplication>
#include <limits>

namespace trevalo::bench {

namespace {

template <class T> T& Component(TfrmTrevaloMain& main, const char* name) {
    return *main.findChild<T*>(QLatin1String(name));
}

void Add(TWorkingView& view, std::initializer_list<std::pair<const char*, QVariant>> values) {
    view.Insert();
    for (const auto& [field, value] : values)
        view.FieldByName(QLatin1String(field)).SetValue(value);
    view.Post();
}

/// Adds with the grids told once at the end, as they would be after a load.
template <class AddOne> void AddMany(TWorkingView& view, int count, AddOne addOne) {
    view.DisableControls();
    for (int i = 0; i < count; ++i)
        addOne(i);
    view.EnableControls();
}

} // namespace

TrackerFight::TrackerFight(int combatants, int effects)
    : main_(new TfrmTrevaloMain(frmTrevaloMain))
    , help_(new TfrmHelp(frmHelp)) {
    main_->show();
    auto& fighters = Component<TWorkingView>(*main_, "wvInit");
    AddMany(fighters, combatants, [&](int i) {
        Add(fighters, {{"Name", QStringLiteral("Combatant %1").arg(i)},
                       {"Init", (i * 7919) % 30 + 1},
                       {"Passes", 1 + i % 4}});
    });
    auto& running = Component<TWorkingView>(*main_, "wvEffects");
    AddMany(running, effects, [&](int i) {
        Add(running, {{"EffectName", QStringLiteral("Effect %1").arg(i)},
                      {"EndOnTurn", std::numeric_limits<std::int32_t>::max()}});
    });
    // Kept initiatives give every turn the same data to sort.
    Component<TStyledCheckBox>(*main_, "chkbxKeepInit").setChecked(true);
    QApplication::processEvents();
}

TrackerFight::~TrackerFight() {
    help_.reset();
    main_.reset();
    frmHelp = nullptr;
    frmTrevaloMain = nullptr;
}

} // namespace trevalo::bench
