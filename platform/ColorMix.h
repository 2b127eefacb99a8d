/// \file
/// Mixing two colours, the one blend that every painted control uses.
#pragma once

#include <QColor>

namespace trevalo {

/// \p first weighted by \p weight / 255 (0 to 255) against \p second, channel by channel, each
/// rounded to the nearest value, halves to even.
QColor MixColors(const QColor& first, const QColor& second, int weight);

} // namespace trevalo
