// The data controller on the real data chains: its sorted rows, its focus following the working
// view and leading it, the editing pin, and its reload's care of the working view's position.
#include "components/grid/model/TDBDataController.h"
#include "tests/support/DataChain.h"

#include <climits>
#include <optional>

namespace trevalo::test {
namespace {

using Value = std::optional<int>;

/// The combatant controller as the combatant grid binds it, Init descending.
class DataControllerTest : public DataChainTest {
protected:
    DataControllerTest() {
        grid_.SetDataSource(&Component<TDataSource>("dsInit"));
        grid_.SetFieldNames({"ID", "Name", "Init", "Active", "Passes"});
        grid_.SetSortList({{kInit, SortOrder::Descending}});
        grid_.OnChanged = [this] { ++changes_; };
    }

    void Populate(const QList<std::pair<QString, Value>>& records) {
        FillWithInit(Init(), records);
    }

    /// Starts over: every combatant gone, then \p records.
    void Restart(const QList<std::pair<QString, Value>>& records) {
        TWorkingView& view = Init();
        view.SetFiltered(false);
        while (!view.IsEmpty())
            view.Delete();
        Populate(records);
    }

    /// The names in display order.
    QStringList Rows() const {
        QStringList names;
        for (int row = 0; row < grid_.RowCount(); ++row)
            names << DisplayText(grid_.Value(grid_.RowRecord(row), kName));
        return names;
    }

    QString FocusedName() const {
        const int record = grid_.RowRecord(grid_.FocusedRow());
        return record < 0 ? QStringLiteral("<none>") : DisplayText(grid_.Value(record, kName));
    }

    int RowOf(const QString& name) const { return Rows().indexOf(name); }

    static constexpr int kName = 1;
    static constexpr int kInit = 2;
    static constexpr int kActive = 3;
    static constexpr int kPasses = 4;

