// The record cache's building blocks (value order, UTF-8 text in UTF-16 order, display texts,
// the header-click rule) and seeded random runs of the data controller against a plain
// reference: the working view walked record by record and sorted with std::stable_sort.
#include "components/grid/model/TDBDataController.h"
#include "components/grid/model/Utf8Order.h"
#include "tests/support/DataChain.h"

#include <array>
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

/// Texts where UTF-8's byte order and UTF-16's code unit order meet: U+E000-U+FFFF against
/// U+10000 and up, other multi-byte text, prefixes and the empty text.
constexpr std::array<QStringView, 19> kOrderTexts{
    u"",
    u"a",
    u"A",
    u"Ab",
    u"Abc",
    u"\u00e9",
    u"e",
    u"f",
    u"\u20ac",
    u"\ud7ff",
    u"\ue000",
    u"\ufffd",
    u"\U00010000",
    u"\U0001F600",
    u"x\ufffd",
    u"x\U0001F600",
    u"\ue000a",
    u"\U0001F600a",
    u"\u00e9t\u00e9",
};

TEST(Utf8OrderTest, OrdersAsUtf16Does) {
    for (const QStringView a : kOrderTexts)
        for (const QStringView b : kOrderTexts) {
            SCOPED_TRACE(a.toString().toStdString() + " vs " + b.toString().toStdString());
            const int expected = a.compare(b, Qt::CaseSensitive);
            EXPECT_EQ(CompareUtf8(a.toUtf8().toStdString(), b.toUtf8().toStdString()),
                      (expected > 0) - (expected < 0));
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
        {"a grouping field outside the list counts as ascending",
         {{2, Desc}},
         0,
         false,
         false,
         {0},
         {{2, Desc}, {0, Desc}}},
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

/// One combatant as the reference sees it. Names repeat and may be blank, so Passes, unique to
/// each record, tells the records apart.
struct Record {
    std::optional<QString> name;
    std::optional<int> init;
    std::optional<bool> active;
    std::optional<int> passes;
    QByteArray bookmark;
};

/// Whether the cached \p value is \p expected, null standing for an empty optional.
template <class T> bool Holds(const CacheValue& value, const std::optional<T>& expected) {
    if (!expected)
        return std::holds_alternative<std::monostate>(value);
    const T* held = std::get_if<T>(&value);
    return held && *held == *expected;
}

template <class T> int ReferenceCompare(const std::optional<T>& a, const std::optional<T>& b) {
    if (!a || !b)
        return int(bool(a)) - int(bool(b));
    return *a < *b ? -1 : *b < *a ? 1 : 0;
}

/// How a record's \p value orders against a filter's \p operand; none when the value is blank.
template <class T>
std::optional<int> ReferenceOrder(const std::optional<T>& value, const CacheValue& operand) {
    if (!value)
        return std::nullopt;
    return ReferenceCompare(value, std::optional<T>(std::get<T>(operand)));
}

/// The order that \p keys give \p field, ascending when they give it none.
SortOrder ListedOrder(const QList<SortKey>& keys, int field) {
    for (const SortKey& key : keys)
        if (key.Field == field)
            return key.Order;
    return SortOrder::Ascending;
}

class CacheModelRun {
public:
    CacheModelRun(TDataSource& source, unsigned seed)
        : source_(source)
        , view_(*source.DataSet())
        , random_(seed) {
        grid_.SetDataSource(&source_);
        // A bound name the working view lacks gives a column of blanks.
        grid_.SetFieldNames({"Name", "Init", "Active", "Passes", "Nope"});
        grid_.SetSortList({{1, SortOrder::Descending}});
        for (int count = Pick(30); count > 0; --count)
            InsertRecord();
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

    /// Edit, which inserts on an empty view: every record gets a Passes of its own.
    void Edit() {
        view_.Edit();
        if (view_.State() == TDataSetState::dsInsert)
            Set(view_, "Passes", ++ids_);
    }

    void InsertRecord() {
        view_.Insert();
        Set(view_, "Name", RandomName());
        Set(view_, "Init", RandomInit());
        Set(view_, "Active", Pick(3) != 0);
        Set(view_, "Passes", ++ids_);
        view_.Post();
    }

    QVariant RandomInit() { return Pick(4) == 0 ? QVariant() : QVariant(Pick(5) * 3 - 6); }

    /// Short texts, often equal, from pieces whose UTF-8 bytes and UTF-16 units order apart.
    QString RandomText() {
        static constexpr std::array<QStringView, 8> pieces{
            u"a", u"A", u"z", u"\u00e9", u"\ufffd", u"\ue000", u"\U00010000", u"\U0001F600"};
        QString text;
        for (int count = Pick(3) + 1; count > 0; --count)
            text += pieces[std::size_t(Pick(int(pieces.size())))];
        return text;
    }

    QVariant RandomName() { return Pick(6) == 0 ? QVariant() : QVariant(RandomText()); }

    /// Does one random thing; answers the name that should be current after it, or "" when the
    /// working view alone knows.
    QString Step() {
        const int row = Pick(grid_.RowCount() + 2) - 1;
        const QString clicked = Id(grid_.RowRecord(row));
        switch (Pick(11)) {
        case 0:
            log_ << "insert";
            InsertRecord();
            return {};
        case 1:
            log_ << "edit";
            Edit();
            Set(view_, "Init", RandomInit());
            Set(view_, "Active", Pick(3) != 0);
            if (Pick(2) == 0)
                Set(view_, "Name", RandomName());
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
            const QString before = Id(grid_.CurrentRecord());
            grid_.ClickSort(Pick(3), Pick(2) == 0, Pick(4) == 0);
            return before;
        }
        case 6: {
            Edit();
            Set(view_, "Active", Pick(3) != 0);
            Set(view_, "Init", RandomInit());
            const int target = Pick(grid_.RowCount() + 2) - 1;
            log_ << QStringLiteral("edit, focus %1").arg(target);
            const QString edited = Id(grid_.PinnedRecord());
            const QString aimed = Id(grid_.RowRecord(target));
            grid_.FocusRow(target);
            if (view_.IsEditing())
                view_.Post();
            return aimed == edited ? QString() : aimed;
        }
        case 7: {
            static const QList<QList<int>> groupings{{}, {1}, {2}, {0}, {1, 2}, {2, 0}};
            const QList<int>& grouping = groupings[Pick(int(groupings.size()))];
            log_ << QStringLiteral("group %1").arg(grouping.size());
            const QString before = Id(grid_.CurrentRecord());
            grid_.SetGroupingList(grouping);
            return before;
        }
        case 8: {
            log_ << "filter";
            const QString before = Id(grid_.CurrentRecord());
            const int field = Pick(3);
            const auto op = FilterOperator(Pick(8));
            if (Pick(3) == 0)
                grid_.SetColumnFilter(field, std::nullopt);
            else
                grid_.SetColumnFilter(
                    field, ColumnFilter{{{op, field == 0   ? CacheValue(RandomText())
                                              : field == 1 ? CacheValue(Pick(5) * 3 - 6)
                                                           : CacheValue(Pick(2) == 0)}}});
            return before;
        }
        case 9: {
            log_ << QStringLiteral("expand %1").arg(row);
            const QString before = Id(grid_.CurrentRecord());
            grid_.SetExpanded(row, Pick(3) != 0);
            return before;
        }
        default:
            log_ << QStringLiteral("focus %1").arg(row);
            const QString before = Id(grid_.CurrentRecord());
            grid_.FocusRow(row);
            // A group row leads to its first record, which the reference does not track.
            return grid_.IsGroupRow(row) ? QString() : clicked.isEmpty() ? before : clicked;
        }
    }

    /// The record's Passes, which no two records share; "" for none.
    QString Id(int record) const {
        return record < 0 ? QString() : DisplayText(grid_.Value(record, kPasses));
    }

    QString CurrentId() const {
        return view_.IsEmpty() ? QStringLiteral("<none>") : Get(view_, "Passes").toString();
    }

    /// The visible records in the working view's order, walked without telling the grid.
    std::vector<Record> Walk() {
        source_.RemoveLink(&grid_);
        const TCursorPosition position = view_.SavePosition();
        std::vector<Record> records;
        for (view_.First(); !view_.Eof(); view_.Next()) {
            Record record{std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                          view_.GetBookmark()};
            if (const QVariant name = Get(view_, "Name"); !name.isNull())
                record.name = name.toString();
            if (const QVariant init = Get(view_, "Init"); !init.isNull())
                record.init = init.toInt();
            if (const QVariant active = Get(view_, "Active"); !active.isNull())
                record.active = active.toBool();
            if (const QVariant passes = Get(view_, "Passes"); !passes.isNull())
                record.passes = passes.toInt();
            records.push_back(record);
        }
        view_.RestorePosition(position);
        source_.AddLink(&grid_);
        return records;
    }

    static CacheValue FieldValue(const Record& record, int field) {
        const auto value = [](const auto& v) { return v ? CacheValue(*v) : CacheValue(); };
        return field == 0   ? value(record.name)
               : field == 1 ? value(record.init)
                            : value(record.active);
    }

    /// The records the view filter passes, sorted by the grouping and then the sort list: one
    /// stable sort per key, the least significant first, so that each later sort keeps the
    /// order of the earlier ones among its ties.
    std::vector<int> RowOrder(const std::vector<Record>& records) const {
        std::vector<int> rows;
        for (std::size_t i = 0; i < records.size(); ++i)
            if (PassesReference(records[i]))
                rows.push_back(int(i));
        const QList<SortKey>& sortList = grid_.SortList();
        const QList<int>& grouping = grid_.GroupingList();
        for (auto key = sortList.crbegin(); key != sortList.crend(); ++key)
            SortBy(records, rows, *key);
        for (auto field = grouping.crbegin(); field != grouping.crend(); ++field)
            SortBy(records, rows, {*field, ListedOrder(sortList, *field)});
        return rows;
    }

    static void SortBy(const std::vector<Record>& records, std::vector<int>& rows,
                       const SortKey& key) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            const Record& x = records[std::size_t(a)];
            const Record& y = records[std::size_t(b)];
            const int result = key.Field == 0   ? ReferenceCompare(x.name, y.name)
                               : key.Field == 1 ? ReferenceCompare(x.init, y.init)
                                                : ReferenceCompare(x.active, y.active);
            return key.Order == SortOrder::Descending ? result > 0 : result < 0;
        });
    }

    bool PassesReference(const Record& record) const {
        const QMap<int, ColumnFilter>& columns = grid_.Filter().Columns();
        for (auto column = columns.cbegin(); column != columns.cend(); ++column) {
            const CacheValue& operand = column->Conditions[0].Value;
            const std::optional<int> order =
                column.key() == 0   ? ReferenceOrder(record.name, operand)
                : column.key() == 1 ? ReferenceOrder(record.init, operand)
                                    : ReferenceOrder(record.active, operand);
            const FilterOperator op = column->Conditions[0].Operator;
            const bool passes = op == FilterOperator::Blank         ? !order
                                : op == FilterOperator::NonBlank    ? bool(order)
                                : !order                            ? false
                                : op == FilterOperator::Equal       ? *order == 0
                                : op == FilterOperator::NotEqual    ? *order != 0
                                : op == FilterOperator::Less        ? *order < 0
                                : op == FilterOperator::LessOrEqual ? *order <= 0
                                : op == FilterOperator::Greater     ? *order > 0
                                                                    : *order >= 0;
            if (!passes)
                return false;
        }
        return true;
    }

    /// Walks the grid's rows along the reference order: a group row wherever a grouping value
    /// changes, and records only under expanded groups. Sets per record its shown row.
    ::testing::AssertionResult CheckRows(const std::vector<Record>& records,
                                         std::vector<int>& shown) const {
        const QList<int>& grouping = grid_.GroupingList();
        shown.assign(records.size(), -1);
        int row = 0;
        int collapsedRow = -1;
        int collapsedLevel = 0;
        std::vector<CacheValue> previous;
        for (const int record : RowOrder(records)) {
            std::vector<CacheValue> path;
            for (const int field : grouping)
                path.push_back(FieldValue(records[std::size_t(record)], field));
            int changed = 0;
            while (!previous.empty() && changed < int(path.size()) &&
                   path[std::size_t(changed)] == previous[std::size_t(changed)])
                ++changed;
            if (collapsedRow >= 0 && collapsedLevel >= changed)
                collapsedRow = -1;
            for (int level = changed; level < int(path.size()) && collapsedRow < 0;
                 ++level, ++row) {
                if (!grid_.IsGroupRow(row) || grid_.RowLevel(row) != level ||
                    grid_.GroupValue(row) != path[std::size_t(level)])
                    return ::testing::AssertionFailure() << "group row " << row << " differs";
                if (!grid_.IsExpanded(row)) {
                    collapsedRow = row;
                    collapsedLevel = level;
                }
            }
            if (collapsedRow < 0) {
                if (grid_.RowRecord(row) != record || grid_.RecordRow(record) != row)
                    return ::testing::AssertionFailure() << "row " << row << " differs";
                ++row;
            } else if (grid_.RecordRow(record) != -1) {
                return ::testing::AssertionFailure() << "record " << record << " not hidden";
            }
            shown[std::size_t(record)] = collapsedRow < 0 ? row - 1 : collapsedRow;
            previous = path;
        }
        if (row != grid_.RowCount())
            return ::testing::AssertionFailure()
                   << "row count " << grid_.RowCount() << ", not " << row;
        return ::testing::AssertionSuccess();
    }

    /// The focused row shows the current record, or a group that holds it.
    bool FocusHoldsCurrent(const std::vector<Record>& records, const std::vector<int>& shown,
                           int current) const {
        const int focused = grid_.FocusedRow();
        if (current < 0 || focused == shown[std::size_t(current)])
            return true;
        const int level = grid_.RowLevel(focused);
        return grid_.IsGroupRow(focused) &&
               grid_.GroupValue(focused) ==
                   FieldValue(records[std::size_t(current)], grid_.GroupingList()[level]);
    }

    ::testing::AssertionResult Check(const QString& expectedCurrent) {
        const int current = grid_.CurrentRecord();
        const std::vector<Record> records = Walk();
        if (grid_.RecordCount() != int(records.size()))
            return ::testing::AssertionFailure()
                   << "records: grid " << grid_.RecordCount() << ", view " << records.size();
        for (std::size_t i = 0; i < records.size(); ++i) {
            const int r = int(i);
            if (!Holds(grid_.Value(r, 0), records[i].name) ||
                !Holds(grid_.Value(r, 1), records[i].init) ||
                !Holds(grid_.Value(r, 2), records[i].active) ||
                !Holds(grid_.Value(r, kPasses), records[i].passes) ||
                !Holds(grid_.Value(r, kNope), std::optional<int>()))
                return ::testing::AssertionFailure() << "record " << i << " differs";
        }
        std::vector<int> shown;
        if (::testing::AssertionResult result = CheckRows(records, shown); !result)
            return result;
        const QString id = CurrentId();
        const QByteArray bookmark = view_.GetBookmark();
        const auto found = std::find_if(records.cbegin(), records.cend(), [&](const Record& r) {
            return !bookmark.isEmpty() && r.bookmark == bookmark;
        });
        const int expected = found == records.cend() ? -1 : int(found - records.cbegin());
        if (current != expected)
            return ::testing::AssertionFailure()
                   << "current record: grid " << current << ", view " << expected;
        if (!expectedCurrent.isEmpty() && id != expectedCurrent)
            return ::testing::AssertionFailure() << "current " << id.toStdString() << ", expected "
                                                 << expectedCurrent.toStdString();
        if (!FocusHoldsCurrent(records, shown, current) || grid_.PinnedRecord() != -1)
            return ::testing::AssertionFailure() << "focus or pin out of step";
        return ::testing::AssertionSuccess();
    }

    TDataSource& source_;
    TWorkingView& view_;
    std::mt19937 random_;
    TDBDataController grid_;
    static constexpr int kPasses = 3;
    static constexpr int kNope = 4;

    QStringList log_;
    int ids_ = 0;
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
