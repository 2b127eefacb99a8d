// Reading the visible records in blocks into column arrays, against the walk record by record.
#include "tests/engine/EngineHarness.h"
#include "tests/support/BlockArrays.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace trevalo::engine::test {

namespace {

constexpr std::uint32_t kCombatantFields[] = {kRecId, kId, kName, kInit, kActive, kPasses};
constexpr const char* kBlank = "<blank>";
/// Fifty code points of four bytes: the longest value a Name holds.
const std::string kLongest = [] {
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "\xF0\x9D\x84\x9E";
    return text;
}();

/// A record as text: its bookmark's bytes, then each combatant field.
using Row = std::vector<std::string>;

FieldType TypeOf(View& view, std::uint32_t field) {
    ColumnDesc column{};
    EXPECT_EQ(view.Base().GetColumn(field - 1, &column), kOk);
    return column.type;
}

std::vector<BlockField> Fields(View& view, const std::vector<std::uint32_t>& numbers) {
    std::vector<BlockField> fields;
    for (const std::uint32_t number : numbers)
        fields.push_back({number, TypeOf(view, number) == FieldType::String});
    return fields;
}

/// The caller's arrays for \p fields of \p view, read back as the walk describes records.
class Arrays : public BlockArrays {
public:
    Arrays(View& view, const std::vector<std::uint32_t>& fields, std::uint32_t capacity,
           std::uint32_t textCapacity)
        : BlockArrays(Fields(view, fields), capacity, textCapacity) {}

