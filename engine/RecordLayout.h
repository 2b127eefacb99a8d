/// \file
/// The record buffer: where each field lives, and checked access to it.
#pragma once

#include "EngineContract.h"
#include "Value.h"

#include <cstdint>
#include <vector>

namespace trevalo::engine {

/// A record buffer holds, per field in column order, one presence byte (0 blank, 1 set) and
/// then the value's slot: an int32 for integers, a double for floats, one byte 0 or 1 for
/// booleans, width*4+1 bytes of zero-terminated UTF-8 for strings. Numbers are in the
/// machine's byte order, as the caller reads them. All-zero bytes are an all-blank record.
class RecordLayout {
public:
    /// Field numbers travel as uint16 in expressions.
    static constexpr std::uint32_t kMaxFields = 65535;

    struct Field {
        ColumnDesc column;
        std::uint32_t offset;    ///< of the presence byte; the slot follows it
        std::uint32_t valueSize; ///< bytes of the slot
    };

    /// Checks \p column (a name of 1 to 31 characters, a known type, a width for strings and
    /// only for them, flags 0 or 1) and appends its field; kInvalidArgument when it is unfit
    /// or the record would grow too large.
    Status AddColumn(const ColumnDesc& column);

    std::uint32_t FieldCount() const { return static_cast<std::uint32_t>(fields_.size()); }
    std::uint32_t Size() const { return size_; }
    const ColumnDesc& Column(std::uint32_t index) const { return fields_[index].column; }
    /// Where field \p index (0-based) lives, for readers that go straight to the bytes.
    const Field& FieldAt(std::uint32_t index) const { return fields_[index]; }

    /// kOk when every field of \p record holds a value its column accepts.
    Status CheckRecord(const std::uint8_t* record) const;
    /// Field \p index (0-based) of a record that passed CheckRecord.
    Value Read(const std::uint8_t* record, std::uint32_t index) const;
    /// Checks \p value against the column (same type, string within the width) and writes it.
    Status Write(std::uint8_t* record, std::uint32_t index, const Value& value) const;

    /// Copies field \p index out in the caller's form: int32, double, uint8 boolean or
    /// zero-terminated UTF-8; \p value may be null when only \p blank is wanted.
    Status Export(const std::uint8_t* record, std::uint32_t index, void* value,
                  std::uint8_t* blank) const;
    /// Writes field \p index from the caller's form; null \p value blanks it.
    Status Import(std::uint8_t* record, std::uint32_t index, const void* value) const;

private:
    Status Extract(const std::uint8_t* record, const Field& field, Value& value) const;
    static Status CheckValue(const Value& value, const ColumnDesc& column);

    std::vector<Field> fields_;
    std::uint32_t size_ = 0;
};

} // namespace trevalo::engine
