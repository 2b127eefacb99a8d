// The grid's view filter on its own: which cached values pass its conditions, and its caption.
#include "components/grid/model/ViewFilter.h"

#include <gtest/gtest.h>

namespace trevalo::test {
namespace {

constexpr int kName = 0;
constexpr int kInit = 1;

/// Records (name, init): Al 3, Bo 5, null 7, Cy null.
RecordCache Records() {
    const QList<std::pair<CacheValue, CacheValue>> values{
        {QString("Al"), 3}, {QString("Bo"), 5}, {{}, 7}, {QString("Cy"), {}}};
    RecordCache cache({engine::FieldType::String, engine::FieldType::Integer});
    for (const auto& [name, init] : values) {
        const int record = cache.Count();
        cache.Insert(record);
        cache.SetValue(record, kName, name);
        cache.SetValue(record, kInit, init);
    }
    return cache;
}

/// The names of the records that pass, a null name as "-".
QStringList Passing(const ViewFilter& filter) {
    const RecordCache cache = Records();
    QStringList names;
    for (int record = 0; record < cache.Count(); ++record)
        if (filter.Passes(cache, record)) {
            const QString name = DisplayText(cache.Value(record, kName));
            names << (name.isEmpty() ? QStringLiteral("-") : name);
        }
    return names;
}

ViewFilter Filter(const QList<std::pair<int, ColumnFilter>>& columns) {
    ViewFilter filter;
    for (const auto& [field, column] : columns)
        filter.Set(field, column);
    return filter;
}

using Op = FilterOperator;

struct Case {
    const char* what;
    QList<std::pair<int, ColumnFilter>> columns;
    QStringList passing;
    QString caption;
};

class ViewFilterTest : public ::testing::TestWithParam<Case> {};

TEST_P(ViewFilterTest, PassesAndReads) {
    const ViewFilter filter = Filter(GetParam().columns);
    EXPECT_EQ(Passing(filter), GetParam().passing);
    EXPECT_EQ(filter.Caption({"Name", "Init"}), GetParam().caption);
    EXPECT_EQ(filter.IsEmpty(), GetParam().caption.isEmpty());
}

const Case kCases[] = {
    {"empty", {}, {"Al", "Bo", "-", "Cy"}, ""},
    {"equal", {{kName, {{{Op::Equal, QString("Al")}}}}}, {"Al"}, "[Name] = 'Al'"},
    {"not equal: a null fails it",
     {{kName, {{{Op::NotEqual, QString("Al")}}}}},
     {"Bo", "Cy"},
     "[Name] <> 'Al'"},
    {"blank", {{kName, {{{Op::Blank, {}}}}}}, {"-"}, "[Name] is blank"},
    {"non-blank", {{kInit, {{{Op::NonBlank, {}}}}}}, {"Al", "Bo", "-"}, "[Init] is not blank"},
    {"less, a null fails", {{kInit, {{{Op::Less, 5}}}}}, {"Al"}, "[Init] < 5"},
    {"less or equal", {{kInit, {{{Op::LessOrEqual, 5}}}}}, {"Al", "Bo"}, "[Init] <= 5"},
    {"greater or equal", {{kInit, {{{Op::GreaterOrEqual, 5}}}}}, {"Bo", "-"}, "[Init] >= 5"},
    {"greater and less",
     {{kInit, {{{Op::Greater, 3}, {Op::Less, 7}}}}},
     {"Bo"},
     "[Init] > 3 and [Init] < 7"},
    {"less or greater",
     {{kInit, {{{Op::Less, 5}, {Op::Greater, 5}}, true}}},
     {"Al", "-"},
     "[Init] < 5 or [Init] > 5"},
    {"two columns, all must pass; an or-group in brackets",
     {{kInit, {{{Op::Less, 5}, {Op::Blank, {}}}, true}}, {kName, {{{Op::NonBlank, {}}}}}},
     {"Al", "Cy"},
     "[Name] is not blank and ([Init] < 5 or [Init] is blank)"},
    {"quotes in a text are doubled",
     {{kName, {{{Op::GreaterOrEqual, QString("B'x")}}}}},
     {"Bo", "Cy"},
     "[Name] >= 'B''x'"},
};

INSTANTIATE_TEST_SUITE_P(Conditions, ViewFilterTest, ::testing::ValuesIn(kCases));

TEST(ViewFilterEditTest, SetReplacesRemoveAndEmptyConditionsDrop) {
    ViewFilter filter;
    filter.Set(kName, {{{Op::Equal, QString("Al")}}});
    filter.Set(kName, {{{Op::Equal, QString("Bo")}}});
    filter.Set(kInit, {{{Op::Greater, 4}}});
    EXPECT_EQ(Passing(filter), (QStringList{"Bo"}));
    filter.Remove(kName);
    EXPECT_EQ(Passing(filter), (QStringList{"Bo", "-"}));
    filter.Set(kInit, {});
    EXPECT_TRUE(filter.IsEmpty()) << "a column without conditions filters nothing";
    filter.Set(kInit, {{{Op::Greater, 4}}});
    filter.Truncate(1);
    EXPECT_TRUE(filter.IsEmpty());
    filter.Set(kName, {{{Op::Blank, {}}}});
    filter.Clear();
    EXPECT_EQ(Passing(filter).size(), 4);
}

} // namespace
} // namespace trevalo::test