    /// Records [0, count) of the last read, as the walk describes them.
    std::vector<Row> Rows(View& view) const {
        EXPECT_TRUE(GuardsIntact()) << "written past the text's capacity";
        std::vector<Row> rows;
        for (std::uint32_t record = 0; record < Block().count; ++record) {
            Row& row = rows.emplace_back();
            row.emplace_back(reinterpret_cast<const char*>(Block().bookmarks) + record * 4, 4);
            for (const BlockColumn& column : Columns())
                row.push_back(Describe(view, column, record));
        }
        return rows;
    }

private:
    static std::string Describe(View& view, const BlockColumn& column, std::uint32_t record) {
        const std::uint8_t blank = column.blanks[record];
        if (blank > 1)
            return "<bad blank flag>";
        switch (TypeOf(view, column.field)) {
        case FieldType::String:
            if (column.starts[record] + column.lengths[record] > column.textLength)
                return "<outside the text used>";
            return blank ? (column.lengths[record] == 0 ? kBlank : "<blank with text>")
                         : std::string(column.text + column.starts[record], column.lengths[record]);
        case FieldType::Boolean:
            if (blank)
                return column.numbers[record] == 0 ? kBlank : "<blank, not 0>";
            return column.numbers[record] == 1   ? "True"
                   : column.numbers[record] == 0 ? "False"
                                                 : "<not 0 or 1>";
        default:
            if (blank)
                return column.numbers[record] == 0 ? kBlank : "<blank, not 0>";
            return std::to_string(column.numbers[record]);
        }
    }
};

/// The visible records read with MoveBy, GetCurrentRecord and GetField.
std::vector<Row> Walk(View& view) {
    std::vector<Row> rows;
    EXPECT_EQ(view.Cursor().MoveToBof(), kOk);
    while (view.Cursor().MoveBy(1) == kOk) {
        Bytes record(view.NewRecord().size());
        std::uint32_t bookmark = 0;
        EXPECT_EQ(view.Cursor().GetCurrentRecord(record.data(),
                                                 reinterpret_cast<std::uint8_t*>(&bookmark)),
                  kOk);
        Row& row = rows.emplace_back();
        row.emplace_back(reinterpret_cast<const char*>(&bookmark), sizeof bookmark);
        for (const std::uint32_t field : kCombatantFields) {
            switch (TypeOf(view, field)) {
            case FieldType::String:
                row.push_back(view.Text(record, field).value_or(kBlank));
                break;
            case FieldType::Boolean: {
                const auto value = view.Boolean(record, field);
                row.push_back(value ? (*value ? "True" : "False") : kBlank);
                break;
            }
            default: {
                const auto value = view.Integer(record, field);
                row.push_back(value ? std::to_string(*value) : kBlank);
            }
            }
        }
    }
    return rows;
}

struct Outcome {
    std::vector<Row> rows;
    int blocks = 0;
};

/// Every visible record read block by block from the start, each block's text on its own.
Outcome ReadInBlocks(View& view, std::uint32_t capacity, std::uint32_t textCapacity) {
    Arrays arrays(view, {std::begin(kCombatantFields), std::end(kCombatantFields)}, capacity,
                  textCapacity);
    Outcome outcome;
    std::uint32_t position = 0;
    for (;;) {
        arrays.RewindText();
        const Status status = view.Cursor().ReadBlock(&position, &arrays.Block());
        EXPECT_EQ(status, kOk);
        if (status != kOk)
            break;
        if (++outcome.blocks > 1000) {
            ADD_FAILURE() << "the blocks never end";
            break;
        }
        const auto rows = arrays.Rows(view);
        outcome.rows.insert(outcome.rows.end(), rows.begin(), rows.end());
        if (arrays.Block().end)
            break;
        EXPECT_GT(arrays.Block().count, 0u) << "a block that is not the last holds a record";
    }
    return outcome;
}

void Insert(View& view, const char* name, const std::int32_t* id, const std::int32_t* init,
            const std::uint8_t* active, const std::int32_t* passes) {
    Bytes record = view.NewRecord();
    IRecordCursor& cursor = view.Cursor();
    ASSERT_EQ(cursor.PutField(record.data(), kName, name), kOk);
    ASSERT_EQ(cursor.PutField(record.data(), kId, id), kOk);
    ASSERT_EQ(cursor.PutField(record.data(), kInit, init), kOk);
    ASSERT_EQ(cursor.PutField(record.data(), kActive, active), kOk);
    ASSERT_EQ(cursor.PutField(record.data(), kPasses, passes), kOk);
    ASSERT_EQ(cursor.MoveToEof(), kOk);
    ASSERT_EQ(cursor.InsertRecord(record.data()), kOk);
}

/// Forty combatants: blanks in every field, empty and multi-byte names, the longest name,
/// a quarter of them inactive, and the extremes of the integers.
void FillSample(View& view) {
    const std::string names[] = {"Ann", "", "\xC3\x98rn \xE6\x97\xA5\xE6\x9C\xAC", kLongest, "Bo"};
    for (std::int32_t i = 0; i < 40; ++i) {
        const std::int32_t id = i == 5 ? INT32_MIN : i == 6 ? INT32_MAX : i * 7 - 100;
        const std::int32_t init = 20 - i;
        const std::uint8_t active = i % 4 == 1 ? 0 : 1;
        const std::int32_t passes = i % 3;
        Insert(view, i % 7 == 3 ? nullptr : names[i % 5].c_str(), i % 9 == 2 ? nullptr : &id,
               i % 3 == 0 ? nullptr : &init, i % 11 == 4 ? nullptr : &active,
               i % 6 == 0 ? nullptr : &passes);
    }
}

std::size_t TextBytes(const std::vector<Row>& rows) {
    std::size_t bytes = 0;
    for (const Row& row : rows)
        bytes += row[3] == kBlank ? 0 : row[3].size();
    return bytes;
}

struct BlockCase {
    const char* label;
    std::uint32_t capacity;
    std::uint32_t textCapacity;
};

TEST(ReadBlock, GivesWhatTheWalkGivesInBlocksOfEverySize) {
    const BlockCase cases[] = {
        {"one record a block", 1, 1000},      {"three records a block", 3, 1000},
        {"text ends every block", 1000, 200}, {"text or count ends a block", 7, 250},
        {"all in one block", 1000, 100000},
    };
    for (const bool filtered : {false, true}) {
        View view(CombatantPacket());
        FillSample(view);
        if (filtered)
            view.FilterActive();
        const std::vector<Row> expected = Walk(view);
        ASSERT_EQ(expected.size(), filtered ? 31u : 40u);
        for (const BlockCase& c : cases) {
            SCOPED_TRACE(std::string(c.label) + (filtered ? ", filtered" : ""));
            const Outcome outcome = ReadInBlocks(view, c.capacity, c.textCapacity);
            EXPECT_EQ(outcome.rows, expected);
            const std::size_t leastByCount = (expected.size() + c.capacity - 1) / c.capacity;
            const std::size_t leastByText =
                (TextBytes(expected) + c.textCapacity - 1) / c.textCapacity;
            EXPECT_GE(static_cast<std::size_t>(outcome.blocks),
                      std::max(leastByCount, leastByText));
        }
    }
}

TEST(ReadBlock, AnEmptyOrWhollyHiddenTableIsOneEmptyLastBlock) {
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "every record hidden" : "no record");
        View view(CombatantPacket());
        if (hidden) {
            ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant("a-").data()), kOk);
            ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant("b-").data()), kOk);
            view.FilterActive();
        }
        Arrays arrays(view, {kName, kInit}, 4, 10);
        std::uint32_t position = 0;
        ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
        EXPECT_EQ(arrays.Block().count, 0u);
        EXPECT_EQ(arrays.Block().end, 1);
        EXPECT_EQ(position, hidden ? 2u : 0u) << "the end of the table";
        EXPECT_EQ(arrays.Column(0).textLength, 0u);
        EXPECT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk) << "read again at end";
        EXPECT_EQ(arrays.Block().end, 1);
    }
}

