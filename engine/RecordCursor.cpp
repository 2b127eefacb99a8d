#include "RecordCursor.h"

#include "BlockWriter.h"
#include "ExpressionDecoder.h"
#include "RecordBase.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace trevalo::engine {

RecordCursor::~RecordCursor() {
    if (table_)
        table_->cursorAttached = false;
}

Status RecordCursor::Attach(IRecordBase* base) {
    if (!base)
        return kInvalidArgument;
    const auto* ours = dynamic_cast<RecordBase*>(base);
    if (!ours)
        return kInvalidArgument;
    const auto& table = ours->Table();
    if (table_ || !table || table->cursorAttached)
        return kInvalidState;
    table_ = table;
    table_->cursorAttached = true;
    return kOk;
}

Status RecordCursor::GetBufferSize(std::uint32_t* size) {
    if (!table_)
        return kInvalidState;
    if (!size)
        return kInvalidArgument;
    *size = table_->layout.Size();
    return kOk;
}

Status RecordCursor::GetBookmarkSize(std::uint32_t* size) {
    if (!table_)
        return kInvalidState;
    if (!size)
        return kInvalidArgument;
    *size = sizeof(std::uint32_t);
    return kOk;
}

Status RecordCursor::GetReadOnly(std::uint8_t* readOnly) {
    if (!table_)
        return kInvalidState;
    if (!readOnly)
        return kInvalidArgument;
    *readOnly = table_->readOnly ? 1 : 0;
    return kOk;
}

Status RecordCursor::MoveToBof() {
    if (!table_)
        return kInvalidState;
    place_ = Place::Bof;
    return kOk;
}

Status RecordCursor::MoveToEof() {
    if (!table_)
        return kInvalidState;
    place_ = Place::Eof;
    return kOk;
}

Status RecordCursor::MoveBy(std::int32_t delta) {
    if (!table_)
        return kInvalidState;
    const std::size_t count = table_->records.size();
    if (delta == 1) {
        if (place_ == Place::Eof)
            return kEof;
        if (SeekForward(place_ == Place::Bof ? 0 : index_ + 1))
            return kOk;
        place_ = Place::Eof;
        return kEof;
    }
    if (delta == -1) {
        if (place_ == Place::Bof)
            return kBof;
        if (SeekBackward(place_ == Place::Eof ? count : index_))
            return kOk;
        place_ = Place::Bof;
        return kBof;
    }
    return kInvalidArgument;
}

Status RecordCursor::GetCurrentRecord(std::uint8_t* buffer, std::uint8_t* bookmark) {
    if (!table_)
        return kInvalidState;
    if (!buffer)
        return kInvalidArgument;
    std::size_t index = 0;
    if (const Status status = Current(index); status != kOk)
        return status;
    const StoredRecord& record = table_->records[index];
    std::ranges::copy(record.data, buffer);
    if (bookmark)
        std::memcpy(bookmark, &record.id, sizeof record.id);
    return kOk;
}

Status RecordCursor::MoveToBookmark(const std::uint8_t* bookmark) {
    if (!table_)
        return kInvalidState;
    if (!bookmark)
        return kInvalidArgument;
    std::uint32_t id = 0;
    std::memcpy(&id, bookmark, sizeof id);
    const auto& records = table_->records;
    // Callers mostly return to the record the cursor is on; spare them the search.
    if (place_ == Place::OnRecord && index_ < records.size() && records[index_].id == id)
        return Visible(index_) ? kOk : kBookmarkNotFound;
    const auto match = std::ranges::find(records, id, &StoredRecord::id);
    const auto index = static_cast<std::size_t>(match - records.begin());
    if (match == records.end() || !Visible(index))
        return kBookmarkNotFound;
    place_ = Place::OnRecord;
    index_ = index;
    return kOk;
}

Status RecordCursor::InitRecord(std::uint8_t* buffer) {
    if (!table_)
        return kInvalidState;
    if (!buffer)
        return kInvalidArgument;
    std::ranges::copy(table_->defaultRecord, buffer);
    return kOk;
}

Status RecordCursor::GetField(const std::uint8_t* buffer, std::uint32_t field, void* value,
                              std::uint8_t* blank) {
    if (const Status status = CheckField(buffer, field); status != kOk)
        return status;
    if (!blank)
        return kInvalidArgument;
    return table_->layout.Export(buffer, field - 1, value, blank);
}

Status RecordCursor::PutField(std::uint8_t* buffer, std::uint32_t field, const void* value) {
    if (const Status status = CheckField(buffer, field); status != kOk)
        return status;
    return table_->layout.Import(buffer, field - 1, value);
}

