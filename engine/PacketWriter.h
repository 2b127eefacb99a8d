/// \file
/// Builds a data packet from columns, attributes and rows.
#pragma once

#include "EngineContract.h"
#include "EngineObject.h"
#include "PacketFormat.h"

#include <cstdint>
#include <vector>

namespace trevalo::engine {

/// Every call but BeginPacket answers kInvalidState before BeginPacket. Columns come in
/// order, exactly as many as announced; attributes may name any announced column; rows and
/// the packet itself wait for the last column. GetPacket checks every "DEFAULT_VALUE".
class PacketWriter : public EngineObject<IPacketWriter> {
public:
    Status BeginPacket(std::uint32_t columnCount) override;
    Status AddColumn(const ColumnDesc& column) override;
    Status AddAttribute(std::int32_t column, const char* name, AttrType type,
                        const std::uint8_t* value, std::uint32_t length) override;
    Status AddRow(const std::uint8_t* values, std::uint32_t length) override;
    Status GetPacket(const std::uint8_t** data, std::uint32_t* length) override;

private:
    bool AllColumnsAdded() const { return begun_ && content_.layout.FieldCount() == columnCount_; }

    bool begun_ = false;
    std::uint32_t columnCount_ = 0;
    PacketContent content_;
    std::vector<std::uint8_t> packet_; ///< what GetPacket handed out last
};

} // namespace trevalo::engine
