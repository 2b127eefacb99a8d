/// \file
/// A field or constant value as expressions see it, and how two of them compare.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

namespace trevalo::engine {

/// Blank (monostate), integer, float, boolean or UTF-8 text; text is borrowed, never owned.
using Value = std::variant<std::monostate, std::int32_t, double, bool, std::string_view>;

/// -1, 0 or 1; nothing when either side is blank or the two cannot be compared. Integers and
/// floats compare numerically, text by code point, False before True.
std::optional<int> Compare(const Value& left, const Value& right);

} // namespace trevalo::engine
