/// \file
/// UTF-8 checking and code point counting.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace trevalo::engine {

/// The number of code points in \p text, or nothing when it is not well-formed UTF-8
/// (overlong forms, surrogates and values past U+10FFFF included).
std::optional<std::size_t> CountCodePoints(std::string_view text);

} // namespace trevalo::engine
