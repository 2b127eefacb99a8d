/// \file
/// The check box's three 13 × 13 box patterns, drawn in the colours of their roles.
#pragma once

#include "components/controls/TStyledCheckBox.h"

#include <QColor>
#include <QImage>

namespace trevalo {

/// The colour of each role a box pattern cell can hold.
struct BoxRoleColors {
    QColor Frame;    ///< the outer ring
    QColor Light;    ///< the band along the top and left, 2 pixels deep
    QColor Dark;     ///< the band along the bottom and right, 2 pixels deep
    QColor Interior; ///< inside the bands
    QColor Mark;     ///< the check mark, or the whole interior when grayed
};

/// The 13 × 13 box of \p state in \p colors.
QImage DrawBoxPattern(TStyledCheckBox::TCheckBoxState state, const BoxRoleColors& colors);

/// Turns every pixel of \p image that is \p from into \p to.
void ReplaceColor(QImage& image, const QColor& from, const QColor& to);

} // namespace trevalo
