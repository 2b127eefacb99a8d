/// \file
/// Colour values as the layouts store them: an explicit colour 0x00BBGGRR, or a system colour
/// 0xFF000000 plus the classic colour index of a role, resolved through the palette when painting.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace trevalo {

using ColorValue = std::int32_t;

namespace SystemColor {
inline constexpr ColorValue Base = static_cast<ColorValue>(0xFF000000);
inline constexpr ColorValue Window = Base + 5;
inline constexpr ColorValue WindowText = Base + 8;
inline constexpr ColorValue Highlight = Base + 13;
inline constexpr ColorValue HighlightText = Base + 14;
inline constexpr ColorValue BtnFace = Base + 15;
inline constexpr ColorValue BtnShadow = Base + 16;
inline constexpr ColorValue GrayText = Base + 17;
inline constexpr ColorValue BtnText = Base + 18;
inline constexpr ColorValue BtnHighlight = Base + 20;
inline constexpr ColorValue DkShadow3D = Base + 21;
inline constexpr ColorValue Light3D = Base + 22;
} // namespace SystemColor

constexpr bool IsSystemColor(ColorValue value) {
    return (static_cast<std::uint32_t>(value) & 0xFF000000u) == 0xFF000000u;
}

constexpr ColorValue ColorFromRgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

/// The colour \p value stands for now, system colours taken from \p palette's active group.
QColor ResolveColor(ColorValue value, const QPalette& palette);

/// The same, from the application's palette.
QColor ResolveColor(ColorValue value);

} // namespace trevalo
