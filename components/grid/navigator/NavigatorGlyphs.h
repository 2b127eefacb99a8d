/// \file
/// The navigator's standard glyphs: one 12 x 11 picture per button, olive being transparent.
#pragma once

#include "components/grid/view/TNavigatorButtons.h"

#include <QImage>

namespace trevalo {

inline constexpr int kNavigatorGlyphWidth = 12;
inline constexpr int kNavigatorGlyphHeight = 11;

/// The standard glyph of \p button, cut from one strip; its olive pixels are transparent.
QImage NavigatorGlyph(NavigatorButton button);

} // namespace trevalo
