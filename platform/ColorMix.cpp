#include "platform/ColorMix.h"

#include <cmath>

namespace trevalo {

QColor MixColors(const QColor& first, const QColor& second, int weight) {
    // Single precision: the check box's mark colour depends on how its halves round.
    const float x = static_cast<float>(weight) / 255.0f;
    const auto mix = [x](int a, int b) {
        return static_cast<int>(
            std::nearbyint(x * static_cast<float>(a) + (1.0f - x) * static_cast<float>(b)));
    };
    return QColor(mix(first.red(), second.red()), mix(first.green(), second.green()),
                  mix(first.blue(), second.blue()));
}

} // namespace trevalo
