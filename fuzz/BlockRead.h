/// \file
/// The bulk read of a fuzz target's table, held against the record-by-record read.
#pragma once

#include "fuzz/EngineTable.h"

#include <cstddef>
#include <cstdint>

namespace trevalo::fuzz {

/// Reads every visible record of \p table in blocks of \p capacity records (at least 1) and
/// \p textCapacity bytes of text per string field, and ends the run unless the blocks hold what
/// the walk with MoveBy, GetCurrentRecord and GetField reads, ended early only for text that did
/// not fit, and left the cursor where it stood. Leaves the cursor at the end.
void CheckBlockRead(Table& table, std::uint32_t capacity, std::uint32_t textCapacity);

/// CheckBlockRead with a block shape taken from the last bytes of a fuzz input.
void CheckBlockRead(Table& table, const std::uint8_t* data, std::size_t size);

} // namespace trevalo::fuzz
