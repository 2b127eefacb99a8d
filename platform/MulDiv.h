/// \file
/// a * b / c rounded to the nearest integer, halves away from zero, as the layouts' metrics use.
#pragma once

#include <cstdint>

namespace trevalo {

/// Answers -1 when \p c is 0.
constexpr int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = c < 0 ? -std::int64_t{c} : c;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    return static_cast<int>(negative ? -rounded : rounded);
}

} // namespace trevalo