Status RecordCursor::InsertRecord(const std::uint8_t* buffer) {
    if (!table_)
        return kInvalidState;
    if (!buffer)
        return kInvalidArgument;
    if (const Status status = table_->layout.CheckRecord(buffer); status != kOk)
        return status;
    if (table_->nextId == 0)
        return kInvalidState;
    auto& records = table_->records;
    const std::size_t at = place_ == Place::Bof        ? 0
                           : place_ == Place::OnRecord ? index_
                                                       : records.size();
    return Guarded([&] {
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(at),
                       {table_->nextId, {buffer, buffer + table_->layout.Size()}});
        ++table_->nextId;
        place_ = Place::OnRecord;
        index_ = at;
        return kOk;
    });
}

Status RecordCursor::ModifyRecord(const std::uint8_t* buffer) {
    if (!table_)
        return kInvalidState;
    if (!buffer)
        return kInvalidArgument;
    std::size_t index = 0;
    if (const Status status = Current(index); status != kOk)
        return status;
    if (const Status status = table_->layout.CheckRecord(buffer); status != kOk)
        return status;
    auto& data = table_->records[index].data;
    std::copy(buffer, buffer + data.size(), data.begin());
    return kOk;
}

Status RecordCursor::DeleteRecord() {
    if (!table_)
        return kInvalidState;
    std::size_t index = 0;
    if (const Status status = Current(index); status != kOk)
        return status;
    table_->records.erase(table_->records.begin() + static_cast<std::ptrdiff_t>(index));
    if (!SeekForward(index) && !SeekBackward(index))
        place_ = Place::Bof;
    return kOk;
}

Status RecordCursor::AddFilter(const std::uint8_t* expression, std::uint32_t length,
                               std::uint32_t* handle) {
    if (!table_)
        return kInvalidState;
    if ((!expression && length > 0) || !handle)
        return kInvalidArgument;
    if (nextHandle_ == 0)
        return kInvalidState;
    return Guarded([&] {
        Expression decoded;
        if (const Status status =
                ExpressionDecoder::DecodeCondition(table_->layout, expression, length, decoded);
            status != kOk)
            return status;
        filters_.push_back({nextHandle_, std::move(decoded)});
        *handle = nextHandle_++;
        return kOk;
    });
}

Status RecordCursor::DropFilter(std::uint32_t handle) {
    if (!table_)
        return kInvalidState;
    const auto removed =
        std::erase_if(filters_, [&](const Filter& filter) { return filter.handle == handle; });
    return removed == 0 ? kInvalidArgument : kOk;
}

Status RecordCursor::ReadBlock(std::uint32_t* position, RecordBlock* block) {
    if (!table_)
        return kInvalidState;
    const auto& records = table_->records;
    if (!position || !block || *position > records.size())
        return kInvalidArgument;
    if (const Status status = BlockWriter::Check(table_->layout, *block); status != kOk)
        return status;
    BlockWriter writer(table_->layout, *block);
    std::array<std::size_t, BlockWriter::kBatch> batch{};
    std::size_t at = NextVisible(*position);
    while (at < records.size() && writer.Room() > 0) {
        const std::size_t most = std::min<std::size_t>(batch.size(), writer.Room());
        std::size_t size = 0;
        for (; size < most && at < records.size(); at = NextVisible(at + 1))
            batch[size++] = at;
        if (const std::size_t written = writer.Append(records, {batch.data(), size});
            written < size) {
            at = batch[written];
            break;
        }
    }
    if (block->count == 0 && at < records.size())
        return kBufferTooSmall;
    *position = static_cast<std::uint32_t>(at);
    block->end = at == records.size() ? 1 : 0;
    return kOk;
}

bool RecordCursor::Visible(std::size_t index) const {
    const std::uint8_t* data = table_->records[index].data.data();
    return std::ranges::none_of(filters_, [&](const Filter& filter) {
        return filter.expression.Evaluate(table_->layout, data) == Truth::False;
    });
}

std::size_t RecordCursor::NextVisible(std::size_t from) const {
    const std::size_t count = table_->records.size();
    // Unfiltered, as in the walks over every record, each record is its own answer.
    if (filters_.empty())
        return from;
    while (from < count && !Visible(from))
        ++from;
    return from;
}

bool RecordCursor::SeekForward(std::size_t from) {
    const std::size_t found = NextVisible(from);
    if (found == table_->records.size())
        return false;
    place_ = Place::OnRecord;
    index_ = found;
    return true;
}

bool RecordCursor::SeekBackward(std::size_t end) {
    for (std::size_t i = end; i-- > 0;) {
        if (Visible(i)) {
            place_ = Place::OnRecord;
            index_ = i;
            return true;
        }
    }
    return false;
}

Status RecordCursor::Current(std::size_t& index) const {
    if (place_ != Place::OnRecord || !Visible(index_))
        return kNoCurrentRecord;
    index = index_;
    return kOk;
}

Status RecordCursor::CheckField(const std::uint8_t* buffer, std::uint32_t field) const {
    if (!table_)
        return kInvalidState;
    if (!buffer)
        return kInvalidArgument;
    return field == 0 || field > table_->layout.FieldCount() ? kFieldOutOfRange : kOk;
}

} // namespace trevalo::engine
