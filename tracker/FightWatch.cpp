#include "tracker/FightWatch.h"

#include "platform/TApplication.h"
#include "tracker/FightWindow.h"
#include "tracker/frmTrevaloProg.h"

namespace trevalo {

FightWatch& FightWatch::Of(TfrmTrevaloMain& main) {
    auto* watch = main.findChild<FightWatch*>(QString(), Qt::FindDirectChildrenOnly);
    return watch ? *watch : *new FightWatch(main);
}

FightWatch::FightWatch(TfrmTrevaloMain& main)
    : QObject(&main)
    , parts_(main)
    , current_(CaptureFight(parts_)) {
    combatants_.SetDataSet(parts_.Combatants);
    effects_.SetDataSet(parts_.Effects);
    combatants_.AddLink(this);
    effects_.AddLink(this);
    auto* application = qobject_cast<TApplication*>(QCoreApplication::instance());
    connect(application, &TApplication::OutermostEventHandled, this, &FightWatch::ActionOver);
    // Events still come while the window's parts are taken apart, one by one.
    connect(&main, &TForm::Destroying, this, [this, application] {
        disconnect(application, &TApplication::OutermostEventHandled, this, nullptr);
    });
}

bool FightWatch::SettingsDiffer() const {
    return CurrentTurn != current_.Turn || CurrentPass != current_.Pass ||
           parts_.ShowAll->isChecked() != current_.ShowAllEntries ||
           parts_.KeepInit->isChecked() != current_.KeepInit ||
           parts_.UsePasses->isChecked() != current_.UsePasses ||
           parts_.Combatants->Filtered() == current_.ShowingAll;
}

void FightWatch::ActionOver() {
    if (!tablesTold_ && !SettingsDiffer())
        return;
    tablesTold_ = false;
    Fight after = CaptureFight(parts_);
    if (after == current_)
        return;
    const Fight before = std::exchange(current_, std::move(after));
    Q_EMIT Changed(before, current_);
}

} // namespace trevalo