    TDBDataController grid_;
    int changes_ = 0;
};

TEST_F(DataControllerTest, BindsFieldsByNameAndReadsEveryRecord) {
    Populate({{"A", 3}, {"B", std::nullopt}});
    EXPECT_EQ(grid_.FieldCount(), 5);
    EXPECT_EQ(grid_.FieldIndex("init"), kInit);
    EXPECT_EQ(grid_.FieldIndex("Nope"), -1);
    EXPECT_EQ(grid_.Field(kPasses), Init().FindField("Passes"));
    EXPECT_EQ(grid_.Field(5), nullptr);
    ASSERT_EQ(grid_.RecordCount(), 2);
    EXPECT_EQ(grid_.Value(0, kInit), CacheValue(3));
    EXPECT_EQ(grid_.Value(1, kInit), CacheValue());
    EXPECT_EQ(grid_.Value(1, kActive), CacheValue(true));
    EXPECT_EQ(grid_.Value(0, 0), CacheValue()) << "ID is blank in every record";
    EXPECT_EQ(grid_.CurrentRecord(), 0);
}

TEST_F(DataControllerTest, RowsFollowTheSortList) {
    struct Case {
        const char* what;
        QList<std::pair<QString, Value>> records;
        QList<SortKey> sort;
        QStringList expected;
    };
    const Value none;
    const QList<Case> cases{
        {"Init descending, nulls last, ties in stored order",
         {{"a12", 12}, {"null", none}, {"c15", 15}, {"d12", 12}},
         {{kInit, SortOrder::Descending}},
         {"c15", "a12", "d12", "null"}},
        {"Init ascending, nulls first, ties still in stored order",
         {{"a12", 12}, {"null", none}, {"c15", 15}, {"d12", 12}},
         {{kInit, SortOrder::Ascending}},
         {"null", "a12", "d12", "c15"}},
        {"numbers, not texts",
         {{"9", 9}, {"10", 10}},
         {{kInit, SortOrder::Descending}},
         {"10", "9"}},
        {"the whole 32-bit range",
         {{"max", INT_MAX}, {"min", INT_MIN}, {"zero", 0}},
         {{kInit, SortOrder::Ascending}},
         {"min", "zero", "max"}},
        {"names by character code, case-sensitive, prefix first",
         {{"abe", 1}, {"Zed", 2}, {"Abc", 3}, {"Ab", 4}},
         {{kName, SortOrder::Ascending}},
         {"Ab", "Abc", "Zed", "abe"}},
        {"no sort: the working view's own order",
         {{"c", 1}, {"a", 3}, {"b", 2}},
         {},
         {"c", "a", "b"}},
        {"a minor key decides between equal major keys",
         {{"b", 5}, {"a", 5}, {"c", 7}},
         {{kInit, SortOrder::Ascending}, {kName, SortOrder::Ascending}},
         {"a", "b", "c"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        TWorkingView& view = Init();
        while (!view.IsEmpty())
            view.Delete();
        grid_.SetSortList(row.sort);
        Populate(row.records);
        EXPECT_EQ(Rows(), row.expected);
    }
}

TEST_F(DataControllerTest, EffectsShowByEndTurnLowestFirst) {
    TDBDataController effects;
    effects.SetDataSource(&Component<TDataSource>("dsEffects"));
    effects.SetFieldNames({"EffectName", "EndOnTurn"});
    effects.SetSortList({{1, SortOrder::Ascending}});
    TWorkingView& view = Effects();
    for (const Value end : {Value(1), Value(), Value(3)}) {
        view.Insert();
        Set(view, "EffectName", QString::number(end.value_or(-1)));
        Set(view, "EndOnTurn", end ? QVariant(*end) : QVariant());
        view.Post();
    }
    QStringList shown;
    for (int row = 0; row < effects.RowCount(); ++row)
        shown << DisplayText(effects.Value(effects.RowRecord(row), 1));
    EXPECT_EQ(shown, (QStringList{"", "1", "3"}));
}

TEST_F(DataControllerTest, HeaderClicksChangeTheOrderButNotTheFocus) {
    struct Click {
        int field;
        bool shift;
        bool ctrl;
        QList<SortKey> sort;
        QStringList expected;
    };
    Populate({{"b", 12}, {"a", std::nullopt}, {"c", 15}, {"A", 12}});
    Init().Next();
    const QList<Click> clicks{
        {kInit, false, false, {{kInit, SortOrder::Ascending}}, {"a", "b", "A", "c"}},
        {kInit, false, false, {{kInit, SortOrder::Descending}}, {"c", "b", "A", "a"}},
        {kName,
         true,
         false,
         {{kInit, SortOrder::Descending}, {kName, SortOrder::Ascending}},
         {"c", "A", "b", "a"}},
        {kName, false, false, {{kName, SortOrder::Descending}}, {"c", "b", "a", "A"}},
        {kName, false, false, {{kName, SortOrder::Ascending}}, {"A", "a", "b", "c"}},
        {kName, false, true, {}, {"b", "a", "c", "A"}},
    };
    for (const Click& click : clicks) {
        grid_.ClickSort(click.field, click.shift, click.ctrl);
        EXPECT_EQ(grid_.SortList(), click.sort);
        EXPECT_EQ(Rows(), click.expected);
        EXPECT_EQ(FocusedName(), "a") << "the focused record stays focused";
        EXPECT_EQ(CurrentName(Init()), "a") << "a header click does not move the working view";
    }
    EXPECT_EQ(grid_.FieldSortOrder(kInit), SortOrder::None);
}

TEST_F(DataControllerTest, FocusFollowsTheWorkingViewsWalk) {
    Populate({{"b", 5}, {"a", 9}, {"c", 7}});
    EXPECT_EQ(Rows(), (QStringList{"a", "c", "b"}));
    QStringList focused;
    TWorkingView& view = Init();
    for (view.First(); !view.Eof(); view.Next())
        focused << FocusedName();
    EXPECT_EQ(focused, (QStringList{"b", "a", "c"}));
    EXPECT_EQ(FocusedName(), "c");
}

TEST_F(DataControllerTest, PostSortsTheRowInAndKeepsItFocused) {
    Populate({{"a", 9}, {"b", 5}, {"c", 1}});
    TWorkingView& view = Init();
    view.Next();
    view.Edit();
    Set(view, "Init", 20);
    EXPECT_EQ(grid_.PinnedRecord(), 1);
    EXPECT_EQ(grid_.Value(1, kInit), CacheValue(20)) << "typed values reach the cache";
    EXPECT_EQ(Rows(), (QStringList{"a", "b", "c"})) << "the row stays while it is typed into";
    view.Post();
    EXPECT_EQ(grid_.PinnedRecord(), -1);
    EXPECT_EQ(Rows(), (QStringList{"b", "a", "c"}));
    EXPECT_EQ(FocusedName(), "b");
}

TEST_F(DataControllerTest, RemovedRecordsHandTheFocusToTheNewCurrentRecord) {
    struct Case {
        const char* what;
        std::function<void(TWorkingView&)> act;
        QStringList rows;
        QString focused;
    };
    const QList<Case> cases{
        {"delete", [](TWorkingView& view) { view.Delete(); }, {"a", "c"}, "c"},
        {"posted out of the filter",
         [](TWorkingView& view) {
             view.Edit();
             Set(view, "Active", false);
             view.Post();
         },
         {"a", "c"},
         "c"},
        {"filter change",
         [](TWorkingView& view) { view.SetFilter("[Init] >= 5"); },
         {"b", "c"},
         "b"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        TWorkingView& view = Init();
        Restart({{"a", 1}, {"b", 5}, {"c", 9}});
        view.SetFilter("[Active] = True");
        view.SetFiltered(true);
        view.Next();
        ASSERT_EQ(FocusedName(), "b");
        row.act(view);
        grid_.SetSortList({{kInit, SortOrder::Ascending}});
        EXPECT_EQ(Rows(), row.rows);
        EXPECT_EQ(FocusedName(), row.focused);
        EXPECT_EQ(CurrentName(view), row.focused);
    }
}

TEST_F(DataControllerTest, InsertTakesTheFocusedRowsPlaceOrTheBottomAfterAWalk) {
    struct Case {
        const char* what;
        int nexts; ///< moves from the first record; 3 walks past the end
        QStringList rows;
    };
    const QList<Case> cases{
        {"before the first", 0, {"a", "", "b", "c"}},
        {"before the focused", 2, {"a", "b", "", "c"}},
        {"after a walk to the end", 3, {"a", "b", "c", ""}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        TWorkingView& view = Init();
        while (!view.IsEmpty())
            view.Delete();
        // Stored b, a, c: the first record does not stand in the first row.
        Populate({{"b", 5}, {"a", 9}, {"c", 1}});
        for (int i = 0; i < row.nexts; ++i)
            view.Next();
        view.Insert();
        EXPECT_EQ(Rows(), row.rows);
        ASSERT_GE(grid_.PinnedRecord(), 0);
        EXPECT_EQ(grid_.CurrentRecord(), grid_.PinnedRecord());
        EXPECT_EQ(grid_.RowRecord(grid_.FocusedRow()), grid_.PinnedRecord());
        EXPECT_EQ(grid_.Value(grid_.PinnedRecord(), kActive), CacheValue(true));
        EXPECT_EQ(grid_.Value(grid_.PinnedRecord(), kPasses), CacheValue(1));
        Set(view, "Name", "n");
        Set(view, "Init", 6);
        EXPECT_EQ(Rows()[grid_.FocusedRow()], "n");
        view.Post();
        EXPECT_EQ(Rows(), (QStringList{"a", "n", "b", "c"}));
        EXPECT_EQ(FocusedName(), "n");
    }
}

TEST_F(DataControllerTest, AnInsertedTieStandsAboveTheRecordItWasBegunBefore) {
    Populate({{"a", 5}, {"b", 5}});
    TWorkingView& view = Init();
    view.Next();
    view.Insert();
    Set(view, "Name", "n");
    Set(view, "Init", 5);
    view.Post();
    EXPECT_EQ(Rows(), (QStringList{"a", "n", "b"}));
}

TEST_F(DataControllerTest, FocusingARowMovesTheWorkingViewThere) {
    Populate({{"b", 5}, {"a", 9}, {"d", 3}, {"c", 7}});
    ASSERT_EQ(Rows(), (QStringList{"a", "c", "b", "d"}));
    for (const int row : {3, 0, 1, 2, 0}) {
        grid_.FocusRow(row);
        EXPECT_EQ(grid_.FocusedRow(), row);
        EXPECT_EQ(CurrentName(Init()), Rows()[row]);
    }
    const int before = changes_;
    for (const int row : {-1, 4, grid_.FocusedRow()})
        grid_.FocusRow(row);
    EXPECT_EQ(changes_, before) << "an invalid or the focused row changes nothing";
}

TEST_F(DataControllerTest, FocusingAnotherRowSettlesTheEditAndStillReachesTheClickedRow) {
    struct Case {
        const char* what;
        std::function<void(TWorkingView&)> edit;
        QStringList rows; ///< after the move
    };
    const QList<Case> cases{
        {"an edit that leaves the filter",
         [](TWorkingView& view) {
             view.Edit();
             Set(view, "Active", false);
         },
         {"a", "c", "d"}},
        {"an edit that moves the row",
         [](TWorkingView& view) {
             view.Edit();
             Set(view, "Init", 1);
         },
         {"a", "c", "d", "b"}},
        {"an untouched insert", [](TWorkingView& view) { view.Insert(); }, {"a", "c", "b", "d"}},
        {"a typed insert",
         [](TWorkingView& view) {
             view.Insert();
             Set(view, "Name", "n");
             Set(view, "Init", 8);
         },
         {"a", "n", "c", "b", "d"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        TWorkingView& view = Init();
        Restart({{"b", 5}, {"a", 9}, {"d", 3}, {"c", 7}});
        view.SetFilter("[Active] = True");
        view.SetFiltered(true);
        ASSERT_EQ(CurrentName(view), "b");
        row.edit(view);
        grid_.FocusRow(grid_.RowCount() - 1);
        EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
        EXPECT_EQ(Rows(), row.rows);
        EXPECT_EQ(CurrentName(view), "d");
        EXPECT_EQ(FocusedName(), "d");
    }
}

TEST_F(DataControllerTest, FocusingTheInsertedRowKeepsTheInsert) {
    Populate({{"a", 9}, {"b", 5}});
    TWorkingView& view = Init();
    view.Insert();
    Set(view, "Name", "n");
    grid_.FocusRow(grid_.RecordRow(grid_.PinnedRecord()));
    EXPECT_EQ(view.State(), TDataSetState::dsInsert);
    EXPECT_EQ(Get(view, "Name"), "n");
}

TEST_F(DataControllerTest, AFailedReloadReleasesTheWorkingView) {
    // A second control on the same source that fails once when the state changes.
    struct FailingLink final : TDataLink {
        void StateChanged() override {
            if (std::exchange(fail, false))
                throw EDatabaseError("boom");
        }
        bool fail = false;
    } failing;
    TDataSource& source = Component<TDataSource>("dsInit");
    source.AddLink(&failing);
    Populate({{"a", 9}, {"b", 5}});
    TWorkingView& view = Init();
    view.Edit();
    failing.fail = true;
    EXPECT_EQ(ErrorOf([&] {
                  grid_.SetFieldNames({"ID", "Name", "Init", "Active", "Passes"});
              }),
              "boom");
    source.RemoveLink(&failing);
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(grid_.RowCount(), 0) << "a half-read cache is not shown";

    AddCombatant(view, "c");
    EXPECT_EQ(Rows().size(), 3) << "notifications reach the controller again";
    grid_.SetSortList({{kName, SortOrder::Ascending}});
    EXPECT_EQ(Rows(), (QStringList{"a", "b", "c"}));
}

TEST_F(DataControllerTest, ClosingOrUnbindingEmptiesTheCache) {
    Populate({{"a", 9}});
    ASSERT_EQ(grid_.RowCount(), 1);
    Init().Close();
    EXPECT_EQ(grid_.RowCount(), 0);
    EXPECT_EQ(grid_.FocusedRow(), -1);
    Init().Open();
    AddCombatant(Init(), "b");
    EXPECT_EQ(grid_.RowCount(), 1);
    grid_.SetDataSource(nullptr);
    EXPECT_EQ(grid_.RowCount(), 0);
    EXPECT_EQ(grid_.View(), nullptr);
}

/// The reload's walk leaves the working view where it was, begin and end flags included.
using PositionTest = DataChainTest;

TEST_F(PositionTest, RestoringGoesBackToTheRecordAndFlagsWhileItIsVisible) {
    TWorkingView& view = Init();
    Fill(view, {"a", "b", "c"});
    for (int i = 0; i < 3; ++i)
        view.Next();
    const TCursorPosition atEnd = view.SavePosition();
    EXPECT_TRUE(atEnd.Eof);
    view.First();
    view.RestorePosition(atEnd);
    EXPECT_EQ(CurrentName(view), "c");
    EXPECT_TRUE(view.Eof());
    EXPECT_FALSE(view.Bof());

    view.First();
    view.Next();
    const TCursorPosition atB = view.SavePosition();
    view.Delete();
    view.RestorePosition(atB);
    EXPECT_EQ(CurrentName(view), "c") << "a record no longer there is not restored";
    EXPECT_FALSE(view.Eof());
    view.Next();
    EXPECT_TRUE(view.Eof());
    EXPECT_EQ(CurrentName(view), "c");
}

} // namespace
} // namespace trevalo::test