TEST(ReadBlock, TextIsAppendedAfterWhatTheBufferHolds) {
    View view(CombatantPacket());
    ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant("Cy").data()), kOk);
    ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant("\xC3\xA9t\xC3\xA9").data()), kOk);
    Arrays arrays(view, {kName}, 4, 12);
    BlockColumn& name = arrays.Column(0);
    std::memcpy(name.text, "keep", 4);
    name.textLength = 4;
    std::uint32_t position = 0;
    ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
    ASSERT_EQ(arrays.Block().count, 2u);
    EXPECT_EQ(std::string(name.text, name.textLength), "keep\xC3\xA9t\xC3\xA9"
                                                       "Cy");
    EXPECT_EQ(name.starts[0], 4u);
    EXPECT_EQ(name.lengths[0], 5u);
    EXPECT_EQ(name.starts[1], 9u);
    EXPECT_EQ(name.lengths[1], 2u);
    EXPECT_EQ(name.text[11], '#') << "nothing written past the text used";
}

TEST(ReadBlock, EndsBeforeTheRecordWhoseTextDoesNotFitAndResumesThere) {
    View view(CombatantPacket());
    for (const char* shape : {"ddd", "ccc", "bb", "a"})
        ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant(shape).data()), kOk);
    // Two string columns: the second's text runs out first, and the first holds no more records.
    Arrays arrays(view, {kName, kInit, kName}, 4, 6);
    arrays.Column(0).textCapacity = 100;
    std::uint32_t position = 0;
    ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
    EXPECT_EQ(arrays.Block().count, 3u) << "a, bb, ccc: six bytes";
    EXPECT_EQ(arrays.Block().end, 0);
    EXPECT_EQ(position, 3u);
    EXPECT_EQ(arrays.Column(0).textLength, 6u) << "ddd is not kept in the first column";
    EXPECT_EQ(arrays.Column(2).textLength, 6u);

    const std::uint32_t stuck = position;
    ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kBufferTooSmall);
    EXPECT_EQ(position, stuck);
    EXPECT_EQ(arrays.Column(0).textLength, 6u);
    EXPECT_EQ(arrays.Column(2).textLength, 6u);

    arrays.RewindText();
    ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
    EXPECT_EQ(arrays.Block().count, 1u);
    EXPECT_EQ(arrays.Block().end, 1);
    EXPECT_EQ(std::string(arrays.Column(2).text, 3), "ddd");
}

TEST(ReadBlock, ABlankIsZeroWhateverItsSlotHolds) {
    const Bytes packet =
        BuildPacket({Column("ID", FieldType::Integer), Column("Active", FieldType::Boolean),
                     Column("Name", FieldType::String, 2)},
                    {});
    View view(packet);
    // Each field is its blank flag and then its slot: 4 bytes, 1 byte, 2 * 4 + 1 bytes.
    Bytes record(1 + 4 + 1 + 1 + 1 + 9, 'x');
    ASSERT_EQ(view.NewRecord().size(), record.size());
    record[0] = record[5] = record[7] = 0;
    ASSERT_EQ(view.Cursor().InsertRecord(record.data()), kOk);
    Arrays arrays(view, {1, 2, 3}, 1, 10);
    std::uint32_t position = 0;
    ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
    ASSERT_EQ(arrays.Block().count, 1u);
    EXPECT_EQ(arrays.Rows(view)[0], (Row{std::string("\1\0\0\0", 4), kBlank, kBlank, kBlank}));
}

TEST(ReadBlock, LeavesTheCursorWhereItStood) {
    View view(CombatantPacket());
    for (const char* shape : {"d", "c-", "b", "a"})
        ASSERT_EQ(view.Cursor().InsertRecord(view.Combatant(shape).data()), kOk);
    view.FilterActive();
    struct Place {
        const char* label;
        int moves; ///< from Bof: 0 stays there, 4 runs to Eof
        const char* current;
        const char* next;
        const char* previous;
    };
    const Place places[] = {
        {"before the first", 0, "", "a", ""},
        {"on a record", 2, "b", "d", "a"},
        {"past the last", 4, "", "", "d"},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.label);
        const auto standThere = [&] {
            ASSERT_EQ(view.Cursor().MoveToBof(), kOk);
            for (int i = 0; i < place.moves; ++i)
                view.Cursor().MoveBy(1);
        };
        standThere();
        Arrays arrays(view, {kName}, 1, 10);
        std::uint32_t position = 0;
        ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
        ASSERT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk);
        EXPECT_EQ(view.CurrentName(), place.current);
        view.Cursor().MoveBy(1);
        EXPECT_EQ(view.CurrentName(), place.next);
        standThere();
        view.Cursor().ReadBlock(&position, &arrays.Block());
        view.Cursor().MoveBy(-1);
        EXPECT_EQ(view.CurrentName(), place.previous);
    }
}

