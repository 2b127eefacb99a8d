/// \file
/// The English text of each status.
#pragma once

#include "EngineContract.h"

#include <cstdint>

namespace trevalo::engine {

/// Writes the text for \p status into \p text, cut to \p size bytes with its terminator;
/// kInvalidArgument when there is no room for even the terminator.
Status WriteErrorText(Status status, char* text, std::uint32_t size);

} // namespace trevalo::engine
