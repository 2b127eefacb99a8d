/// \file
/// Writes stored records into a caller's RecordBlock, a batch at a time and column by column, so
/// that each field's loop stays tight.
#pragma once

#include "EngineContract.h"
#include "RecordLayout.h"
#include "RecordTable.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace trevalo::engine {

/// Trusts the block only after Check: every write lands inside the arrays it names.
class BlockWriter {
public:
    static constexpr std::size_t kBatch = 64;

    /// kOk when \p block's arrays fit the fields they ask for (see IRecordCursor::ReadBlock).
    static Status Check(const RecordLayout& layout, const RecordBlock& block);

    /// Empties \p block, which passed Check.
    BlockWriter(const RecordLayout& layout, RecordBlock& block);

    /// Records the block has room for.
    std::uint32_t Room() const { return block_.capacity - block_.count; }
    /// Appends records[batch[0]], records[batch[1]], ... (at most kBatch and Room()) up to the
    /// first whose strings would not fit; answers how many it appended.
    std::size_t Append(const std::vector<StoredRecord>& records,
                       std::span<const std::size_t> batch);

private:
    using Rows = const std::uint8_t* const*;

    /// How many of the first \p count \p rows have room for their strings; their string
    /// lengths are written.
    std::size_t Fit(Rows rows, std::size_t count);
    void Write(BlockColumn& column, Rows rows, std::size_t count);

    const RecordLayout& layout_;
    RecordBlock& block_;
};

} // namespace trevalo::engine
