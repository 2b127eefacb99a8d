#include "tracker/frmTrevaloProg.h"

#include "components/controls/ConfirmBox.h"
#include "components/controls/TMainMenu.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/data/DataErrors.h"
#include "components/data/TWorkingView.h"
#include "components/forms/FocusAreas.h"
#include "components/grid/view/TDBColumn.h"
#include "platform/Announcement.h"
#include "platform/Exception.h"
#include "platform/TApplication.h"
#include "tracker/FightHistory.h"
#include "tracker/RegisterComponents.h"
#include "tracker/UndoKeys.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <QSet>
#include <utility>

namespace trevalo {

TfrmTrevaloMain* frmTrevaloMain = nullptr;
std::int32_t CurrentTurn = 0;
std::int32_t CurrentPass = 0;

namespace {

QString TurnCaption() {
    return QStringLiteral("Turn #: ") + QString::number(CurrentTurn);
}

QString PassCaption() {
    return QStringLiteral("Pass #: ") + QString::number(CurrentPass);
}

} // namespace

TfrmTrevaloMain::TfrmTrevaloMain(TfrmTrevaloMain*& reference) {
    reference = this;
    RegisterComponents();
    const auto bind = [this](const char* name, void (TfrmTrevaloMain::*handler)(QObject*)) {
        DeclareHandler(QLatin1String(name),
                       [this, handler](QObject* sender) { (this->*handler)(sender); });
    };
    bind("FormCreate", &TfrmTrevaloMain::FormCreate);
    bind("tvInitDoneButtonPropertiesButtonClick",
         &TfrmTrevaloMain::tvInitDoneButtonPropertiesButtonClick);
    bind("tvInitDeleteButtonPropertiesButtonClick",
         &TfrmTrevaloMain::tvInitDeleteButtonPropertiesButtonClick);
    bind("tvEffectsDeleteEffectPropertiesButtonClick",
         &TfrmTrevaloMain::tvEffectsDeleteEffectPropertiesButtonClick);
    bind("NewInitPass1Click", &TfrmTrevaloMain::NewInitPass1Click);
    bind("NewTurn1Click", &TfrmTrevaloMain::NewTurn1Click);
    bind("ckbxShowAllClick", &TfrmTrevaloMain::ckbxShowAllClick);
    bind("chkbxPassesClick", &TfrmTrevaloMain::chkbxPassesClick);
    bind("Help1Click", &TfrmTrevaloMain::Help1Click);
    bind("Close1Click", &TfrmTrevaloMain::Close1Click);
    LoadLayout(QStringLiteral(":/tracker/frmTrevaloProg.json"));
}

template <class T> T* TfrmTrevaloMain::Require(const char* name) const {
    auto* component = qobject_cast<T*>(FindComponent(QLatin1String(name)));
    if (!component)
        throw Exception(QStringLiteral("Component '%1' not found").arg(QLatin1String(name)));
    return component;
}

void TfrmTrevaloMain::Loaded() {
    wvInit = Require<TWorkingView>("wvInit");
    wvEffects = Require<TWorkingView>("wvEffects");
    lblTurn = Require<TStyledLabel>("lblTurn");
    lblPass = Require<TStyledLabel>("lblPass");
    ckbxShowAll = Require<TStyledCheckBox>("ckbxShowAll");
    chkbxKeepInit = Require<TStyledCheckBox>("chkbxKeepInit");
    chkbxPasses = Require<TStyledCheckBox>("chkbxPasses");
    NewInitPass1 = Require<TMenuItem>("NewInitPass1");
    tvInitPasses = Require<TDBColumn>("tvInitPasses");
    // F6 moves among the combatants, the check boxes and the effects.
    new FocusAreas(*this, {Require<QWidget>("grdInit"), Require<QWidget>("Panel2"),
                           Require<QWidget>("grdEffects")});
    // Ctrl+Z takes the last change to the fight back, Ctrl+Y does it again.
    AddUndoKeys(*this, *new FightHistory(*this));
}

void TfrmTrevaloMain::FormCreate(QObject*) {
    CurrentPass = 1;
    CurrentTurn = 1;
    UpdateFilter();
}

void TfrmTrevaloMain::UpdateFilter() {
    lblPass->SetCaption(PassCaption());
    lblTurn->SetCaption(TurnCaption());
    wvInit->SetFilter(QStringLiteral("[Active] = True and [Passes] >= ") +
                      QString::number(CurrentPass));
    wvInit->SetFiltered(true);
}

void TfrmTrevaloMain::tvInitDoneButtonPropertiesButtonClick(QObject*) {
    wvInit->Edit();
    wvInit->FieldByName(QStringLiteral("Active")).SetValue(false);
    wvInit->Post();
}

void TfrmTrevaloMain::tvInitDeleteButtonPropertiesButtonClick(QObject*) {
    if (ShowConfirmBox(QStringLiteral(
            "Are you sure that you wish to delete this character from the table?")) == mrOk)
        wvInit->Delete();
}

void TfrmTrevaloMain::tvEffectsDeleteEffectPropertiesButtonClick(QObject*) {
    if (ShowConfirmBox(QStringLiteral(
            "Are you sure that you wish to delete this effect from the table?")) == mrOk)
        wvEffects->Delete();
}

void TfrmTrevaloMain::NewInitPass1Click(QObject*) {
    ++CurrentPass;
    wvInit->SetFiltered(false);
    ReactivateCombatants(false);
    UpdateFilter();
    TellCounters();
}

void TfrmTrevaloMain::NewTurn1Click(QObject*) {
    CurrentPass = 1;
    ++CurrentTurn;
    wvInit->SetFiltered(false);
    ReactivateCombatants(true);
    const bool asked = OfferExpiredEffects();
    UpdateFilter();
    if (!asked)
        TellCounters();
}

void TfrmTrevaloMain::TellCounters() {
    QString counters = TurnCaption();
    if (chkbxPasses->isChecked())
        counters += QStringLiteral(", ") + PassCaption();
    Announce(*this, counters);
}

void TfrmTrevaloMain::ReactivateCombatants(bool clearInitiative) {
    // One combatant that the data layer refuses must not keep the others out of the new pass
    // or turn, so the walk skips it, silently, and goes on; any other failure is no refusal
    // and goes to the default handler.
    wvInit->First();
    while (!wvInit->Eof()) {
        try {
            wvInit->Edit();
        } catch (const EDatabaseError&) {
            wvInit->Next();
            continue;
        }
        try {
            wvInit->FieldByName(QStringLiteral("Active")).SetValue(true);
            if (clearInitiative && !chkbxKeepInit->isChecked())
                wvInit->FieldByName(QStringLiteral("Init")).SetValue(0);
            wvInit->Post();
        } catch (const EDatabaseError&) {
            wvInit->Cancel();
        }
        wvInit->Next();
    }
}

bool TfrmTrevaloMain::OfferExpiredEffects() {
    // After deleting the last effect the view steps back onto one already asked about; the
    // bookmarks seen tell the walk that it is over.
    QSet<QByteArray> asked;
    bool questioned = false;
    wvEffects->First();
    while (!wvEffects->Eof() && !asked.contains(wvEffects->GetBookmark())) {
        asked.insert(wvEffects->GetBookmark());
        const QVariant endOnTurn = wvEffects->FieldByName(QStringLiteral("EndOnTurn")).Value();
        if (endOnTurn.isNull() || endOnTurn.toInt() <= CurrentTurn) {
            const QString name = wvEffects->FieldByName(QStringLiteral("EffectName")).AsString();
            // A screen reader hears the new turn with its first question.
            if (!std::exchange(questioned, true))
                TellCounters();
            if (ShowConfirmBox(QStringLiteral("Delete This Effect? - ") + name) == mrOk) {
                wvEffects->Delete();
                continue;
            }
        }
        wvEffects->Next();
    }
    return questioned;
}

void TfrmTrevaloMain::ckbxShowAllClick(QObject*) {
    wvInit->SetFiltered(!ckbxShowAll->isChecked());
}

void TfrmTrevaloMain::chkbxPassesClick(QObject*) {
    const bool passes = chkbxPasses->isChecked();
    tvInitPasses->SetVisible(passes);
    NewInitPass1->setVisible(passes);
    lblPass->setVisible(passes);
}

void TfrmTrevaloMain::Help1Click(QObject*) {
    if (!frmHelp)
        static_cast<TApplication*>(QCoreApplication::instance())->CreateForm(frmHelp);
    frmHelp->show();
    frmHelp->raise();
    frmHelp->activateWindow();
}

void TfrmTrevaloMain::Close1Click(QObject*) {
    close();
}

} // namespace trevalo
