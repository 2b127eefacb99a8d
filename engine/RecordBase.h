/// \file
/// Opens a packet and answers questions about its columns and attributes.
#pragma once

#include "EngineContract.h"
#include "EngineObject.h"
#include "RecordTable.h"

#include <cstdint>
#include <memory>

namespace trevalo::engine {

/// Opened once; every question before that answers kInvalidState.
class RecordBase : public EngineObject<IRecordBase> {
public:
    /// kInvalidPacket for any flaw in \p packet, its column defaults included.
    Status Open(const std::uint8_t* packet, std::uint32_t length) override;
    Status GetColumnCount(std::uint32_t* count) override;
    Status GetColumn(std::uint32_t index, ColumnDesc* column) override;
    Status GetAttribute(std::int32_t column, const char* name, std::uint8_t* found, AttrType* type,
                        std::uint8_t* value, std::uint32_t* length) override;

    /// Null until Open succeeded.
    const std::shared_ptr<RecordTable>& Table() const { return table_; }

private:
    std::shared_ptr<RecordTable> table_;
};

} // namespace trevalo::engine
