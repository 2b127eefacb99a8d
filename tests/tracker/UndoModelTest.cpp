// Random changes, undoes and redoes on the main window against a plain model, which keeps the
// whole fight after every step: after each action the window holds the model's fight, and after
// an undo or a redo its grids show the rows they showed when the fight was first like that.
// Undoing everything gives the fight the steps began with, redoing everything the last.
#include "RandomFight.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/grid/control/TDataGrid.h"
#include "components/grid/view/TDBTableView.h"
#include "tests/support/QStringPrint.h"
#include "tests/support/RandomRun.h"
#include "tests/support/TrackerFixture.h"
#include "tracker/FightHistory.h"
#include "tracker/FightWindow.h"

#include <QCoreApplication>
#include <functional>

namespace trevalo {
namespace {

/// What a grid shows, row by row, each row its cells' texts.
QStringList Rows(TDataGrid& grid) {
    const TDBDataController& data = grid.View()->DataController();
    QStringList rows;
    for (int row = 0; row < data.RowCount(); ++row) {
        QStringList cells;
        for (int field = 0; data.Field(field); ++field)
            cells.append(DisplayText(data.Value(data.RowRecord(row), field)));
        rows.append(cells.join(QLatin1Char('|')));
    }
    return rows;
}

/// \p fight without what "Show All Entries" shows, which no step changes.
Fight Data(Fight fight) {
    fight.ShowAllEntries = fight.ShowingAll = false;
    return fight;
}

/// The plain model: the whole fight after each step, and the rule for what "Show All Entries"
/// shows when a step is taken back or done again.
class FightModel {
public:
    explicit FightModel(Fight start)
        : now_(start)
        , states_{{std::move(start), std::nullopt, {}}} {}

    const Fight& Now() const { return now_; }
    /// The steps kept, undone ones included.
    std::size_t Steps() const { return states_.size() - 1; }
    /// The oldest steps dropped so far, past the steps kept.
    int Dropped() const { return dropped_; }
    const Fight& FightAt(std::size_t at) const { return states_[at].After; }

    /// The user's change: a step unless it changed only the view.
    void Change(const std::function<void(Fight&)>& change) {
        const Fight before = now_;
        change(now_);
        if (Data(before) == Data(now_))
            return;
        states_.resize(at_ + 1);
        std::optional<bool> showingAllBefore;
        if (before.ShowingAll != now_.ShowingAll)
            showingAllBefore = before.ShowingAll;
        states_.push_back({now_, showingAllBefore, {}});
        ++at_;
        if (states_.size() > FightHistory::kSteps + 1) {
            states_.erase(states_.begin());
            --at_;
            ++dropped_;
        }
    }
    bool Undo() {
        if (at_ == 0)
            return false;
        const std::optional<bool> showingAll = states_[at_].ShowingAllBefore;
        --at_;
        MoveTo(showingAll);
        return true;
    }
    bool Redo() {
        if (at_ + 1 == states_.size())
            return false;
        ++at_;
        const Step& step = states_[at_];
        MoveTo(step.ShowingAllBefore ? std::optional(step.After.ShowingAll) : std::nullopt);
        return true;
    }

    /// What the grids showed when the current state was first reached, with the view then.
    struct Shown {
        QStringList Combatants;
        QStringList Effects;
        bool ShowingAll = false;
    };
    std::optional<Shown>& ShownAtThisStep() { return states_[at_].Seen; }

private:
    /// The fight after the step now at; "Show All Entries" as the user left it, and everyone
    /// shown as \p showingAll says, while the box is ticked, where the step in between
    /// changed that.
    void MoveTo(std::optional<bool> showingAll) {
        const bool box = now_.ShowAllEntries;
        const bool showingAllNow = now_.ShowingAll;
        now_ = states_[at_].After;
        now_.ShowAllEntries = box;
        now_.ShowingAll = showingAll ? *showingAll && box : showingAllNow;
    }

