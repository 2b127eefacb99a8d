#include "BlockWriter.h"

#include <cstring>

namespace trevalo::engine {

namespace {

Status CheckColumn(const RecordLayout& layout, const BlockColumn& column) {
    if (column.field == 0 || column.field > layout.FieldCount())
        return kFieldOutOfRange;
    if (!column.blanks)
        return kInvalidArgument;
    switch (layout.Column(column.field - 1).type) {
    case FieldType::String:
        if (!column.starts || !column.lengths || !column.text ||
            column.textLength > column.textCapacity)
            return kInvalidArgument;
        return column.numbers ? kTypeMismatch : kOk;
    case FieldType::Integer:
    case FieldType::Boolean:
        if (!column.numbers)
            return kInvalidArgument;
        return column.starts || column.lengths || column.text ? kTypeMismatch : kOk;
    case FieldType::Float:
        break;
    }
    return kTypeMismatch;
}

} // namespace

Status BlockWriter::Check(const RecordLayout& layout, const RecordBlock& block) {
    if (block.capacity == 0 || !block.bookmarks || (block.columnCount > 0 && !block.columns))
        return kInvalidArgument;
    for (std::uint32_t i = 0; i < block.columnCount; ++i)
        if (const Status status = CheckColumn(layout, block.columns[i]); status != kOk)
            return status;
    return kOk;
}

BlockWriter::BlockWriter(const RecordLayout& layout, RecordBlock& block)
    : layout_(layout)
    , block_(block) {
    block_.count = 0;
    block_.end = 0;
}

bool BlockWriter::Append(const StoredRecord& record) {
    const std::uint32_t row = block_.count;
    const std::uint8_t* data = record.data.data();
    for (std::uint32_t i = 0; i < block_.columnCount; ++i) {
        BlockColumn& column = block_.columns[i];
        const RecordLayout::Field& field = layout_.FieldAt(column.field - 1);
        const std::uint8_t* slot = data + field.offset + 1;
        // A blank field's slot may hold anything a packet brought; only its flag counts.
        const bool blank = data[field.offset] == 0;
        column.blanks[row] = blank ? 1 : 0;
        if (field.column.type != FieldType::String) {
            std::int32_t number = 0;
            if (!blank && field.column.type == FieldType::Integer)
                std::memcpy(&number, slot, sizeof number);
            else if (!blank)
                number = slot[0];
            column.numbers[row] = number;
            continue;
        }
        const std::size_t length =
            blank ? 0 : strnlen(reinterpret_cast<const char*>(slot), field.valueSize);
        if (length > column.textCapacity - column.textLength) {
            Undo(i);
            return false;
        }
        std::memcpy(column.text + column.textLength, slot, length);
        column.starts[row] = column.textLength;
        column.lengths[row] = static_cast<std::uint32_t>(length);
        column.textLength += static_cast<std::uint32_t>(length);
    }
    std::memcpy(block_.bookmarks + std::size_t{row} * sizeof record.id, &record.id,
                sizeof record.id);
    ++block_.count;
    return true;
}

void BlockWriter::Undo(std::uint32_t column) {
    const std::uint32_t row = block_.count;
    for (std::uint32_t i = 0; i < column; ++i) {
        BlockColumn& written = block_.columns[i];
        if (written.starts)
            written.textLength = written.starts[row];
    }
}

} // namespace trevalo::engine
