// The record cache on columns filled by hand, as the working view's bulk read fills them: values
// read back, records inserted and edited, bookmarks found, and sort keys that order as values do.
#include "components/grid/model/RecordCache.h"

#include <QList>
#include <climits>
#include <gtest/gtest.h>

namespace trevalo::test {
namespace {

using engine::FieldType;

/// Columns of \p types holding \p records (one value per field each); the bookmark of record
/// i is 4 bytes counting from 100.
RecordColumns Columns(const QList<FieldType>& types, const QList<QList<CacheValue>>& records) {
    RecordColumns read;
    read.Count = static_cast<int>(records.size());
    read.BookmarkSize = 4;
    for (int record = 0; record < read.Count; ++record)
        for (int byte = 0; byte < 4; ++byte)
            read.Bookmarks.push_back(static_cast<std::uint8_t>((100 + record) >> (8 * byte)));
    for (qsizetype field = 0; field < types.size(); ++field) {
        ValueColumn column;
        column.Type = types[field];
        for (const QList<CacheValue>& values : records) {
            const CacheValue& value = values[field];
            column.Blank.push_back(std::holds_alternative<std::monostate>(value) ? 1 : 0);
            if (column.Type != FieldType::String) {
                column.Numbers.push_back(std::holds_alternative<bool>(value) ? std::get<bool>(value)
                                         : std::holds_alternative<std::int32_t>(value)
                                             ? std::get<std::int32_t>(value)
                                             : 0);
                continue;
            }
            const QByteArray text = DisplayText(value).toUtf8();
            column.Start.push_back(static_cast<std::uint32_t>(column.Text.size()));
            column.Length.push_back(static_cast<std::uint32_t>(text.size()));
            column.Text.append(text.constData(), static_cast<std::size_t>(text.size()));
        }
        read.Columns.push_back(column);
    }
    return read;
}

QByteArray BookmarkOf(int number) {
    QByteArray bytes;
    for (int byte = 0; byte < 4; ++byte)
        bytes.append(static_cast<char>(number >> (8 * byte)));
    return bytes;
}

const QList<FieldType> kTypes{FieldType::String, FieldType::Integer, FieldType::Boolean};

/// Name, Init, Active.
const QList<QList<CacheValue>> kRecords{
    {QString("Al"), 3, true},
    {QStringView(u"\U0001F600").toString(), INT_MIN, false},
    {{}, {}, {}},
    {QStringView(u"\ue000").toString(), INT_MAX, true},
    {QStringView(u"\u00e9t\u00e9").toString(), 3, {}},
    {QString("Al"), -1, false},
    {QString(""), 0, true},
};

TEST(RecordCacheTest, ReadsBackWhatWasRead) {
    const RecordCache cache(Columns(kTypes, kRecords));
    ASSERT_EQ(cache.Count(), kRecords.size());
    ASSERT_EQ(cache.FieldCount(), 3);
    for (int record = 0; record < cache.Count(); ++record) {
        for (int field = 0; field < 3; ++field)
            EXPECT_EQ(cache.Value(record, field), kRecords[record][field])
                << record << ", " << field;
        EXPECT_EQ(cache.Bookmark(record), BookmarkOf(100 + record));
        EXPECT_EQ(cache.IndexOf(BookmarkOf(100 + record)), record);
    }
    EXPECT_EQ(cache.IndexOf(BookmarkOf(100 + cache.Count())), -1);
    EXPECT_EQ(cache.IndexOf(QByteArray()), -1);
    EXPECT_EQ(cache.IndexOf("\x64"), -1) << "a bookmark of another size";
}

// The first look-up after a change passes over the records, the later ones use a table: both
// find the same record, and neither finds a record not stored yet by its blank bookmark.
TEST(RecordCacheTest, TheFirstLookUpAfterAChangeFindsWhatTheLaterOnesFind) {
    const QByteArray unstored(4, '\0');
    for (int wanted = 0; wanted <= kRecords.size(); ++wanted) {
        RecordCache cache(Columns(kTypes, kRecords));
        cache.Insert(1);
        const bool stored = wanted < kRecords.size();
        const QByteArray bookmark = stored ? BookmarkOf(100 + wanted) : unstored;
        const int expected = !stored ? -1 : wanted < 1 ? wanted : wanted + 1;
        EXPECT_EQ(cache.IndexOf(bookmark), expected) << "first, " << wanted;
        EXPECT_EQ(cache.IndexOf(bookmark), expected) << "second, " << wanted;
        EXPECT_EQ(cache.IndexOf(unstored), -1) << wanted;
    }
}

TEST(RecordCacheTest, InsertedRecordsAreBlankWithoutBookmarkAndMoveTheOthersUp) {
    RecordCache cache(Columns(kTypes, kRecords));
    cache.Insert(2);
    cache.Insert(cache.Count());
    ASSERT_EQ(cache.Count(), kRecords.size() + 2);
    for (const int inserted : {2, cache.Count() - 1}) {
        EXPECT_TRUE(cache.Bookmark(inserted).isEmpty());
        for (int field = 0; field < 3; ++field)
            EXPECT_EQ(cache.Value(inserted, field), CacheValue());
    }
    for (int record = 0; record < kRecords.size(); ++record) {
        const int now = record < 2 ? record : record + 1;
        EXPECT_EQ(cache.IndexOf(BookmarkOf(100 + record)), now);
        EXPECT_EQ(cache.Value(now, 0), kRecords[record][0]);
    }
    cache.SetValue(2, 0, QStringView(u"n\u00e9w").toString());
    cache.SetValue(2, 1, 7);
    cache.SetValue(2, 2, false);
    cache.SetValue(0, 0, QString("Bo"));
    cache.SetValue(1, 1, CacheValue());
    EXPECT_EQ(cache.Value(2, 0), CacheValue(QStringView(u"n\u00e9w").toString()));
    EXPECT_EQ(cache.Value(2, 1), CacheValue(7));
    EXPECT_EQ(cache.Value(2, 2), CacheValue(false));
    EXPECT_EQ(cache.Value(0, 0), CacheValue(QString("Bo")));
    EXPECT_EQ(cache.Value(1, 1), CacheValue());
    EXPECT_EQ(cache.Value(3, 0), kRecords[2][0]) << "its neighbour untouched";
}

/// Every pair of records orders by the field's keys as its values compare; descending keys
/// order the other way.
void ExpectKeysOrderAsValues(const RecordCache& cache, int field) {
    const auto count = static_cast<std::size_t>(cache.Count());
    std::vector<std::int64_t> keys(2 * count);
    cache.WriteSortKeys(field, false, keys.data(), 2);
    cache.WriteSortKeys(field, true, keys.data() + 1, 2);
    for (int a = 0; a < cache.Count(); ++a)
        for (int b = 0; b < cache.Count(); ++b) {
            const int expected = CompareCacheValues(cache.Value(a, field), cache.Value(b, field));
            const std::int64_t x = keys[2 * std::size_t(a)];
            const std::int64_t y = keys[2 * std::size_t(b)];
            EXPECT_EQ((x > y) - (x < y), expected) << field << ": " << a << " vs " << b;
            EXPECT_EQ(keys[2 * std::size_t(a) + 1], -x);
        }
}

TEST(RecordCacheTest, SortKeysOrderAsTheValuesAndFollowEdits) {
    RecordCache cache(Columns(kTypes, kRecords));
    for (int field = 0; field < 3; ++field)
        ExpectKeysOrderAsValues(cache, field);
    // The strings' ranks were made by the sort above; an edit and an insert must remake them.
    cache.SetValue(0, 0, QStringView(u"\U00010000").toString());
    ExpectKeysOrderAsValues(cache, 0);
    cache.Insert(1);
    cache.SetValue(1, 0, QString("Al"));
    ExpectKeysOrderAsValues(cache, 0);
}

TEST(RecordCacheTest, AnEmptyCacheTakesInsertedRecordsOfItsTypes) {
    RecordCache cache({FieldType::String, FieldType::Boolean});
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.IndexOf(BookmarkOf(100)), -1);
    cache.Insert(0);
    cache.SetValue(0, 0, QString("Cy"));
    cache.SetValue(0, 1, true);
    EXPECT_EQ(cache.Value(0, 0), CacheValue(QString("Cy")));
    EXPECT_EQ(cache.Value(0, 1), CacheValue(true));
    ExpectKeysOrderAsValues(cache, 0);
}

} // namespace
} // namespace trevalo::test
