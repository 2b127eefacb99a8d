#include "components/grid/model/Utf8Order.h"

#include <algorithm>

namespace trevalo {

namespace {

/// Byte order is code point order. UTF-16 differs in one place: U+10000 and up (lead bytes
/// F0-F4) become surrogates D800-DFFF and sort below U+E000-U+FFFF (lead bytes EE and EF).
/// Lifting those two lead bytes above F4 mends that; nothing else can tell.
unsigned Weight(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value == 0xEE || value == 0xEF ? value + 0x10U : value;
}

} // namespace

int CompareUtf8(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    const auto [x, y] = std::mismatch(a.cbegin(), a.cbegin() + common, b.cbegin());
    if (x == a.cbegin() + common)
        return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
    // The bytes before agree, so both are lead bytes or both continuation bytes (never >= EE).
    return Weight(*x) < Weight(*y) ? -1 : 1;
}

} // namespace trevalo
