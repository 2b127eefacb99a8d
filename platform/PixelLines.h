/// \file
/// Lines and frames of whole pixels. A pen line drawn at a fractional or doubled scale lands
/// half a pixel off the pixels it names; these fill rectangles instead, so at any density a
/// line covers exactly the device pixels of its logical pixels.
#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>

namespace trevalo {

/// A horizontal or vertical line from \p from to \p to, both ends included.
void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color);

/// The ring of \p rect's outermost pixels.
void DrawPixelFrame(QPainter& painter, const QRect& rect, const QColor& color);

} // namespace trevalo
