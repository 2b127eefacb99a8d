#include "Utf8.h"

#include <cstdint>

namespace trevalo::engine {

namespace {

/// Length of the sequence that \p lead starts, and the bounds its second byte must lie in
/// to rule out overlong forms, surrogates and values past U+10FFFF.
struct Lead {
    std::size_t length;
    std::uint8_t secondMin;
    std::uint8_t secondMax;
};

std::optional<Lead> ClassifyLead(std::uint8_t lead) {
    if (lead < 0x80)
        return Lead{1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF)
        return Lead{2, 0x80, 0xBF};
    if (lead == 0xE0)
        return Lead{3, 0xA0, 0xBF};
    if (lead == 0xED)
        return Lead{3, 0x80, 0x9F};
    if (lead >= 0xE1 && lead <= 0xEF)
        return Lead{3, 0x80, 0xBF};
    if (lead == 0xF0)
        return Lead{4, 0x90, 0xBF};
    if (lead == 0xF4)
        return Lead{4, 0x80, 0x8F};
    if (lead >= 0xF1 && lead <= 0xF3)
        return Lead{4, 0x80, 0xBF};
    return std::nullopt;
}

} // namespace

std::optional<std::size_t> CountCodePoints(std::string_view text) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = ClassifyLead(static_cast<std::uint8_t>(text[i]));
        if (!lead || text.size() - i < lead->length)
            return std::nullopt;
        for (std::size_t k = 1; k < lead->length; ++k) {
            const auto byte = static_cast<std::uint8_t>(text[i + k]);
            const std::uint8_t min = k == 1 ? lead->secondMin : 0x80;
            const std::uint8_t max = k == 1 ? lead->secondMax : 0xBF;
            if (byte < min || byte > max)
                return std::nullopt;
        }
        i += lead->length;
        ++count;
    }
    return count;
}

} // namespace trevalo::engine
