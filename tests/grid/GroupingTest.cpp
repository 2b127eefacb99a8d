// The data controller's group rows and view filter on the real combatant chain: rows dropped and
// grouped in the grid only, expansion kept by group value, and the focus on group rows.
#include "components/grid/model/TDBDataController.h"
#include "tests/support/DataChain.h"

#include <optional>

namespace trevalo::test {
namespace {

using Value = std::optional<int>;

/// The combatant controller, Init descending, over combatants given by name and Init.
class GroupedGridTest : public DataChainTest {
protected:
    GroupedGridTest() {
        grid_.SetDataSource(&Component<TDataSource>("dsInit"));
        grid_.SetFieldNames({"ID", "Name", "Init", "Active", "Passes"});
        grid_.SetSortList({{kInit, SortOrder::Descending}});
    }

    void Populate(const QList<std::pair<QString, Value>>& records) {
        FillWithInit(Init(), records);
    }

    /// The rows top down: a record by name, a group row as "+value" (collapsed) or "-value"
    /// (expanded), indented by level with ".".
    QStringList Rows() const {
        QStringList rows;
        for (int row = 0; row < grid_.RowCount(); ++row) {
            const QString indent(grid_.RowLevel(row), QLatin1Char('.'));
            if (!grid_.IsGroupRow(row))
                rows << indent + DisplayText(grid_.Value(grid_.RowRecord(row), kName));
            else
                rows << indent + (grid_.IsExpanded(row) ? "-" : "+") +
                            DisplayText(grid_.GroupValue(row));
        }
        return rows;
    }

    /// The row whose text Rows() gives as \p text.
    int RowOf(const QString& text) const {
        const int row = Rows().indexOf(text);
        EXPECT_GE(row, 0) << text.toStdString() << " in " << Rows().join(" ").toStdString();
        return row;
    }

    std::string Focused() const {
        const int row = grid_.FocusedRow();
        return row < 0 ? "<none>" : Rows()[row].toStdString();
    }

    void Expand(const QString& text) { grid_.SetExpanded(RowOf(text), true); }

    static ColumnFilter Where(FilterOperator op, CacheValue value = {}) {
        return {{{op, std::move(value)}}};
    }

    static constexpr int kName = 1;
    static constexpr int kInit = 2;
    static constexpr int kActive = 3;

