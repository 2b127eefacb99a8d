#include "tracker/FightWindow.h"

#include "components/data/TDataSource.h"
#include "components/grid/control/TDataGrid.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/Exception.h"
#include "tracker/frmTrevaloProg.h"

#include <limits>

namespace trevalo {

namespace {

template <class T> T& Part(const TfrmTrevaloMain& main, const char* name) {
    auto* part = qobject_cast<T*>(main.FindComponent(QLatin1String(name)));
    if (!part)
        throw Exception(QStringLiteral("Component '%1' not found").arg(QLatin1String(name)));
    return *part;
}

const TField* FieldOf(TWorkingView& view, const char* name) {
    return &view.FieldByName(QLatin1String(name));
}

std::optional<QString> TextAt(const ValueColumn& column, int record) {
    if (column.Blank[static_cast<std::size_t>(record)])
        return std::nullopt;
    const std::string_view text = column.Utf8(record);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::int32_t> NumberAt(const ValueColumn& column, int record) {
    const auto at = static_cast<std::size_t>(record);
    if (column.Blank[at])
        return std::nullopt;
    return column.Numbers[at];
}

std::optional<bool> FlagAt(const ValueColumn& column, int record) {
    const std::optional<std::int32_t> number = NumberAt(column, record);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

template <class T> QVariant ValueOf(const std::optional<T>& value) {
    return value ? QVariant::fromValue(*value) : QVariant();
}

void Set(TWorkingView& view, const char* field, const QVariant& value) {
    view.FieldByName(QLatin1String(field)).SetValue(value);
}

void Empty(TWorkingView& view) {
    // From the last record back: the engine's records then never move up.
    view.First();
    view.MoveBy(std::numeric_limits<int>::max());
    while (!view.IsEmpty())
        view.Delete();
}

/// Inserts \p rows into the empty \p view as the grid inserts a typed row, each written by
/// \p put and posted, and leaves them in their order.
template <class Row, class Put>
void Fill(TWorkingView& view, const std::vector<Row>& rows, Put put) {
    // A new record stands in front of the current one. A blank record, current before each
    // insert and deleted at the end, puts each row after the one before, so that the engine
    // never moves the rows already in.
    view.Insert();
    view.Post();
    for (const Row& row : rows) {
        view.Insert();
        put(row);
        view.Post();
        view.Next();
    }
    view.Delete();
}

/// Makes the record at \p index of \p view's order current, or the nearest one shown: the next,
/// else the one before. Tells no control.
void Stand(TWorkingView& view, std::size_t index) {
    const RecordColumns all = view.ReadAllColumns({});
    const RecordColumns shown = view.ReadColumns({});
    // The records shown are some of all the records, in the same order.
    std::string_view chosen;
    int next = 0;
    for (int record = 0; record < all.Count && next < shown.Count; ++record) {
        if (all.Bookmark(record) != shown.Bookmark(next))
            continue;
        chosen = shown.Bookmark(next++);
        if (static_cast<std::size_t>(record) >= index)
            break;
    }
    if (!chosen.empty())
        view.RestorePosition({QByteArray(chosen.data(), static_cast<qsizetype>(chosen.size()))});
}

} // namespace

FightParts::FightParts(const TfrmTrevaloMain& main)
    : Combatants(&Part<TWorkingView>(main, "wvInit"))
    , Effects(&Part<TWorkingView>(main, "wvEffects"))
    , ShowAll(&Part<TStyledCheckBox>(main, "ckbxShowAll"))
    , KeepInit(&Part<TStyledCheckBox>(main, "chkbxKeepInit"))
    , UsePasses(&Part<TStyledCheckBox>(main, "chkbxPasses")) {}

bool FightParts::Whole() const {
    return Combatants && Effects && ShowAll && KeepInit && UsePasses;
}

Fight CaptureFight(TfrmTrevaloMain& main) {
    return CaptureFight(FightParts(main));
}

Fight CaptureFight(const FightParts& parts) {
    Q_ASSERT_X(parts.Whole(), "CaptureFight", "a part of the window is gone");
    Fight fight;
    TWorkingView& combatants = *parts.Combatants;
    const RecordColumns fighters =
        combatants.ReadAllColumns({FieldOf(combatants, "Name"), FieldOf(combatants, "Init"),
                                   FieldOf(combatants, "Passes"), FieldOf(combatants, "Active")});
    fight.Combatants.reserve(static_cast<std::size_t>(fighters.Count));
    for (int record = 0; record < fighters.Count; ++record)
        fight.Combatants.push_back(
            {TextAt(fighters.Columns[0], record), NumberAt(fighters.Columns[1], record),
             NumberAt(fighters.Columns[2], record), FlagAt(fighters.Columns[3], record)});

    TWorkingView& effects = *parts.Effects;
    const RecordColumns running =
        effects.ReadAllColumns({FieldOf(effects, "EffectName"), FieldOf(effects, "EndOnTurn")});
    fight.Effects.reserve(static_cast<std::size_t>(running.Count));
    for (int record = 0; record < running.Count; ++record)
        fight.Effects.push_back(
            {TextAt(running.Columns[0], record), NumberAt(running.Columns[1], record)});

    fight.Turn = CurrentTurn;
    fight.Pass = CurrentPass;
    fight.ShowAllEntries = parts.ShowAll->isChecked();
    fight.KeepInit = parts.KeepInit->isChecked();
    fight.UsePasses = parts.UsePasses->isChecked();
    fight.ShowingAll = !combatants.Filtered();
    return fight;
}

void RestoreFight(TfrmTrevaloMain& main, const Fight& fight, const FightFocus& focus) {
    const FightParts parts(main);
    TWorkingView& combatants = *parts.Combatants;
    TWorkingView& effects = *parts.Effects;
    // The grids see a row being typed go before they stop listening.
    combatants.Cancel();
    effects.Cancel();

    // Told of every insert, the grids would read and sort their tables again at each one.
    TDataSource& combatantSource = Part<TDataSource>(main, "dsInit");
    TDataSource& effectSource = Part<TDataSource>(main, "dsEffects");
    combatantSource.Suspend();
    effectSource.Suspend();
    const auto resume = [&] {
        combatantSource.Resume();
        effectSource.Resume();
    };
    try {
        combatants.SetFiltered(false);
        Empty(combatants);
        Fill(combatants, fight.Combatants, [&](const FightCombatant& row) {
            Set(combatants, "Name", ValueOf(row.Name));
            Set(combatants, "Init", ValueOf(row.Init));
            Set(combatants, "Passes", ValueOf(row.Passes));
            Set(combatants, "Active", ValueOf(row.Active));
        });
        Empty(effects);
        Fill(effects, fight.Effects, [&](const FightEffect& row) {
            Set(effects, "EffectName", ValueOf(row.EffectName));
            Set(effects, "EndOnTurn", ValueOf(row.EndOnTurn));
        });

        // Ticked or unticked as a click does it, so that their handlers run.
        parts.UsePasses->setChecked(fight.UsePasses);
        parts.KeepInit->setChecked(fight.KeepInit);
        parts.ShowAll->setChecked(fight.ShowAllEntries);
        CurrentTurn = fight.Turn;
        CurrentPass = fight.Pass;
        main.UpdateFilter();
        if (fight.ShowingAll)
            combatants.SetFiltered(false);
        if (focus.Combatant)
            Stand(combatants, *focus.Combatant);
        if (focus.Effect)
            Stand(effects, *focus.Effect);
    } catch (...) {
        resume();
        throw;
    }
    resume();
    // Otherwise each grid's focus on its top row, whatever order the user has sorted it in.
    if (!focus.Combatant)
        Part<TDataGrid>(main, "grdInit").View()->DataController().FocusRow(0);
    if (!focus.Effect)
        Part<TDataGrid>(main, "grdEffects").View()->DataController().FocusRow(0);
}

} // namespace trevalo
