#include "BlockWriter.h"

#include <array>
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

// A blank field's slot may hold anything a packet brought; only its flag counts.
bool IsBlank(const std::uint8_t* field) {
    return field[0] == 0;
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

std::size_t BlockWriter::Append(const std::vector<StoredRecord>& records,
                                std::span<const std::size_t> batch) {
    std::array<const std::uint8_t*, kBatch> rows{};
    for (std::size_t j = 0; j < batch.size(); ++j)
        rows[j] = records[batch[j]].data.data();
    const std::size_t count = Fit(rows.data(), batch.size());
    for (std::uint32_t i = 0; i < block_.columnCount; ++i)
        Write(block_.columns[i], rows.data(), count);
    std::uint8_t* bookmark = block_.bookmarks + std::size_t{block_.count} * sizeof(std::uint32_t);
    for (std::size_t j = 0; j < count; ++j, bookmark += sizeof(std::uint32_t))
        std::memcpy(bookmark, &records[batch[j]].id, sizeof(std::uint32_t));
    block_.count += static_cast<std::uint32_t>(count);
    return count;
}

std::size_t BlockWriter::Fit(Rows rows, std::size_t count) {
    for (std::uint32_t i = 0; i < block_.columnCount; ++i) {
        const BlockColumn& column = block_.columns[i];
        const RecordLayout::Field& field = layout_.FieldAt(column.field - 1);
        if (field.column.type != FieldType::String)
            continue;
        std::uint32_t room = column.textCapacity - column.textLength;
        std::uint32_t* lengths = column.lengths + block_.count;
        for (std::size_t j = 0; j < count; ++j) {
            const std::uint8_t* at = rows[j] + field.offset;
            const auto length = static_cast<std::uint32_t>(
                IsBlank(at) ? 0 : strnlen(reinterpret_cast<const char*>(at + 1), field.valueSize));
            if (length > room) {
                count = j;
                break;
            }
            room -= length;
            lengths[j] = length;
        }
    }
    return count;
}

void BlockWriter::Write(BlockColumn& column, Rows rows, std::size_t count) {
    const RecordLayout::Field& field = layout_.FieldAt(column.field - 1);
    const std::uint32_t offset = field.offset;
    const std::uint32_t first = block_.count;
    std::uint8_t* blanks = column.blanks + first;
    switch (field.column.type) {
    case FieldType::Integer:
        for (std::size_t j = 0; j < count; ++j) {
            const std::uint8_t* at = rows[j] + offset;
            std::int32_t number = 0;
            if (!IsBlank(at))
                std::memcpy(&number, at + 1, sizeof number);
            blanks[j] = IsBlank(at) ? 1 : 0;
            column.numbers[first + j] = number;
        }
        return;
    case FieldType::Boolean:
        for (std::size_t j = 0; j < count; ++j) {
            const std::uint8_t* at = rows[j] + offset;
            blanks[j] = IsBlank(at) ? 1 : 0;
            column.numbers[first + j] = IsBlank(at) ? 0 : at[1];
        }
        return;
    case FieldType::String: {
        std::uint32_t used = column.textLength;
        for (std::size_t j = 0; j < count; ++j) {
            const std::uint8_t* at = rows[j] + offset;
            const std::uint32_t length = column.lengths[first + j];
            blanks[j] = IsBlank(at) ? 1 : 0;
            std::memcpy(column.text + used, at + 1, length);
            column.starts[first + j] = used;
            used += length;
        }
        column.textLength = used;
        return;
    }
    case FieldType::Float:
        return;
    }
}

} // namespace trevalo::engine