    struct Step {
        Fight After;
        std::optional<bool> ShowingAllBefore; ///< where the step changed whether everyone shows
        std::optional<Shown> Seen;
    };
    Fight now_;
    std::vector<Step> states_;
    std::size_t at_ = 0;
    int dropped_ = 0;
};

class UndoModel : public TrackerFixture {
protected:
    int Draw(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    template <class T> std::optional<T> OrBlank(T value) {
        return Draw(0, 7) == 0 ? std::nullopt : std::optional<T>(value);
    }
    std::optional<QString> Name() {
        static const QString names[] = {"Ann", "Bob", "", "Zoë 🐉", QString(50, u'W')};
        return OrBlank(names[Draw(0, 4)]);
    }

    FightHistory& History() const { return test::ChildOf<FightHistory>(*main_); }

    /// Runs \p action as the handling of one event, as a click runs a command.
    void AsAction(const std::function<void()>& action) {
        QMetaObject::invokeMethod(main_.get(), action, Qt::QueuedConnection);
        QCoreApplication::sendPostedEvents(main_.get(), QEvent::MetaCall);
    }

    /// The indexes, in \p view's order, of the records it shows.
    static std::vector<std::size_t> Shown(TWorkingView& view) {
        const RecordColumns all = view.ReadAllColumns({});
        const RecordColumns shown = view.ReadColumns({});
        std::vector<std::size_t> indexes;
        for (int record = 0, next = 0; record < all.Count && next < shown.Count; ++record) {
            if (all.Bookmark(record) == shown.Bookmark(next)) {
                indexes.push_back(static_cast<std::size_t>(record));
                ++next;
            }
        }
        return indexes;
    }
    static void GoTo(TWorkingView& view, std::size_t index) {
        const RecordColumns all = view.ReadAllColumns({});
        const std::string_view bookmark = all.Bookmark(static_cast<int>(index));
        view.GotoBookmark(QByteArray(bookmark.data(), static_cast<qsizetype>(bookmark.size())));
    }
    /// One of the records \p view shows, by its index in the view's order; none when it shows
    /// none.
    std::optional<std::size_t> AnyShown(TWorkingView& view) {
        const std::vector<std::size_t> shown = Shown(view);
        if (shown.empty())
            return std::nullopt;
        return shown[static_cast<std::size_t>(Draw(0, static_cast<int>(shown.size()) - 1))];
    }

    template <class T>
    static void Set(TWorkingView& view, const char* field, const std::optional<T>& value) {
        view.FieldByName(QLatin1String(field))
            .SetValue(value ? QVariant::fromValue(*value) : QVariant());
    }
    FightCombatant NewCombatant() {
        return {Name(), OrBlank(Draw(-3, 6)), OrBlank(Draw(0, 4)), OrBlank(Draw(0, 3) > 0)};
    }
    void Put(const FightCombatant& row) {
        Set(Combatants(), "Name", row.Name);
        Set(Combatants(), "Init", row.Init);
        Set(Combatants(), "Passes", row.Passes);
        Set(Combatants(), "Active", row.Active);
    }
    FightEffect NewEffect(const Fight& fight) {
        // Most run out a few turns on, so that New Turn asks about some but not every one.
        return {Name(), OrBlank(fight.Turn + Draw(0, 6))};
    }
    void Put(const FightEffect& row) {
        Set(Effects(), "EffectName", row.EffectName);
        Set(Effects(), "EndOnTurn", row.EndOnTurn);
    }
    /// Inserts \p row in front of the record at \p at, or into the empty table.
    template <class Row>
    void Insert(TWorkingView& view, std::vector<Row> Fight::*table, std::optional<std::size_t> at,
                Row row) {
        AsAction([&] {
            if (at)
                GoTo(view, *at);
            view.Insert();
            Put(row);
            view.Post();
        });
        model_->Change([&](Fight& f) {
            (f.*table).insert((f.*table).begin() + static_cast<std::ptrdiff_t>(at.value_or(0)),
                              row);
        });
    }
    /// Gives the record at \p at the values of \p row, or deletes it when there is none.
    template <class Row>
    void EditOrDelete(TWorkingView& view, std::vector<Row> Fight::*table, std::size_t at,
                      const std::optional<Row>& row) {
        AsAction([&] {
            GoTo(view, at);
            if (!row) {
                view.Delete();
                return;
            }
            view.Edit();
            Put(*row);
            view.Post();
        });
        model_->Change([&](Fight& f) {
            std::vector<Row>& rows = f.*table;
            if (row)
                rows[at] = *row;
            else
                rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(at));
        });
    }
    void Click(const char* checkBox, bool Fight::*setting) {
        auto& box = Component<TStyledCheckBox>(checkBox);
        AsAction([&] { box.setChecked(!box.isChecked()); });
        model_->Change([&](Fight& f) { f.*setting = !(f.*setting); });
    }

