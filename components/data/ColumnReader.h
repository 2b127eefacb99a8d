/// \file
/// Reads a cursor's visible records block by block, straight into the arrays of RecordColumns.
#pragma once

#include "EngineContract.h"
#include "components/data/RecordColumns.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trevalo {

/// Asked for its columns in order, then reads once.
class ColumnReader {
public:
    /// Reads into \p reuse's memory; what it held is dropped.
    ColumnReader(std::uint32_t bookmarkSize, RecordColumns reuse);

    /// Field \p field (1-based): an Integer, a Boolean, or a String of \p width characters.
    void AddField(std::uint32_t field, engine::FieldType type, std::uint32_t width);
    /// An Integer column that is blank in every record.
    void AddBlank();

    /// Every visible record from the first on; the first status that is not kOk ends the read.
    engine::Status Read(engine::IRecordCursor& cursor);
    RecordColumns Take() { return std::move(columns_); }

private:
    /// The next column, of \p type and empty.
    ValueColumn& NextColumn(engine::FieldType type);
    /// Where field data of a block goes: after the \p count records read, room for \p room.
    void Point(engine::RecordBlock& block, std::size_t count, std::size_t room);
    /// Cuts every array to the \p count records read and fills the blank columns.
    void Finish(std::size_t count);

    struct Target {
        std::size_t column; ///< in columns_.Columns
        std::size_t widest; ///< UTF-8 bytes of the longest string the field holds
    };

    RecordColumns columns_;
    std::size_t used_ = 0;                    ///< columns of columns_ asked for so far
    std::vector<engine::BlockColumn> fields_; ///< one per field asked for, as the engine reads
    std::vector<Target> targets_;             ///< one per field asked for
    std::vector<std::size_t> blankColumns_;
};

} // namespace trevalo
