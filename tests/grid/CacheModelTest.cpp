// The record cache's building blocks (value order, display texts, the header-click rule) and
// seeded random runs of the data controller against a plain reference: the working view walked
// and sorted with std::stable_sort.
#include "components/grid/TDBDataController.h"
#include "tests/data/DataChain.h"

#include <climits>
#include <optional>
#include <random>

namespace trevalo::test {
namespace {

TEST(CacheValueTest, CompareOrdersNullsFirstAndValuesByType) {
    struct Case {
        CacheValue a;
        CacheValue b;
        int expected;
    };
    const QList<Case> cases{
        {{}, {}, 0},
        {{}, 0, -1},
        {{}, false, -1},
        {{}, QString(), -1},
        {9, 10, -1},
        {INT_MIN, INT_MAX, -1},
        {-1, 0, -1},
        {7, 7, 0},
        {false, true, -1},
        {true, true, 0},
        {QString("Z"), QString("a"), -1},
        {QString("Ab"), QString("Abc"), -1},
        {QString(), QString("a"), -1},
        {QString("abc"), QString("abc"), 0},
        {QString("\u00e9"), QString("f"), 1},
        {QString("10"), QString("9"), -1},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(DisplayText(row.a).toStdString() + " vs " + DisplayText(row.b).toStdString());
        EXPECT_EQ(CompareCacheValues(row.a, row.b), row.expected);
        EXPECT_EQ(CompareCacheValues(row.b, row.a), -row.expected);
    }
}

TEST(CacheValueTest, DisplayTextShowsWhatACellShows) {
    const QList<std::pair<CacheValue, QString>> cases{
        {{}, ""},         {0, "0"},          {INT_MIN, "-2147483648"}, {true, "True"},
        {false, "False"}, {QString(""), ""}, {QString(" x "), " x "},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(DisplayText(value), text);
}

TEST(SortKeysTest, HeaderClicksFollowTheRule) {
    constexpr SortOrder Asc = SortOrder::Ascending;
    constexpr SortOrder Desc = SortOrder::Descending;
    struct Case {
        const char* what;
        QList<SortKey> before;
        int field;
        bool shift;
        bool ctrl;
        QList<int> grouping;
        QList<SortKey> after;
    };
    const QList<Case> cases{
        {"plain on the only key flips it", {{2, Desc}}, 2, false, false, {}, {{2, Asc}}},
        {"plain on an ascending key", {{2, Asc}}, 2, false, false, {}, {{2, Desc}}},
        {"plain on another field replaces", {{2, Desc}, {1, Asc}}, 0, false, false, {}, {{0, Asc}}},
        {"plain on a minor key keeps only it",
         {{2, Desc}, {1, Asc}},
         1,
         false,
         false,
         {},
         {{1, Desc}}},
        {"shift adds a minor key", {{2, Desc}}, 1, true, false, {}, {{2, Desc}, {1, Asc}}},
        {"shift on a key keeps its place",
         {{2, Desc}, {1, Asc}},
         2,
         true,
         false,
         {},
         {{2, Asc}, {1, Asc}}},
        {"ctrl removes the key only", {{2, Desc}, {1, Asc}}, 2, false, true, {}, {{1, Asc}}},
        {"ctrl wins over shift", {{2, Desc}}, 2, true, true, {}, {}},
        {"ctrl on an unsorted field", {{2, Desc}}, 1, false, true, {}, {{2, Desc}}},
        {"plain keeps the grouping keys",
         {{0, Asc}, {2, Desc}},
         1,
         false,
         false,
         {0},
         {{0, Asc}, {1, Asc}}},
        {"plain on a grouping field clears nothing",
         {{0, Asc}, {2, Desc}},
         0,
         false,
         false,
         {0},
         {{0, Desc}, {2, Desc}}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        QList<SortKey> keys = row.before;
        ApplyHeaderClick(keys, row.field, row.shift, row.ctrl, row.grouping);
        EXPECT_EQ(keys, row.after);
    }
}

constexpr int kSequences = 40;
constexpr int kSteps = 50;

/// One combatant as the reference sees it.
struct Record {
    std::optional<QString> name;
    std::optional<int> init;
    std::optional<bool> active;
    QByteArray bookmark;
};

template <class T> int ReferenceCompare(const std::optional<T>& a, const std::optional<T>& b) {
    if (!a || !b)
        return int(bool(a)) - int(bool(b));
    return *a < *b ? -1 : *b < *a ? 1 : 0;
}

class CacheModelRun {
public:
    CacheModelRun(TDataSource& source, unsigned seed)
        : source_(source)
        , view_(*source.DataSet())
        , random_(seed) {
        grid_.SetDataSource(&source_);
        grid_.SetFieldNames({"Name", "Init", "Active"});
        grid_.SetSortList({{1, SortOrder::Descending}});
        view_.SetFilter("[Active] = True");
        view_.SetFiltered(Pick(2) == 0);
    }

    ::testing::AssertionResult Run() {
        for (int step = 0; step < kSteps; ++step) {
            const QString expectedCurrent = Step();
            if (::testing::AssertionResult result = Check(expectedCurrent); !result)
                return result << " after step " << step << " (" << log_.join(", ").toStdString()
                              << ")";
        }
        return ::testing::AssertionSuccess();
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    /// Edit, which inserts on an empty view: every record gets a name of its own.
    void Edit() {
        view_.Edit();
        if (view_.State() == TDataSetState::dsInsert)
            Set(view_, "Name", QStringLiteral("r%1").arg(++names_));
    }

    QVariant RandomInit() { return Pick(4) == 0 ? QVariant() : QVariant(Pick(5) * 3 - 6); }

    /// Does one random thing; answers the name that should be current after it, or "" when the
    /// working view alone knows.
    QString Step() {
        const int row = Pick(grid_.RowCount() + 2) - 1;
        const QString clicked = Name(grid_.RowRecord(row));
        switch (Pick(8)) {
        case 0:
            log_ << "insert";
            view_.Insert();
            Set(view_, "Name", QStringLiteral("r%1").arg(++names_));
            Set(view_, "Init", RandomInit());
            view_.Post();
            return {};
        case 1:
            log_ << "edit";
            Edit();
            Set(view_, "Init", RandomInit());
            Set(view_, "Active", Pick(3) != 0);
            if (Pick(2) == 0)
                view_.Cancel();
            else
                view_.Post();
            return {};
        case 2:
            log_ << "delete";
            if (!view_.IsEmpty())
                view_.Delete();
            return {};
        case 3:
            log_ << "first";
            view_.First();
            return {};
        case 4:
            log_ << "next";
            view_.Next();
            return {};
        case 5: {
            log_ << "sort";
            const QString before = Name(grid_.CurrentRecord());
            grid_.ClickSort(Pick(3), Pick(2) == 0, Pick(4) == 0);
            return before;
        }
        case 6: {
            Edit();
            Set(view_, "Active", Pick(3) != 0);
            Set(view_, "Init", RandomInit());
            const int target = Pick(grid_.RowCount() + 2) - 1;
            log_ << QStringLiteral("edit, focus %1").arg(target);
            const QString edited = Name(grid_.PinnedRecord());
            const QString aimed = Name(grid_.RowRecord(target));
            grid_.FocusRow(target);
            if (view_.IsEditing())
                view_.Post();
            return aimed == edited ? QString() : aimed;
        }
        default:
            log_ << QStringLiteral("focus %1").arg(row);
            const QString before = Name(grid_.CurrentRecord());
            grid_.FocusRow(row);
            return clicked.isEmpty() ? before : clicked;
        }
    }

    QString Name(int record) const {
        return record < 0 ? QString() : DisplayText(grid_.Value(record, 0));
    }

    /// The visible records in the working view's order, walked without telling the grid.
    std::vector<Record> Walk() {
        source_.RemoveLink(&grid_);
        const TCursorPosition position = view_.SavePosition();
        std::vector<Record> records;
        for (view_.First(); !view_.Eof(); view_.Next()) {
            Record record{std::nullopt, std::nullopt, std::nullopt, view_.GetBookmark()};
            if (const QVariant name = Get(view_, "Name"); !name.isNull())
                record.name = name.toString();
            if (const QVariant init = Get(view_, "Init"); !init.isNull())
                record.init = init.toInt();
            if (const QVariant active = Get(view_, "Active"); !active.isNull())
                record.active = active.toBool();
            records.push_back(record);
        }
        view_.RestorePosition(position);
        source_.AddLink(&grid_);
        return records;
    }

    std::vector<int> ReferenceRows(const std::vector<Record>& records) const {
        std::vector<int> rows(records.size());
        std::iota(rows.begin(), rows.end(), 0);
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            for (const SortKey& key : grid_.SortList()) {
                const Record& x = records[std::size_t(a)];
                const Record& y = records[std::size_t(b)];
                const int result = key.Field == 0   ? ReferenceCompare(x.name, y.name)
                                   : key.Field == 1 ? ReferenceCompare(x.init, y.init)
                                                    : ReferenceCompare(x.active, y.active);
                if (result != 0)
                    return key.Order == SortOrder::Descending ? result > 0 : result < 0;
            }
            return false;
        });
        return rows;
    }

    ::testing::AssertionResult Check(const QString& expectedCurrent) {
        const int current = grid_.CurrentRecord();
        const std::vector<Record> records = Walk();
        if (grid_.RecordCount() != int(records.size()))
            return ::testing::AssertionFailure()
                   << "records: grid " << grid_.RecordCount() << ", view " << records.size();
        for (std::size_t i = 0; i < records.size(); ++i) {
            const int r = int(i);
            const CacheValue name = records[i].name ? CacheValue(*records[i].name) : CacheValue();
            const CacheValue init = records[i].init ? CacheValue(*records[i].init) : CacheValue();
            const CacheValue active =
                records[i].active ? CacheValue(*records[i].active) : CacheValue();
            if (grid_.Value(r, 0) != name || grid_.Value(r, 1) != init ||
                grid_.Value(r, 2) != active)
                return ::testing::AssertionFailure() << "record " << i << " differs";
        }
        const std::vector<int> rows = ReferenceRows(records);
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (grid_.RowRecord(int(row)) != rows[row] || grid_.RecordRow(rows[row]) != int(row))
                return ::testing::AssertionFailure() << "row " << row << " differs";
        const QString name = CurrentName(view_);
        const QByteArray bookmark = view_.GetBookmark();
        const auto found = std::find_if(records.cbegin(), records.cend(), [&](const Record& r) {
            return !bookmark.isEmpty() && r.bookmark == bookmark;
        });
        const int expected = found == records.cend() ? -1 : int(found - records.cbegin());
        if (current != expected)
            return ::testing::AssertionFailure()
                   << "current record: grid " << current << ", view " << expected;
        if (!expectedCurrent.isEmpty() && name != expectedCurrent)
            return ::testing::AssertionFailure() << "current " << name.toStdString()
                                                 << ", expected " << expectedCurrent.toStdString();
        if (grid_.FocusedRow() != grid_.RecordRow(current) || grid_.PinnedRecord() != -1)
            return ::testing::AssertionFailure() << "focus or pin out of step";
        return ::testing::AssertionSuccess();
    }

    TDataSource& source_;
    TWorkingView& view_;
    std::mt19937 random_;
    TDBDataController grid_;
    QStringList log_;
    int names_ = 0;
};

using CacheModelTest = DataChainTest;

TEST_F(CacheModelTest, RandomRunsMatchTheSortedWorkingView) {
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE(seed);
        TWorkingView& view = Init();
        view.SetFiltered(false);
        while (!view.IsEmpty())
            view.Delete();
        CacheModelRun run(Component<TDataSource>("dsInit"), seed);
        ASSERT_TRUE(run.Run());
    }
}

} // namespace
} // namespace trevalo::test
