/// \file
/// A position in a record base that sees only the records passing every installed filter.
#pragma once

#include "EngineContract.h"
#include "EngineObject.h"
#include "Expression.h"
#include "RecordTable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace trevalo::engine {

/// Where the cursor stands:
///
/// | place_   | meaning                     | an insert lands | +1 looks from | -1 looks from |
/// |----------|-----------------------------|-----------------|---------------|---------------|
/// | Bof      | before the first record     | first           | record 0      | (kBof)        |
/// | OnRecord | on records[index_], visible | before index_   | index_ + 1    | index_ - 1    |
/// |          | or hidden by the filters    |                 |               |               |
/// | Eof      | past the last record        | last            | (kEof)        | the last      |
///
/// Only a visible record is current: GetCurrentRecord, ModifyRecord and DeleteRecord answer
/// kNoCurrentRecord anywhere else. Every call before a successful Attach answers kInvalidState.
class RecordCursor : public EngineObject<IRecordCursor> {
public:
    ~RecordCursor() override;

    /// One cursor per base: kInvalidState when the base is unopened or already has one.
    Status Attach(IRecordBase* base) override;
    Status GetBufferSize(std::uint32_t* size) override;
    /// Bookmarks are the record's id, four bytes.
    Status GetBookmarkSize(std::uint32_t* size) override;
    Status GetReadOnly(std::uint8_t* readOnly) override;

    Status MoveToBof() override;
    Status MoveToEof() override;
    Status MoveBy(std::int32_t delta) override;
    Status GetCurrentRecord(std::uint8_t* buffer, std::uint8_t* bookmark) override;
    /// kBookmarkNotFound for a deleted record or one the filters hide.
    Status MoveToBookmark(const std::uint8_t* bookmark) override;

    Status InitRecord(std::uint8_t* buffer) override;
    Status GetField(const std::uint8_t* buffer, std::uint32_t field, void* value,
                    std::uint8_t* blank) override;
    Status PutField(std::uint8_t* buffer, std::uint32_t field, const void* value) override;

    /// Leaves the cursor on the new or replaced record, even when the filters hide it.
    Status InsertRecord(const std::uint8_t* buffer) override;
    Status ModifyRecord(const std::uint8_t* buffer) override;
    /// Leaves the cursor on the next visible record, else the previous one, else at Bof.
    Status DeleteRecord() override;

    /// Filters keep the cursor where it is; the caller moves it.
    Status AddFilter(const std::uint8_t* expression, std::uint32_t length,
                     std::uint32_t* handle) override;
    Status DropFilter(std::uint32_t handle) override;

    /// A position is the index of a stored record, visible or not.
    Status ReadBlock(std::uint32_t* position, RecordBlock* block) override;

private:
    enum class Place { Bof, OnRecord, Eof };

    struct Filter {
        std::uint32_t handle;
        Expression expression;
    };

    bool Visible(std::size_t index) const;
    /// The first visible record at or after \p from, or the record count when there is none.
    std::size_t NextVisible(std::size_t from) const;
    /// Stands on the first visible record at or after \p from; false when there is none.
    bool SeekForward(std::size_t from);
    /// Stands on the last visible record before \p end; false when there is none.
    bool SeekBackward(std::size_t end);
    /// The index of the current record, or why there is none.
    Status Current(std::size_t& index) const;
    Status CheckField(const std::uint8_t* buffer, std::uint32_t field) const;

    std::shared_ptr<RecordTable> table_;
    Place place_ = Place::Bof;
    std::size_t index_ = 0; ///< meaningful while place_ is OnRecord
    std::vector<Filter> filters_;
    std::uint32_t nextHandle_ = 1;
};

} // namespace trevalo::engine