    /// One random action of the user; false when the one drawn cannot be done now.
    bool Act(std::string& what);
    void NewTurn();

    std::mt19937 random_;
    std::optional<FightModel> model_;
};

void UndoModel::NewTurn() {
    const Fight& fight = model_->Now();
    QList<Qt::Key> answers;
    std::vector<bool> deleted;
    for (const FightEffect& effect : fight.Effects) {
        const bool reached = !effect.EndOnTurn || *effect.EndOnTurn <= fight.Turn + 1;
        const bool ok = reached && Draw(0, 1) == 1;
        if (reached)
            answers.append(ok ? Qt::Key_Return : Qt::Key_Escape);
        deleted.push_back(ok);
    }
    boxTexts_.clear();
    AnswerBoxes(answers);
    AsAction([this] { main_->NewTurn1Click(nullptr); });
    answering_.stop();
    ASSERT_EQ(boxTexts_.size(), answers.size());
    model_->Change([&](Fight& f) {
        f.Turn += 1;
        f.Pass = 1;
        for (FightCombatant& combatant : f.Combatants) {
            combatant.Active = true;
            if (!f.KeepInit)
                combatant.Init = 0;
        }
        for (std::size_t i = deleted.size(); i-- > 0;)
            if (deleted[i])
                f.Effects.erase(f.Effects.begin() + static_cast<std::ptrdiff_t>(i));
        f.ShowingAll = false;
    });
}

bool UndoModel::Act(std::string& what) {
    const Fight& fight = model_->Now();
    const int kind = Draw(0, 99);
    if (kind < 10) {
        what = "insert a combatant";
        const std::optional<std::size_t> at = AnyShown(Combatants());
        if (!at && !fight.Combatants.empty())
            return false;
        Insert(Combatants(), &Fight::Combatants, at, NewCombatant());
    } else if (kind < 18) {
        what = "done";
        const std::optional<std::size_t> at = AnyShown(Combatants());
        if (!at)
            return false;
        AsAction([&] {
            GoTo(Combatants(), *at);
            main_->tvInitDoneButtonPropertiesButtonClick(nullptr);
        });
        model_->Change([&](Fight& f) { f.Combatants[*at].Active = false; });
    } else if (kind < 33) {
        const bool edit = kind < 28;
        what = edit ? "edit a combatant" : "delete a combatant";
        const std::optional<std::size_t> at = AnyShown(Combatants());
        if (!at)
            return false;
        EditOrDelete(Combatants(), &Fight::Combatants, *at,
                     edit ? std::optional(NewCombatant()) : std::nullopt);
    } else if (kind < 39) {
        what = "insert an effect";
        Insert(Effects(), &Fight::Effects, AnyShown(Effects()), NewEffect(fight));
    } else if (kind < 46) {
        const bool edit = kind < 43;
        what = edit ? "edit an effect" : "delete an effect";
        const std::optional<std::size_t> at = AnyShown(Effects());
        if (!at)
            return false;
        EditOrDelete(Effects(), &Fight::Effects, *at,
                     edit ? std::optional(NewEffect(fight)) : std::nullopt);
    } else if (kind < 51) {
        what = "New Init Pass";
        AsAction([this] { main_->NewInitPass1Click(nullptr); });
        model_->Change([](Fight& f) {
            ++f.Pass;
            for (FightCombatant& combatant : f.Combatants)
                combatant.Active = true;
            f.ShowingAll = false;
        });
    } else if (kind < 55) {
        what = "New Turn";
        NewTurn();
    } else if (kind < 58) {
        what = "Keep Init / Turn";
        Click("chkbxKeepInit", &Fight::KeepInit);
    } else if (kind < 61) {
        what = "Use Passes (SR4)";
        Click("chkbxPasses", &Fight::UsePasses);
    } else if (kind < 66) {
        what = "Show All Entries";
        auto& box = Component<TStyledCheckBox>("ckbxShowAll");
        AsAction([&] { box.setChecked(!box.isChecked()); });
        model_->Change([](Fight& f) { f.ShowAllEntries = f.ShowingAll = !f.ShowAllEntries; });
    } else if (kind < 85) {
        what = "undo";
        AsAction([this] { History().Undo(); });
        model_->Undo();
    } else {
        what = "redo";
        AsAction([this] { History().Redo(); });
        model_->Redo();
    }
    return true;
}

TEST_F(UndoModel, RandomStepsUndoesAndRedoesHoldTheModelsFight) {
    const test::RandomRun run = test::RandomRunSettings("TREVALO_UNDO_STEPS", 10000);
    random_.seed(run.Seed);
    std::uint64_t step = 0;
    const auto check = [&](const std::string& what) {
        ++step;
        ASSERT_EQ(CaptureFight(*main_), model_->Now()) << "step " << step << ": " << what;
        const FightModel::Shown shown{Rows(Component<TDataGrid>("grdInit")),
                                      Rows(Component<TDataGrid>("grdEffects")),
                                      model_->Now().ShowingAll};
        std::optional<FightModel::Shown>& seen = model_->ShownAtThisStep();
        if (!seen || seen->ShowingAll != shown.ShowingAll) {
            seen = shown;
            return;
        }
        ASSERT_EQ(shown.Combatants, seen->Combatants) << "step " << step << ": " << what;
        ASSERT_EQ(shown.Effects, seen->Effects) << "step " << step << ": " << what;
    };
    for (int session = 0; step < run.Steps; ++session) {
        RestoreFight(*main_, test::RandomFight(random_, 8));
        History().Forget();
        model_.emplace(CaptureFight(*main_));
        const Fight start = model_->Now();
        // Now and then on past the steps kept.
        const bool long_ = Draw(0, 4) == 0;
        const int actions = Draw(20, 150);
        for (int action = 0; long_ ? model_->Dropped() < 30 : action < actions;) {
            std::string what;
            if (!Act(what))
                continue;
            ++action;
            check(what);
            if (HasFailure())
                return;
        }
        std::string what = "undo all, session " + std::to_string(session);
        while (model_->Undo()) {
            AsAction([this] { History().Undo(); });
            check(what);
            if (HasFailure())
                return;
        }
        if (model_->Dropped() == 0) {
            EXPECT_EQ(Data(CaptureFight(*main_)), Data(start)) << what;
        }
        AsAction([this] { History().Undo(); });
        check(what + ", once more");
        const Fight last = model_->FightAt(model_->Steps());
        what = "redo all, session " + std::to_string(session);
        while (model_->Redo()) {
            AsAction([this] { History().Redo(); });
            check(what);
            if (HasFailure())
                return;
        }
        EXPECT_EQ(Data(CaptureFight(*main_)), Data(last)) << what;
    }
    EXPECT_EQ(boxTexts_.filter(QStringLiteral("unexpected")), QStringList());
}

} // namespace
} // namespace trevalo
