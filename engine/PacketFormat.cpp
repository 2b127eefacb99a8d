#include "PacketFormat.h"

#include "ByteReader.h"
#include "ByteWriter.h"
#include "Utf8.h"

#include <cstring>
#include <string_view>

namespace trevalo::engine {

namespace {

constexpr std::string_view kSignature = "TRVP";
constexpr std::uint16_t kVersion = 1;
static_assert(kSignature.size() + sizeof kVersion + 4 * sizeof(std::uint32_t) == kPacketHeaderSize,
              "the header written here is the one the contract promises");

bool ReadColumn(ByteReader& reader, ColumnDesc& column) {
    std::uint8_t nameLength = 0;
    const std::uint8_t* name = nullptr;
    std::uint16_t type = 0;
    if (!reader.ReadU8(nameLength) || nameLength > kMaxColumnName ||
        !reader.ReadBytes(nameLength, name) || !reader.ReadU16(type) ||
        !reader.ReadU32(column.width) || !reader.ReadU8(column.readOnly) ||
        !reader.ReadU8(column.required) || !reader.ReadU8(column.hidden))
        return false;
    if (nameLength > 0)
        std::memcpy(column.name, name, nameLength);
    column.type = static_cast<FieldType>(type);
    return true;
}

bool ReadAttribute(ByteReader& reader, Attribute& attribute) {
    std::uint8_t nameLength = 0;
    const std::uint8_t* name = nullptr;
    std::uint16_t type = 0;
    std::uint32_t valueLength = 0;
    const std::uint8_t* value = nullptr;
    if (!reader.ReadI32(attribute.column) || !reader.ReadU8(nameLength) ||
        !reader.ReadBytes(nameLength, name) || !reader.ReadU16(type) ||
        !reader.ReadU32(valueLength) || !reader.ReadBytes(valueLength, value))
        return false;
    attribute.name.assign(reinterpret_cast<const char*>(name), nameLength);
    attribute.type = static_cast<AttrType>(type);
    attribute.value.assign(value, value + valueLength);
    return true;
}

} // namespace

Status CheckAttribute(const Attribute& attribute, std::uint32_t columnCount) {
    if (attribute.column != kPacketAttribute &&
        (attribute.column < 0 || static_cast<std::uint32_t>(attribute.column) >= columnCount))
        return kFieldOutOfRange;
    const std::string_view name = attribute.name;
    if (name.empty() || name.size() > kMaxAttributeName || !CountCodePoints(name) ||
        name.find('\0') != std::string_view::npos)
        return kInvalidArgument;
    const auto& value = attribute.value;
    switch (attribute.type) {
    case AttrType::Boolean:
        return value.size() == 1 && value[0] <= 1 ? kOk : kInvalidArgument;
    case AttrType::Integer:
        return value.size() == sizeof(std::int32_t) ? kOk : kInvalidArgument;
    case AttrType::Expression:
        return value.empty() ? kInvalidArgument : kOk;
    }
    return kInvalidArgument;
}

std::vector<std::uint8_t> EncodePacket(const PacketContent& content) {
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    out.Text(kSignature);
    out.U16(kVersion);
    out.U32(content.layout.FieldCount());
    out.U32(static_cast<std::uint32_t>(content.attributes.size()));
    out.U32(content.rowCount);
    const std::size_t lengthAt = bytes.size();
    out.U32(0);
    for (std::uint32_t i = 0; i < content.layout.FieldCount(); ++i) {
        const ColumnDesc& column = content.layout.Column(i);
        const std::string_view name(column.name);
        out.U8(static_cast<std::uint8_t>(name.size()));
        out.Text(name);
        out.U16(static_cast<std::uint16_t>(column.type));
        out.U32(column.width);
        out.U8(column.readOnly);
        out.U8(column.required);
        out.U8(column.hidden);
    }
    for (const Attribute& attribute : content.attributes) {
        out.I32(attribute.column);
        out.U8(static_cast<std::uint8_t>(attribute.name.size()));
        out.Text(attribute.name);
        out.U16(static_cast<std::uint16_t>(attribute.type));
        out.U32(static_cast<std::uint32_t>(attribute.value.size()));
        out.Bytes(attribute.value.data(), attribute.value.size());
    }
    out.Bytes(content.rows.data(), content.rows.size());
    const auto length = static_cast<std::uint32_t>(bytes.size());
    for (std::size_t i = 0; i < sizeof length; ++i)
        bytes[lengthAt + i] = static_cast<std::uint8_t>(length >> (8 * i));
    return bytes;
}

Status DecodePacket(const std::uint8_t* bytes, std::uint32_t length, PacketContent& content) {
    ByteReader reader(bytes, length);
    const std::uint8_t* signature = nullptr;
    std::uint16_t version = 0;
    std::uint32_t columnCount = 0;
    std::uint32_t attributeCount = 0;
    std::uint32_t rowCount = 0;
    std::uint32_t packetLength = 0;
    if (!reader.ReadBytes(kSignature.size(), signature) ||
        std::memcmp(signature, kSignature.data(), kSignature.size()) != 0 ||
        !reader.ReadU16(version) || version != kVersion || !reader.ReadU32(columnCount) ||
        !reader.ReadU32(attributeCount) || !reader.ReadU32(rowCount) ||
        !reader.ReadU32(packetLength) || packetLength != length)
        return kInvalidPacket;

    PacketContent decoded;
    for (std::uint32_t i = 0; i < columnCount; ++i) {
        ColumnDesc column{};
        if (!ReadColumn(reader, column) || decoded.layout.AddColumn(column) != kOk)
            return kInvalidPacket;
    }
    for (std::uint32_t i = 0; i < attributeCount; ++i) {
        Attribute attribute;
        if (!ReadAttribute(reader, attribute) || CheckAttribute(attribute, columnCount) != kOk)
            return kInvalidPacket;
        decoded.attributes.push_back(std::move(attribute));
    }
    const std::uint64_t recordSize = decoded.layout.Size();
    if ((rowCount > 0 && recordSize == 0) || reader.Remaining() != rowCount * recordSize)
        return kInvalidPacket;
    const std::uint8_t* rows = nullptr;
    if (!reader.ReadBytes(reader.Remaining(), rows))
        return kInvalidPacket;
    for (std::uint32_t i = 0; i < rowCount; ++i)
        if (decoded.layout.CheckRecord(rows + i * recordSize) != kOk)
            return kInvalidPacket;
    decoded.rows.assign(rows, rows + rowCount * recordSize);
    decoded.rowCount = rowCount;
    content = std::move(decoded);
    return kOk;
}

} // namespace trevalo::engine