    TDBDataController grid_;
};

TEST_F(GroupedGridTest, GroupingByInitShowsOneCollapsedGroupPerInitiative) {
    Populate({{"a", 12}, {"b", std::nullopt}, {"c", 15}, {"d", 12}});
    grid_.SetGroupingList({kInit});
    // Init stays descending: the sort list gives the grouping field its direction.
    EXPECT_EQ(Rows(), (QStringList{"+15", "+12", "+"}));
    EXPECT_EQ(grid_.GroupField(0), kInit);
    EXPECT_EQ(grid_.GroupValue(1), CacheValue(12));
    EXPECT_EQ(grid_.GroupValue(2), CacheValue());
    EXPECT_EQ(grid_.RowRecord(0), -1);
    for (int record = 0; record < grid_.RecordCount(); ++record)
        EXPECT_EQ(grid_.RecordRow(record), -1) << "every record is inside a collapsed group";

    Expand("+12");
    EXPECT_EQ(Rows(), (QStringList{"+15", "-12", ".a", ".d", "+"}));
    EXPECT_EQ(grid_.RowLevel(RowOf(".a")), 1);
    EXPECT_EQ(grid_.GroupField(RowOf(".a")), -1);
    EXPECT_EQ(grid_.RecordRow(3), RowOf(".d"));
    EXPECT_EQ(Names(Init()), (QStringList{"a", "b", "c", "d"})) << "the working view is untouched";
}

TEST_F(GroupedGridTest, GroupsAscendUnlessTheSortListSaysOtherwiseAndRecordsSortWithin) {
    struct Case {
        const char* what;
        QList<SortKey> sort;
        QList<int> grouping;
        QStringList expected;
    };
    const QList<Case> cases{
        {"grouping field in the sort list keeps its direction, names ascending within",
         {{kInit, SortOrder::Descending}, {kName, SortOrder::Ascending}},
         {kInit},
         {"-5", ".b", ".x", "-3", ".a", ".c"}},
        {"grouping field outside the sort list ascends, Init descending within",
         {{kInit, SortOrder::Descending}},
         {kName},
         {"-a", ".a", "-b", ".b", "-c", ".c", "-x", ".x"}},
        {"a grouping field is not repeated as a minor key",
         {{kName, SortOrder::Descending}},
         {kInit},
         {"-3", ".c", ".a", "-5", ".x", ".b"}},
    };
    Populate({{"a", 3}, {"x", 5}, {"c", 3}, {"b", 5}});
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        grid_.SetSortList(row.sort);
        grid_.SetGroupingList(row.grouping);
        for (int r = 0; r < grid_.RowCount(); ++r)
            if (grid_.IsGroupRow(r))
                grid_.SetExpanded(r, true);
        EXPECT_EQ(Rows(), row.expected);
    }
}

TEST_F(GroupedGridTest, ExpansionSurvivesPostsAndSortsButNotAGroupingChange) {
    Populate({{"a", 12}, {"b", 9}, {"c", 12}});
    grid_.SetGroupingList({kInit});
    Expand("+12");
    ASSERT_EQ(Rows(), (QStringList{"-12", ".a", ".c", "+9"}));

    TWorkingView& view = Init();
    view.Edit();
    Set(view, "Name", "z");
    view.Post();
    EXPECT_EQ(Rows(), (QStringList{"-12", ".z", ".c", "+9"})) << "after a post";

    grid_.ClickSort(kName, true, false);
    grid_.ClickSort(kName, true, false);
    EXPECT_EQ(Rows(), (QStringList{"-12", ".z", ".c", "+9"})) << "after a re-sort";

    grid_.ClickSort(kInit, false, false);
    EXPECT_EQ(grid_.FieldSortOrder(kInit), SortOrder::Ascending);
    EXPECT_EQ(Rows(), (QStringList{"+9", "-12", ".z", ".c"}))
        << "a click on the grouping field turns the groups, keeps the minor key";

    grid_.SetColumnFilter(kName, Where(FilterOperator::Equal, QString("b")));
    grid_.ClearFilter();
    EXPECT_EQ(Rows(), (QStringList{"+9", "-12", ".z", ".c"})) << "after a filter change";

    grid_.SetGroupingList({kInit});
    EXPECT_EQ(Rows(), (QStringList{"+9", "-12", ".z", ".c"})) << "the same list changes nothing";
    grid_.SetGroupingList({kName});
    grid_.SetGroupingList({kInit});
    EXPECT_EQ(Rows(), (QStringList{"+9", "+12"})) << "a changed list forgets the expansion";
}

TEST_F(GroupedGridTest, AGroupThatEmptiesStartsCollapsedWhenItReturns) {
    Populate({{"a", 12}, {"b", 9}});
    grid_.SetGroupingList({kInit});
    Expand("+12");
    TWorkingView& view = Init();
    view.Edit();
    Set(view, "Init", 9);
    view.Post();
    ASSERT_EQ(Rows(), (QStringList{"+9"}));
    view.Edit();
    Set(view, "Init", 12);
    view.Post();
    EXPECT_EQ(Rows(), (QStringList{"+12", "+9"}));
}

TEST_F(GroupedGridTest, TwoLevelsGroupByValuePath) {
    Populate({{"a", 5}, {"b", 5}, {"c", 3}});
    TWorkingView& view = Init();
    view.Next();
    view.Edit();
    Set(view, "Active", false);
    view.Post();
    grid_.SetGroupingList({kInit, kActive});
    EXPECT_EQ(Rows(), (QStringList{"+5", "+3"}));
    Expand("+5");
    EXPECT_EQ(Rows(), (QStringList{"-5", ".+False", ".+True", "+3"}));
    Expand(".+True");
    Expand("+3");
    EXPECT_EQ(Rows(), (QStringList{"-5", ".+False", ".-True", "..a", "-3", ".+True"}))
        << "True under 3 is another group than True under 5";
    EXPECT_EQ(grid_.GroupField(RowOf(".+False")), kActive);
    EXPECT_EQ(grid_.RowLevel(RowOf("..a")), 2);

    grid_.SetExpanded(RowOf("-5"), false);
    Expand("+5");
    EXPECT_EQ(Rows(), (QStringList{"-5", ".+False", ".-True", "..a", "-3", ".+True"}))
        << "an inner group keeps its state while an outer one is collapsed";
}

TEST_F(GroupedGridTest, FocusOfARecordInACollapsedGroupIsItsOutermostCollapsedGroup) {
    Populate({{"a", 5}, {"b", 5}, {"c", 3}});
    grid_.SetGroupingList({kInit, kName});
    EXPECT_EQ(Focused(), "+5");
    Expand("+5");
    EXPECT_EQ(Focused(), "-5") << "expanding keeps the focus on the group row";
    Init().First();
    EXPECT_EQ(Focused(), ".+a");
    Expand(".+a");
    Init().First();
    EXPECT_EQ(Focused(), "..a");
    Init().Next();
    EXPECT_EQ(Focused(), ".+b") << "the focus follows the working view's moves";
    Init().Next();
    EXPECT_EQ(Focused(), "+3");

    grid_.SetColumnFilter(kName, Where(FilterOperator::NotEqual, QString("c")));
    EXPECT_EQ(grid_.FocusedRow(), -1) << "a filtered-out current record has no row";
}

TEST_F(GroupedGridTest, CollapsingTheFocusedRecordsGroupFocusesTheGroupRow) {
    Populate({{"a", 5}, {"b", 5}, {"c", 3}});
    grid_.SetGroupingList({kInit});
    Expand("+5");
    Init().Next();
    ASSERT_EQ(Focused(), ".b");
    grid_.SetExpanded(RowOf("-5"), false);
    EXPECT_EQ(Focused(), "+5");
    grid_.SetExpanded(RowOf("+5"), true);
    EXPECT_EQ(Focused(), "-5") << "the focus stays on the group row it was on";
    EXPECT_EQ(CurrentName(Init()), "b") << "collapsing does not move the working view";
}

TEST_F(GroupedGridTest, FocusingAGroupRowMovesToItsFirstRecordAndKeepsTheGroupFocused) {
    Populate({{"a", 5}, {"b", 3}, {"c", 3}});
    grid_.SetGroupingList({kInit});
    grid_.SetSortList({{kName, SortOrder::Descending}});
    Expand("+5");
    Expand("+3");
    ASSERT_EQ(Rows(), (QStringList{"-3", ".c", ".b", "-5", ".a"}));
    Init().First();
    ASSERT_EQ(Focused(), ".a");

    grid_.FocusRow(RowOf("-3"));
    EXPECT_EQ(CurrentName(Init()), "c") << "the group's first record in display order";
    EXPECT_EQ(Focused(), "-3");
    grid_.ClickSort(kName, true, false);
    EXPECT_EQ(Focused(), "-3") << "a re-sort keeps the group focused";

    grid_.FocusRow(RowOf(".c"));
    EXPECT_EQ(Focused(), ".c") << "the user's focus on the current record's own row";
    EXPECT_EQ(CurrentName(Init()), "c");

    grid_.FocusRow(RowOf("-5"));
    ASSERT_EQ(Focused(), "-5");
    Init().MoveBy(1);
    EXPECT_EQ(Focused(), ".b") << "a move of the working view takes the focus from the group";

    grid_.FocusRow(RowOf("-5"));
    ASSERT_EQ(Focused(), "-5");
    Init().First();
    EXPECT_EQ(Focused(), ".a") << "a reload from outside takes the focus from the group";
}

TEST_F(GroupedGridTest, FocusingAGroupRowSettlesAnEditFirst) {
    Populate({{"a", 5}, {"b", 3}});
    grid_.SetGroupingList({kInit});
    Expand("+5");
    TWorkingView& view = Init();
    view.Edit();
    Set(view, "Init", 3);
    grid_.FocusRow(RowOf("+3"));
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Rows(), (QStringList{"+3"})) << "the emptied group 5 is gone";
    EXPECT_EQ(Focused(), "+3");
    EXPECT_EQ(CurrentName(view), "a") << "a, stored first, leads group 3";
}

