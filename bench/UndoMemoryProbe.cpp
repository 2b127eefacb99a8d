// What one step of undo holds in memory, by kind of step, in fights of 10 and 1,000 combatants:
// the heap that its change and its command hold, in bytes, the change made from the fight read
// before and after the step as the history makes it; and the copy of the fight that undo keeps
// beside the window's. Read around these allocations alone, the heap is exact: the window's own
// allocations, which come and go with its engine's, are not among them.
#include "bench/TrackerFight.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/data/TField.h"
#include "components/data/TWorkingView.h"
#include "platform/TApplication.h"
#include "tracker/FightChange.h"
#include "tracker/FightHistory.h"
#include "tracker/FightWindow.h"

#include <QApplication>
#include <QUndoCommand>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <unistd.h>

namespace {

using trevalo::TfrmTrevaloMain;
using trevalo::TWorkingView;

std::ptrdiff_t HeapInUse() {
    return static_cast<std::ptrdiff_t>(mallinfo2().uordblks);
}

template <class T> T& Part(TfrmTrevaloMain& main, const char* name) {
    return *main.findChild<T*>(QLatin1String(name));
}
TWorkingView& Combatants(TfrmTrevaloMain& main) {
    return Part<TWorkingView>(main, "wvInit");
}
void Set(TWorkingView& view, const char* field, const QVariant& value) {
    view.FieldByName(QLatin1String(field)).SetValue(value);
}

/// Every combatant edited by \p edit, the filter off meanwhile.
void EditEveryone(TfrmTrevaloMain& main, const std::function<void(TWorkingView&, int)>& edit) {
    TWorkingView& combatants = Combatants(main);
    combatants.SetFiltered(false);
    int i = 0;
    for (combatants.First(); !combatants.Eof(); combatants.Next()) {
        combatants.Edit();
        edit(combatants, i++);
        combatants.Post();
    }
    main.UpdateFilter();
}

struct Kind {
    const char* name;
    /// Readies the fight for the step; not kept as a step.
    std::function<void(TfrmTrevaloMain&)> prepare;
    std::function<void(TfrmTrevaloMain&)> act;
};

const Kind kKinds[] = {
    {"insert a combatant",
     {},
     [](TfrmTrevaloMain& main) {
         TWorkingView& combatants = Combatants(main);
         combatants.Insert();
         Set(combatants, "Name", QStringLiteral("Troll"));
         Set(combatants, "Init", 9);
         combatants.Post();
     }},
    {"edit an initiative",
     {},
     [](TfrmTrevaloMain& main) {
         TWorkingView& combatants = Combatants(main);
         combatants.Edit();
         Set(combatants, "Init", 100);
         combatants.Post();
     }},
    {"Done",
     [](TfrmTrevaloMain& main) {
         if (Combatants(main).IsEmpty())
             main.NewInitPass1Click(nullptr);
     },
     [](TfrmTrevaloMain& main) { main.tvInitDoneButtonPropertiesButtonClick(nullptr); }},
    {"delete a combatant",
     [](TfrmTrevaloMain& main) {
         TWorkingView& combatants = Combatants(main);
         combatants.Insert();
         Set(combatants, "Name", QStringLiteral("Troll"));
         combatants.Post();
     },
     [](TfrmTrevaloMain& main) { Combatants(main).Delete(); }},
    {"Keep Init / Turn",
     {},
     [](TfrmTrevaloMain& main) {
         auto& box = Part<trevalo::TStyledCheckBox>(main, "chkbxKeepInit");
         box.setChecked(!box.isChecked());
     }},
    {"New Init Pass, everyone done",
     [](TfrmTrevaloMain& main) {
         EditEveryone(main, [](TWorkingView& view, int) { Set(view, "Active", false); });
     },
     [](TfrmTrevaloMain& main) { main.NewInitPass1Click(nullptr); }},
    {"New Turn, everyone done, initiatives cleared",
     [](TfrmTrevaloMain& main) {
         Part<trevalo::TStyledCheckBox>(main, "chkbxKeepInit").setChecked(false);
         EditEveryone(main, [](TWorkingView& view, int i) {
             Set(view, "Active", false);
             Set(view, "Init", i % 30 + 1);
         });
     },
     [](TfrmTrevaloMain& main) { main.NewTurn1Click(nullptr); }},
};

/// Runs \p action as the handling of one event, as a click runs a command.
void AsAction(TfrmTrevaloMain& main, const std::function<void()>& action) {
    QMetaObject::invokeMethod(&main, action, Qt::QueuedConnection);
    QApplication::processEvents();
}

void Probe(int combatants) {
    for (const Kind& kind : kKinds) {
        trevalo::bench::TrackerFight fight(combatants, 5);
        TfrmTrevaloMain& main = fight.Main();
        trevalo::FightHistory& history = *main.findChild<trevalo::FightHistory*>();
        if (kind.prepare)
            AsAction(main, [&] { kind.prepare(main); });
        history.Forget();
        const trevalo::Fight before = trevalo::CaptureFight(main);
        AsAction(main, [&] { kind.act(main); });
        const trevalo::Fight after = trevalo::CaptureFight(main);
        if (history.Steps().count() != 1)
            std::printf("(%d steps, not one) ", history.Steps().count());

        const std::ptrdiff_t start = HeapInUse();
        {
            const auto held =
                std::make_unique<trevalo::FightChange>(*trevalo::CompareFights(before, after));
            const auto command = std::make_unique<QUndoCommand>();
            std::printf("%5d combatants, %-44s %7td bytes a step\n", combatants, kind.name,
                        HeapInUse() - start);
        }
    }
    trevalo::bench::TrackerFight fight(combatants, 5);
    const std::ptrdiff_t before = HeapInUse();
    const trevalo::Fight copy = trevalo::CaptureFight(fight.Main());
    std::printf("%5d combatants, the copy of the fight that undo keeps:       %7td bytes\n",
                combatants, HeapInUse() - before);
}

} // namespace

int main(int argc, char** argv) {
    // Blocks freed into the allocator's caches count as in use, so the probe runs without them.
    if (!qEnvironmentVariableIsSet("GLIBC_TUNABLES")) {
        setenv("GLIBC_TUNABLES", "glibc.malloc.tcache_count=0:glibc.malloc.mxfast=0", 1);
        execv("/proc/self/exe", argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    trevalo::TApplication application(argc, argv);
    for (int combatants : {10, 1000})
        Probe(combatants);
    return 0;
}
