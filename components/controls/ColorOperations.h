/// \file
/// Hue, saturation and lightness on a 0 to 240 scale, and the colour shifts built on them.
#pragma once

#include <QColor>
#include <cstdint>

namespace trevalo {

/// A colour as hue, saturation and lightness, each 0 to 240 and kept in 8 bits.
struct HueSatLum {
    std::uint8_t H = 0;
    std::uint8_t S = 0;
    std::uint8_t L = 0;

    friend bool operator==(const HueSatLum&, const HueSatLum&) = default;
};

/// The hue, saturation and lightness of \p color, each rounded half to even.
HueSatLum ToHueSatLum(const QColor& color);

/// The colour of hue \p H, saturation \p S and lightness \p L; the hue is read on a scale of 239,
/// and a lightness above 240 saturates the channels.
QColor FromHueSatLum(int H, int S, int L);

/// \p color with its lightness raised by \p amount, up to 255.
QColor RaiseLightness(const QColor& color, int amount);

/// \p color with its lightness lowered by \p amount, down to 0.
QColor LowerLightness(const QColor& color, int amount);

/// The hue opposite \p color's at full saturation and lightness \p lightness.
QColor ComplementHue(const QColor& color, int lightness);

} // namespace trevalo