TEST(ReadBlock, RefusesBadCallsAndWritesNothing) {
    const Bytes packet =
        BuildPacket({Column("ID", FieldType::Integer), Column("Name", FieldType::String, 5),
                     Column("Active", FieldType::Boolean), Column("Rate", FieldType::Float)},
                    {});
    View view(packet);
    ASSERT_EQ(view.Cursor().InsertRecord(view.NewRecord().data()), kOk);
    enum { kIdColumn, kNameColumn, kActiveColumn };
    struct BadCase {
        const char* label;
        void (*spoil)(RecordBlock& block, std::uint32_t& position);
        Status status;
    };
    const BadCase cases[] = {
        {"capacity 0", [](RecordBlock& b, std::uint32_t&) { b.capacity = 0; }, kInvalidArgument},
        {"no bookmarks", [](RecordBlock& b, std::uint32_t&) { b.bookmarks = nullptr; },
         kInvalidArgument},
        {"no columns", [](RecordBlock& b, std::uint32_t&) { b.columns = nullptr; },
         kInvalidArgument},
        {"position past the table", [](RecordBlock&, std::uint32_t& p) { p = 2; },
         kInvalidArgument},
        {"field 0", [](RecordBlock& b, std::uint32_t&) { b.columns[kNameColumn].field = 0; },
         kFieldOutOfRange},
        {"field past the last",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kIdColumn].field = 5; }, kFieldOutOfRange},
        {"no blanks",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kActiveColumn].blanks = nullptr; },
         kInvalidArgument},
        {"integer without numbers",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kIdColumn].numbers = nullptr; },
         kInvalidArgument},
        {"boolean without numbers",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kActiveColumn].numbers = nullptr; },
         kInvalidArgument},
        {"string without starts",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kNameColumn].starts = nullptr; },
         kInvalidArgument},
        {"string without lengths",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kNameColumn].lengths = nullptr; },
         kInvalidArgument},
        {"string without text",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kNameColumn].text = nullptr; },
         kInvalidArgument},
        {"text used beyond its capacity",
         [](RecordBlock& b, std::uint32_t&) { b.columns[kNameColumn].textLength = 11; },
         kInvalidArgument},
        {"string with numbers",
         [](RecordBlock& b, std::uint32_t&) {
             b.columns[kNameColumn].numbers = b.columns[kIdColumn].numbers;
         },
         kTypeMismatch},
        {"integer with starts",
         [](RecordBlock& b, std::uint32_t&) {
             b.columns[kIdColumn].starts = b.columns[kNameColumn].starts;
         },
         kTypeMismatch},
        {"boolean with lengths",
         [](RecordBlock& b, std::uint32_t&) {
             b.columns[kActiveColumn].lengths = b.columns[kNameColumn].lengths;
         },
         kTypeMismatch},
        {"integer with text",
         [](RecordBlock& b, std::uint32_t&) {
             b.columns[kIdColumn].text = b.columns[kNameColumn].text;
         },
         kTypeMismatch},
        {"float field", [](RecordBlock& b, std::uint32_t&) { b.columns[kIdColumn].field = 4; },
         kTypeMismatch},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.label);
        Arrays arrays(view, {1, 2, 3}, 2, 10);
        std::uint32_t position = 0;
        RecordBlock& block = arrays.Block();
        c.spoil(block, position);
        block.count = 77;
        const std::uint32_t from = position;
        EXPECT_EQ(view.Cursor().ReadBlock(&position, &block), c.status);
        EXPECT_EQ(block.count, 77u);
        EXPECT_EQ(position, from);
        EXPECT_EQ(arrays.Text(kNameColumn).find_first_not_of('#'), std::string::npos);
    }

    Arrays arrays(view, {1}, 2, 10);
    std::uint32_t position = 0;
    EXPECT_EQ(view.Cursor().ReadBlock(nullptr, &arrays.Block()), kInvalidArgument);
    EXPECT_EQ(view.Cursor().ReadBlock(&position, nullptr), kInvalidArgument);
    arrays.Block().columnCount = 0;
    arrays.Block().columns = nullptr;
    EXPECT_EQ(view.Cursor().ReadBlock(&position, &arrays.Block()), kOk) << "bookmarks only";
    EXPECT_EQ(arrays.Block().count, 1u);
    EXPECT_EQ(MakeCursor()->ReadBlock(&position, &arrays.Block()), kInvalidState);
}

} // namespace

} // namespace trevalo::engine::test
