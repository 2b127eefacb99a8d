#include "platform/PixelLines.h"

#include <algorithm>

namespace trevalo {

void DrawPixelLine(QPainter& painter, QPoint from, QPoint to, const QColor& color) {
    const QPoint topLeft(std::min(from.x(), to.x()), std::min(from.y(), to.y()));
    const QPoint bottomRight(std::max(from.x(), to.x()), std::max(from.y(), to.y()));
    painter.fillRect(QRect(topLeft, bottomRight), color);
}

void DrawPixelFrame(QPainter& painter, const QRect& rect, const QColor& color) {
    DrawPixelLine(painter, rect.topLeft(), rect.topRight(), color);
    DrawPixelLine(painter, rect.topLeft(), rect.bottomLeft(), color);
    DrawPixelLine(painter, rect.topRight(), rect.bottomRight(), color);
    DrawPixelLine(painter, rect.bottomLeft(), rect.bottomRight(), color);
}

} // namespace trevalo
