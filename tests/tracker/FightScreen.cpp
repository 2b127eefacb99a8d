#include "FightScreen.h"

#include "components/controls/TMainMenu.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/grid/view/TDBColumn.h"
#include "tests/support/ChildOf.h"
#include "tests/support/GridDriver.h"

#include <ostream>

namespace trevalo {

namespace {

template <class T> T& Part(const TfrmTrevaloMain& main, const char* name) {
    return test::ChildOf<T>(main, QLatin1String(name));
}

} // namespace

FightScreen LookAt(const TfrmTrevaloMain& main) {
    GridDriver combatants(Part<TDataGrid>(main, "grdInit"));
    GridDriver effects(Part<TDataGrid>(main, "grdEffects"));
    FightScreen screen;
    const bool passes = Part<TDBColumn>(main, "tvInitPasses").Visible();
    const QStringList names = combatants.Texts("tvInitName");
    const QStringList inits = combatants.Texts("tvInitInit");
    const QStringList counts = passes ? combatants.Texts("tvInitPasses") : QStringList();
    for (qsizetype row = 0; row < names.size(); ++row)
        screen.Combatants.append(names[row] + '|' + inits[row] + '|' +
                                 (passes ? counts[row] : QString()));
    const QStringList effectNames = effects.Texts("tvEffectsEffectName");
    const QStringList ends = effects.Texts("tvEffectsEndOnTurn");
    for (qsizetype row = 0; row < effectNames.size(); ++row)
        screen.Effects.append(effectNames[row] + '|' + ends[row]);
    screen.FocusedCombatant = combatants.FocusedRow();
    screen.FocusedEffect = effects.FocusedRow();
    screen.Turn = Part<TStyledLabel>(main, "lblTurn").text();
    const auto& pass = Part<TStyledLabel>(main, "lblPass");
    screen.Pass = pass.isVisible() ? pass.text() : QString();
    screen.ShowAll = Part<TStyledCheckBox>(main, "ckbxShowAll").isChecked();
    screen.KeepInit = Part<TStyledCheckBox>(main, "chkbxKeepInit").isChecked();
    screen.UsePasses = Part<TStyledCheckBox>(main, "chkbxPasses").isChecked();
    screen.NewInitPassInMenu = Part<TMenuItem>(main, "NewInitPass1").isVisible();
    return screen;
}

FightScreen Unfocused(FightScreen screen) {
    screen.FocusedCombatant = screen.FocusedEffect = -1;
    return screen;
}

void PrintTo(const FightScreen& screen, std::ostream* out) {
    *out << "combatants [" << screen.Combatants.join(", ").toStdString() << "] focused "
         << screen.FocusedCombatant << ", effects [" << screen.Effects.join(", ").toStdString()
         << "] focused " << screen.FocusedEffect << ", " << screen.Turn.toStdString() << ", "
         << screen.Pass.toStdString() << ", boxes " << screen.ShowAll << screen.KeepInit
         << screen.UsePasses << ", New Init Pass in the menu " << screen.NewInitPassInMenu;
}

} // namespace trevalo
