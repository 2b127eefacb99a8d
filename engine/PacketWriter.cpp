#include "PacketWriter.h"

#include "DefaultRecord.h"

#include <cstring>
#include <limits>

namespace trevalo::engine {

Status PacketWriter::BeginPacket(std::uint32_t columnCount) {
    if (columnCount > RecordLayout::kMaxFields)
        return kInvalidArgument;
    begun_ = true;
    columnCount_ = columnCount;
    content_ = PacketContent{};
    return kOk;
}

Status PacketWriter::AddColumn(const ColumnDesc& column) {
    if (!begun_ || AllColumnsAdded())
        return kInvalidState;
    return Guarded([&] { return content_.layout.AddColumn(column); });
}

Status PacketWriter::AddAttribute(std::int32_t column, const char* name, AttrType type,
                                  const std::uint8_t* value, std::uint32_t length) {
    if (!begun_)
        return kInvalidState;
    if (!name || (!value && length > 0))
        return kInvalidArgument;
    return Guarded([&] {
        Attribute attribute{column, std::string(name, strnlen(name, kMaxAttributeName + 1)), type,
                            std::vector<std::uint8_t>(value, value + length)};
        if (const Status status = CheckAttribute(attribute, columnCount_); status != kOk)
            return status;
        content_.attributes.push_back(std::move(attribute));
        return kOk;
    });
}

Status PacketWriter::AddRow(const std::uint8_t* values, std::uint32_t length) {
    if (!AllColumnsAdded())
        return kInvalidState;
    const std::uint32_t size = content_.layout.Size();
    if (!values || size == 0 || length != size ||
        content_.rowCount == std::numeric_limits<std::uint32_t>::max())
        return kInvalidArgument;
    if (const Status status = content_.layout.CheckRecord(values); status != kOk)
        return status;
    return Guarded([&] {
        content_.rows.insert(content_.rows.end(), values, values + length);
        ++content_.rowCount;
        return kOk;
    });
}

Status PacketWriter::GetPacket(const std::uint8_t** data, std::uint32_t* length) {
    if (!data || !length)
        return kInvalidArgument;
    if (!AllColumnsAdded())
        return kInvalidState;
    return Guarded([&] {
        std::vector<std::uint8_t> defaults;
        if (const Status status =
                BuildDefaultRecord(content_.layout, content_.attributes, defaults);
            status != kOk)
            return status;
        std::vector<std::uint8_t> packet = EncodePacket(content_);
        if (packet.size() > std::numeric_limits<std::uint32_t>::max())
            return kInvalidArgument;
        packet_ = std::move(packet);
        *data = packet_.data();
        *length = static_cast<std::uint32_t>(packet_.size());
        return kOk;
    });
}

} // namespace trevalo::engine
