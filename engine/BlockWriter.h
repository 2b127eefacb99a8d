/// \file
/// Writes stored records into a caller's RecordBlock, column by column.
#pragma once

#include "EngineContract.h"
#include "RecordLayout.h"
#include "RecordTable.h"

#include <cstdint>

namespace trevalo::engine {

/// Trusts the block only after Check: every write lands inside the arrays it names.
class BlockWriter {
public:
    /// kOk when \p block's arrays fit the fields they ask for (see IRecordCursor::ReadBlock).
    static Status Check(const RecordLayout& layout, const RecordBlock& block);

    /// Empties \p block, which passed Check.
    BlockWriter(const RecordLayout& layout, RecordBlock& block);

    bool Full() const { return block_.count == block_.capacity; }
    /// Appends \p record; false, with the count and text lengths as they were, when one of its
    /// strings would not fit.
    bool Append(const StoredRecord& record);

private:
    /// Gives back the text that columns before \p column took for the record being appended.
    void Undo(std::uint32_t column);

    const RecordLayout& layout_;
    RecordBlock& block_;
};

} // namespace trevalo::engine
