/// \file
/// The main window: the turn and pass counters and the handlers behind its commands, row
/// buttons and check boxes.
#pragma once

#include "components/forms/TForm.h"

#include <cstdint>

namespace trevalo {

class TDBColumn;
class TMenuItem;
class TStyledCheckBox;
class TStyledLabel;
class TWorkingView;

class TfrmTrevaloMain : public TForm {
    Q_OBJECT
public:
    /// Stores itself in \p reference before its layout is loaded.
    explicit TfrmTrevaloMain(TfrmTrevaloMain*& reference);

    void FormCreate(QObject* Sender);
    /// Shows the counters and filters the combatants for the pass in force.
    void UpdateFilter();
    void tvInitDoneButtonPropertiesButtonClick(QObject* Sender);
    void tvInitDeleteButtonPropertiesButtonClick(QObject* Sender);
    void tvEffectsDeleteEffectPropertiesButtonClick(QObject* Sender);
    void NewInitPass1Click(QObject* Sender);
    void NewTurn1Click(QObject* Sender);
    void ckbxShowAllClick(QObject* Sender);
    void chkbxPassesClick(QObject* Sender);
    void Help1Click(QObject* Sender);
    void Close1Click(QObject* Sender);

    void Loaded() override;

private:
    /// Everyone active again, initiatives cleared when \p clearInitiative; a combatant that
    /// refuses is left as it was.
    void ReactivateCombatants(bool clearInitiative);
    /// Asks about each effect whose end turn has come; true when it asked about any.
    bool OfferExpiredEffects();
    /// Tells a screen reader the counters, which it does not hear change on their labels.
    void TellCounters();

    template <class T> T* Require(const char* name) const;

    TWorkingView* wvInit = nullptr;
    TWorkingView* wvEffects = nullptr;
    TStyledLabel* lblTurn = nullptr;
    TStyledLabel* lblPass = nullptr;
    TStyledCheckBox* ckbxShowAll = nullptr;
    TStyledCheckBox* chkbxKeepInit = nullptr;
    TStyledCheckBox* chkbxPasses = nullptr;
    TMenuItem* NewInitPass1 = nullptr;
    TDBColumn* tvInitPasses = nullptr;
};

extern TfrmTrevaloMain* frmTrevaloMain;

/// The turn in play and the initiative pass within it.
extern std::int32_t CurrentTurn;
extern std::int32_t CurrentPass;

} // namespace trevalo
