#include "fuzz/BlockRead.h"

#include "tests/support/BlockArrays.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace trevalo::fuzz {

using namespace engine;

namespace {

/// One field of one record as either read gives it.
struct Value {
    bool blank = false;
    std::int32_t number = 0;
    std::string text;
    bool operator==(const Value&) const = default;
};

struct Record {
    std::uint32_t bookmark = 0;
    std::vector<Value> values;
    bool operator==(const Record&) const = default;
};

/// Every field that the bulk read takes: all but the Float ones.
std::vector<ColumnDesc> ReadableFields(IRecordBase& base, std::vector<std::uint32_t>& numbers) {
    std::uint32_t count = 0;
    if (base.GetColumnCount(&count) != kOk)
        Disagree("GetColumnCount");
    std::vector<ColumnDesc> fields;
    for (std::uint32_t i = 0; i < count; ++i) {
        ColumnDesc column{};
        if (base.GetColumn(i, &column) != kOk)
            Disagree("GetColumn within the count");
        if (column.type != FieldType::Float) {
            fields.push_back(column);
            numbers.push_back(i + 1);
        }
    }
    return fields;
}

std::vector<test::BlockField> BlockFields(const std::vector<ColumnDesc>& fields,
                                          const std::vector<std::uint32_t>& numbers) {
    std::vector<test::BlockField> blockFields;
    for (std::size_t i = 0; i < fields.size(); ++i)
        blockFields.push_back({numbers[i], fields[i].type == FieldType::String});
    return blockFields;
}

/// The caller's arrays for one block.
class Arrays : public test::BlockArrays {
public:
    Arrays(const std::vector<ColumnDesc>& fields, const std::vector<std::uint32_t>& numbers,
           std::uint32_t capacity, std::uint32_t textCapacity)
        : BlockArrays(BlockFields(fields, numbers), capacity, textCapacity)
        , fields_(fields) {}

    /// Gives every string field room for its longest value; false when it had it already.
    bool Widen() {
        bool widened = false;
        for (std::size_t i = 0; i < Columns().size(); ++i) {
            const std::uint32_t widest = fields_[i].width * 4;
            if (!Columns()[i].text || Columns()[i].textCapacity >= widest)
                continue;
            SetTextCapacity(i, widest);
            widened = true;
        }
        return widened;
    }

    /// The room left in each field's text; 0 for the others.
    std::vector<std::uint32_t> Room() const {
        std::vector<std::uint32_t> room;
        for (const BlockColumn& column : Columns())
            room.push_back(column.textCapacity - column.textLength);
        return room;
    }

