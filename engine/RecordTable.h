/// \file
/// The records of one opened packet, shared by its record base and its cursor.
#pragma once

#include "PacketFormat.h"
#include "RecordLayout.h"

#include <cstdint>
#include <vector>

namespace trevalo::engine {

struct StoredRecord {
    std::uint32_t id; ///< the bookmark: unique within the table, never reused
    std::vector<std::uint8_t> data;
};

/// Outlives whichever of base and cursor is released first.
struct RecordTable {
    RecordLayout layout;
    std::vector<Attribute> attributes;
    std::vector<std::uint8_t> defaultRecord;
    std::vector<StoredRecord> records; ///< in the order they were put in
    std::uint32_t nextId = 1;          ///< 0 once every id has been handed out
    bool readOnly = false;             ///< the packet's "READONLY" attribute
    bool cursorAttached = false;
};

} // namespace trevalo::engine
