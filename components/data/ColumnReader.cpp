#include "components/data/ColumnReader.h"

#include <algorithm>
#include <limits>

namespace trevalo {

namespace {

constexpr std::size_t kFirstBlock = 256;
// Room for text is guessed from this, and grows with what was read: a block that runs out of
// text ends early, and the next one has room for twice what was read before.
constexpr std::size_t kTypicalTextBytes = 16;
constexpr std::size_t kMostText = std::numeric_limits<std::uint32_t>::max();

} // namespace

ColumnReader::ColumnReader(std::uint32_t bookmarkSize, RecordColumns reuse)
    : columns_(std::move(reuse)) {
    columns_.Count = 0;
    columns_.BookmarkSize = bookmarkSize;
    columns_.Bookmarks.clear();
}

ValueColumn& ColumnReader::NextColumn(engine::FieldType type) {
    if (used_ == columns_.Columns.size())
        columns_.Columns.emplace_back();
    ValueColumn& column = columns_.Columns[used_++];
    // Clearing keeps each array's memory for what is read next.
    column.Type = type;
    column.Blank.clear();
    column.Numbers.clear();
    column.Start.clear();
    column.Length.clear();
    column.Text.clear();
    return column;
}

void ColumnReader::AddField(std::uint32_t field, engine::FieldType type, std::uint32_t width) {
    targets_.push_back({used_, std::size_t{width} * 4});
    NextColumn(type);
    fields_.push_back({field, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0});
}

void ColumnReader::AddBlank() {
    blankColumns_.push_back(used_);
    NextColumn(engine::FieldType::Integer);
}

engine::Status ColumnReader::Read(engine::IRecordCursor& cursor) {
    engine::RecordBlock block{};
    block.columnCount = static_cast<std::uint32_t>(fields_.size());
    block.columns = fields_.data();
    std::size_t count = 0;
    std::uint32_t position = 0;
    do {
        Point(block, count, std::max(count, kFirstBlock));
        if (const engine::Status status = cursor.ReadBlock(&position, &block);
            status != engine::kOk)
            return status;
        count += block.count;
    } while (!block.end);
    Finish(count);
    return engine::kOk;
}

void ColumnReader::Point(engine::RecordBlock& block, std::size_t count, std::size_t room) {
    const std::size_t size = count + room;
    block.capacity = static_cast<std::uint32_t>(room);
    columns_.Bookmarks.resize(size * columns_.BookmarkSize);
    block.bookmarks = columns_.Bookmarks.data() + count * columns_.BookmarkSize;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        engine::BlockColumn& field = fields_[i];
        ValueColumn& column = columns_.Columns[targets_[i].column];
        column.Blank.resize(size);
        field.blanks = column.Blank.data() + count;
        if (column.Type != engine::FieldType::String) {
            column.Numbers.resize(size);
            field.numbers = column.Numbers.data() + count;
            continue;
        }
        column.Start.resize(size);
        column.Length.resize(size);
        field.starts = column.Start.data() + count;
        field.lengths = column.Length.data() + count;
        const std::size_t used = field.textLength;
        column.Text.resize(std::min(
            kMostText, used + std::max({targets_[i].widest, used, room * kTypicalTextBytes})));
        field.text = column.Text.data();
        field.textCapacity = static_cast<std::uint32_t>(column.Text.size());
    }
}

void ColumnReader::Finish(std::size_t count) {
    columns_.Count = static_cast<int>(count);
    columns_.Columns.resize(used_);
    columns_.Bookmarks.resize(count * columns_.BookmarkSize);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        ValueColumn& column = columns_.Columns[targets_[i].column];
        column.Blank.resize(count);
        if (column.Type != engine::FieldType::String) {
            column.Numbers.resize(count);
            continue;
        }
        column.Start.resize(count);
        column.Length.resize(count);
        column.Text.resize(fields_[i].textLength);
    }
    for (const std::size_t index : blankColumns_) {
        ValueColumn& column = columns_.Columns[index];
        column.Blank.assign(count, 1);
        column.Numbers.assign(count, 0);
    }
}

} // namespace trevalo
