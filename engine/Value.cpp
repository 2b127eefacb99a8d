#include "Value.h"

#include <algorithm>
#include <cstring>

namespace trevalo::engine {

namespace {

template <class T> int ThreeWay(const T& left, const T& right) {
    return left < right ? -1 : (right < left ? 1 : 0);
}

std::optional<double> AsNumber(const Value& value) {
    if (const auto* integer = std::get_if<std::int32_t>(&value))
        return static_cast<double>(*integer);
    if (const auto* real = std::get_if<double>(&value))
        return *real;
    return std::nullopt;
}

// UTF-8 orders by code point when compared as unsigned bytes.
int CompareText(std::string_view left, std::string_view right) {
    const std::size_t common = std::min(left.size(), right.size());
    const int prefix = common == 0 ? 0 : std::memcmp(left.data(), right.data(), common);
    if (prefix != 0)
        return prefix < 0 ? -1 : 1;
    return ThreeWay(left.size(), right.size());
}

} // namespace

std::optional<int> Compare(const Value& left, const Value& right) {
    if (const auto* l = std::get_if<std::int32_t>(&left))
        if (const auto* r = std::get_if<std::int32_t>(&right))
            return ThreeWay(*l, *r);
    const auto leftNumber = AsNumber(left);
    const auto rightNumber = AsNumber(right);
    if (leftNumber && rightNumber)
        return ThreeWay(*leftNumber, *rightNumber);
    if (const auto* l = std::get_if<bool>(&left))
        if (const auto* r = std::get_if<bool>(&right))
            return ThreeWay(*l, *r);
    if (const auto* l = std::get_if<std::string_view>(&left))
        if (const auto* r = std::get_if<std::string_view>(&right))
            return CompareText(*l, *r);
    return std::nullopt;
}

} // namespace trevalo::engine