    void AppendTo(std::vector<Record>& records) const {
        if (!GuardsIntact())
            Disagree("a text written past its capacity");
        for (std::uint32_t row = 0; row < Block().count; ++row) {
            Record& record = records.emplace_back();
            std::memcpy(&record.bookmark, Block().bookmarks + row * sizeof record.bookmark,
                        sizeof record.bookmark);
            for (const BlockColumn& column : Columns()) {
                Value& value = record.values.emplace_back();
                if (column.blanks[row] > 1)
                    Disagree("a blank flag that is neither 0 nor 1");
                value.blank = column.blanks[row] == 1;
                if (!column.text) {
                    value.number = column.numbers[row];
                    continue;
                }
                if (column.starts[row] > column.textLength ||
                    column.lengths[row] > column.textLength - column.starts[row])
                    Disagree("a string outside the text that the block used");
                value.text.assign(column.text + column.starts[row], column.lengths[row]);
            }
        }
    }

private:
    const std::vector<ColumnDesc>& fields_;
};

/// The visible records read one by one, as the bulk read gives them.
std::vector<Record> Walk(Table& table, const std::vector<ColumnDesc>& fields,
                         const std::vector<std::uint32_t>& numbers) {
    IRecordCursor& cursor = table.Cursor();
    std::vector<Record> records;
    Bytes buffer = table.NewBuffer();
    if (cursor.MoveToBof() != kOk)
        Disagree("MoveToBof");
    while (cursor.MoveBy(1) == kOk) {
        Record& record = records.emplace_back();
        if (cursor.GetCurrentRecord(buffer.data(),
                                    reinterpret_cast<std::uint8_t*>(&record.bookmark)) != kOk)
            Disagree("no current record after a move");
        for (std::size_t i = 0; i < fields.size(); ++i) {
            Bytes bytes(
                std::max<std::size_t>(sizeof(double), std::size_t{fields[i].width} * 4 + 1));
            std::uint8_t blank = 0;
            if (cursor.GetField(buffer.data(), numbers[i], bytes.data(), &blank) != kOk)
                Disagree("GetField of a stored record");
            Value& value = record.values.emplace_back();
            value.blank = blank == 1;
            if (value.blank)
                continue;
            if (fields[i].type == FieldType::String)
                value.text = reinterpret_cast<const char*>(bytes.data());
            else if (fields[i].type == FieldType::Boolean)
                value.number = bytes[0];
            else
                std::memcpy(&value.number, bytes.data(), sizeof value.number);
        }
    }
    return records;
}

/// Where the cursor stands, as GetCurrentRecord tells it.
struct Place {
    Status status;
    Bytes record;
    std::uint32_t bookmark = 0;
    bool operator==(const Place&) const = default;
};

Place Where(Table& table) {
    Place place{kOk, table.NewBuffer()};
    place.status = table.Cursor().GetCurrentRecord(
        place.record.data(), reinterpret_cast<std::uint8_t*>(&place.bookmark));
    return place;
}

/// A block that ended before its capacity and before the end, and the text room it had left.
struct EarlyEnd {
    std::size_t next; ///< the record that did not fit
    std::vector<std::uint32_t> room;
};

} // namespace

void CheckBlockRead(Table& table, std::uint32_t capacity, std::uint32_t textCapacity) {
    std::vector<std::uint32_t> numbers;
    const std::vector<ColumnDesc> fields = ReadableFields(table.Base(), numbers);
    const Place before = Where(table);
    Arrays arrays(fields, numbers, capacity, textCapacity);
    std::vector<Record> read;
    std::vector<EarlyEnd> earlyEnds;
    std::uint32_t position = 0;
    for (;;) {
        arrays.RewindText();
        const Status status = table.Cursor().ReadBlock(&position, &arrays.Block());
        if (status == kBufferTooSmall) {
            if (!arrays.Widen())
                Disagree("a record did not fit text buffers that hold the longest values");
            continue;
        }
        if (status != kOk)
            Disagree("a well-formed block read was refused");
        arrays.AppendTo(read);
        const RecordBlock& block = arrays.Block();
        if (block.end)
            break;
        if (block.count == 0)
            Disagree("a block that is not the last is empty");
        if (block.count < block.capacity)
            earlyEnds.push_back({read.size(), arrays.Room()});
    }
    if (!(Where(table) == before))
        Disagree("the bulk read moved the cursor");

    const std::vector<Record> walked = Walk(table, fields, numbers);
    if (read != walked)
        Disagree("the bulk read and the walk read different records");
    for (const EarlyEnd& early : earlyEnds) {
        const auto& values = walked[early.next].values;
        bool tooLong = false;
        for (std::size_t i = 0; i < values.size(); ++i)
            tooLong = tooLong || values[i].text.size() > early.room[i];
        if (!tooLong)
            Disagree("a block ended early with room for the next record");
    }
}

void CheckBlockRead(Table& table, const std::uint8_t* data, std::size_t size) {
    const std::uint8_t last = size > 0 ? data[size - 1] : 0;
    const std::uint8_t beforeLast = size > 1 ? data[size - 2] : 0;
    CheckBlockRead(table, 1u + last % 9u, beforeLast % 64u);
}

} // namespace trevalo::fuzz
