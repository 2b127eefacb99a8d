/// \file
/// The data packet: what it holds, and its encoding in bytes.
///
/// The encoding, little-endian except inside the rows:
///
///   header, 22 bytes
///     signature        4  "TRVP"
///     version          2  1
///     column count     4
///     attribute count  4
///     row count        4
///     packet length    4  of the whole packet, header included
///   per column
///     name length 1, name (1 to 31 bytes, no terminator), type 2, width 4,
///     read-only 1, required 1, hidden 1
///   per attribute
///     column 4 (-1 for the packet), name length 1, name (1 to 255 bytes), type 2,
///     value length 4, value
///   rows: row count record buffers (see RecordLayout), back to back
#pragma once

#include "EngineContract.h"
#include "RecordLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace trevalo::engine {

inline constexpr std::size_t kMaxAttributeName = 255;

struct Attribute {
    std::int32_t column = kPacketAttribute; ///< 0-based column, or the packet itself
    std::string name;
    AttrType type = AttrType::Boolean;
    std::vector<std::uint8_t> value;
};

/// Everything a packet carries.
struct PacketContent {
    RecordLayout layout;
    std::vector<Attribute> attributes;
    std::vector<std::uint8_t> rows; ///< record buffers back to back
    std::uint32_t rowCount = 0;
};

/// kFieldOutOfRange for a column outside \p columnCount; kInvalidArgument for a name that is
/// empty, longer than 255 bytes or not UTF-8, an unknown type, or a value of the wrong size
/// (a boolean is one byte 0 or 1, an integer four bytes, an expression at least one byte).
Status CheckAttribute(const Attribute& attribute, std::uint32_t columnCount);

/// The layout's record size must not be zero when there are rows.
std::vector<std::uint8_t> EncodePacket(const PacketContent& content);

/// kInvalidPacket for anything but a complete, well-formed packet of exactly \p length bytes.
Status DecodePacket(const std::uint8_t* bytes, std::uint32_t length, PacketContent& content);

} // namespace trevalo::engine
