/// \file
/// Reading an integer field's value from text: the one rule for the grid's editor, its filter
/// dialog and the working view.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace trevalo {

/// Reads \p text as an integer field's value: empty text is null (std::nullopt); otherwise
/// leading spaces, an optional "+" or "-", then decimal digits, or hexadecimal digits behind "$",
/// "x", "X", "0x" or "0X"; nothing may follow. The value must fit a 32-bit signed integer.
/// Unsigned hexadecimal denotes a 32-bit pattern ("$FFFFFFFF" is -1, "$100000000" fails);
/// behind "-" it is a magnitude ("-$10" is -16, "-$80000000" the least value, "-$80000001" fails).
/// Throws EDatabaseError "'<text>' is not a valid integer value for field '<fieldName>'" otherwise.
std::optional<std::int32_t> ParseIntegerText(const QString& text, const QString& fieldName);

} // namespace trevalo
