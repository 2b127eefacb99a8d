#include "components/controls/TStyledPanel.h"

#include "components/forms/TDockLayout.h"
#include "platform/ColorValue.h"

#include <QPainter>

namespace trevalo {

namespace {

/// Pixels the two rings of the frame take on every side.
constexpr int FrameWidth = 2;

/// One 1-pixel ring \p inset pixels in from the edges of \p size. The top and left lines go
/// first, so the right and bottom colour owns the top-right and bottom-left corners.
void DrawRing(QPainter& painter, QSize size, int inset, const QColor& topLeft,
              const QColor& bottomRight) {
    const int left = inset;
    const int top = inset;
    const int right = size.width() - 1 - inset;
    const int bottom = size.height() - 1 - inset;
    if (right < left || bottom < top)
        return;
    painter.fillRect(left, top, right - left + 1, 1, topLeft);
    painter.fillRect(left, top, 1, bottom - top + 1, topLeft);
    painter.fillRect(right, top, 1, bottom - top + 1, bottomRight);
    painter.fillRect(left, bottom, right - left + 1, 1, bottomRight);
}

} // namespace

TStyledPanel::TStyledPanel(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto* dock = new TDockLayout(this);
    dock->setContentsMargins(FrameWidth, FrameWidth, FrameWidth, FrameWidth);
}

void TStyledPanel::paintEvent(QPaintEvent*) {
    const QPalette& colours = palette();
    QPainter painter(this);
    painter.fillRect(rect(), ResolveColor(SystemColor::BtnFace, colours));
    DrawRing(painter, size(), 0, ResolveColor(SystemColor::Light3D, colours),
             ResolveColor(SystemColor::DkShadow3D, colours));
    DrawRing(painter, size(), 1, ResolveColor(SystemColor::BtnHighlight, colours),
             ResolveColor(SystemColor::BtnShadow, colours));
}

} // namespace trevalo