TEST_F(GroupedGridTest, ThePinnedRowStaysInItsGroupAndShowsItExpanded) {
    struct Case {
        const char* what;
        int nexts; ///< moves from the first record; 3 walks past the end
        bool insert;
        QStringList rows; ///< while pinned
        QStringList after;
    };
    // Stored a, b, c; shown 5: a, c; 3: b.
    const QList<Case> cases{
        {"an edit of the last record of a group",
         2,
         false,
         {"-5", ".a", ".n", "+3"},
         {"+5", "+3", "+1"}},
        {"an insert before c", 2, true, {"-5", ".a", ".n", ".c", "+3"}, {"+5", "+3", "+1"}},
        {"an insert after a walk to the end",
         3,
         true,
         {"+5", "-3", ".b", ".n"},
         {"+5", "+3", "+1"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        TWorkingView& view = Init();
        while (!view.IsEmpty())
            view.Delete();
        grid_.SetGroupingList({});
        Populate({{"a", 5}, {"b", 3}, {"c", 5}});
        grid_.SetGroupingList({kInit});
        for (int i = 0; i < row.nexts; ++i)
            view.Next();
        if (row.insert)
            view.Insert();
        else
            view.Edit();
        Set(view, "Name", "n");
        Set(view, "Init", 1);
        EXPECT_EQ(Rows(), row.rows);
        EXPECT_EQ(Focused(), ".n");
        view.Post();
        EXPECT_EQ(Rows(), row.after) << "the groups are collapsed again";
        EXPECT_EQ(Focused(), "+1");
    }
}

TEST_F(GroupedGridTest, TheViewFilterDropsRowsFromTheGridOnly) {
    Populate({{"Bo", 1}, {"x", std::nullopt}, {"Al", 2}});
    TWorkingView& view = Init();
    view.Next();
    view.Edit();
    Set(view, "Name", QVariant());
    view.Post();
    const QString filterBefore = view.Filter();
    grid_.SetColumnFilter(kName, Where(FilterOperator::Equal, QString("Al")));
    EXPECT_EQ(Rows(), (QStringList{"Al"}));
    EXPECT_EQ(Names(view), (QStringList{"Bo", "", "Al"}));
    EXPECT_EQ(view.Filter(), filterBefore);
    EXPECT_EQ(grid_.RecordCount(), 3);

    struct Case {
        ColumnFilter filter;
        QStringList rows;
    };
    const QList<Case> cases{
        {Where(FilterOperator::Blank), {""}},
        {Where(FilterOperator::NonBlank), {"Al", "Bo"}},
        {Where(FilterOperator::NotEqual, QString("Al")), {"Bo"}},
    };
    for (const Case& row : cases) {
        grid_.SetColumnFilter(kName, row.filter);
        EXPECT_EQ(Rows(), row.rows);
    }
    grid_.SetColumnFilter(kName, std::nullopt);
    EXPECT_TRUE(grid_.Filter().IsEmpty());
    EXPECT_EQ(Rows(), (QStringList{"Al", "Bo", ""}));
}

TEST_F(GroupedGridTest, DistinctValuesCoverEveryCachedRecord) {
    Populate({{"Bo", 1}, {"x", std::nullopt}, {"Al", 1}, {"Bo", 2}});
    TWorkingView& view = Init();
    view.Next();
    view.Edit();
    Set(view, "Name", QVariant());
    view.Post();
    grid_.SetColumnFilter(kName, Where(FilterOperator::Equal, QString("Al")));
    bool hasNull = false;
    EXPECT_EQ(grid_.DistinctValues(kName, &hasNull),
              (QList<CacheValue>{QString("Al"), QString("Bo")}))
        << "rows the view filter hides count too";
    EXPECT_TRUE(hasNull);
    EXPECT_EQ(grid_.DistinctValues(kInit, &hasNull), (QList<CacheValue>{1, 2}));
    EXPECT_TRUE(hasNull);
    EXPECT_EQ(grid_.DistinctValues(kActive, &hasNull), (QList<CacheValue>{true}));
    EXPECT_FALSE(hasNull);
}

TEST_F(GroupedGridTest, TheEditedOrInsertedRowIsNeverDroppedByTheViewFilter) {
    struct Case {
        const char* what;
        std::function<void(TWorkingView&)> begin;
        QStringList rows; ///< while pinned
    };
    const QList<Case> cases{
        {"an edit that leaves the filter",
         [](TWorkingView& view) {
             view.Edit();
             Set(view, "Name", "Zed");
         },
         {"Zed"}},
        {"an edit of a hidden record",
         [](TWorkingView& view) {
             view.Next();
             view.Edit();
         },
         {"Al", "Bo"}},
        {"an insert", [](TWorkingView& view) { view.Insert(); }, {"", "Al"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        TWorkingView& view = Init();
        while (!view.IsEmpty())
            view.Delete();
        grid_.ClearFilter();
        Populate({{"Al", 9}, {"Bo", 5}});
        grid_.SetColumnFilter(kName, Where(FilterOperator::Equal, QString("Al")));
        row.begin(view);
        grid_.SetColumnFilter(kName, Where(FilterOperator::Equal, QString("Al")));
        EXPECT_EQ(Rows(), row.rows) << "after a rebuild of the rows";
        EXPECT_EQ(grid_.RowRecord(grid_.FocusedRow()), grid_.PinnedRecord());
        view.Cancel();
        EXPECT_EQ(Rows(), (QStringList{"Al"}));
    }
}

} // namespace
} // namespace trevalo::test
