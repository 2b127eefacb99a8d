/// \file
/// Where a window opens on the desktop: centred on the area of all monitors, or at its
/// designed place brought onto a monitor.
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace trevalo {

/// The top-left corner that centres a window of outer size \p outer on a desktop of size
/// \p desktop, counted from the primary screen's origin; never negative.
QPoint DesktopCenter(QSize desktop, QSize outer);

/// \p window's top-left corner, moved where needed so that the window lies on one of the
/// \p screens' available areas: kept when it already lies wholly on one, else pushed into the
/// first (the primary screen), its top-left corner winning when the window is the larger.
QPoint OnVisibleDesktop(const QRect& window, const QList<QRect>& screens);

/// The size of the rectangle that covers every monitor.
QSize VirtualDesktopSize();

/// The available area of every monitor, the primary screen's first.
QList<QRect> AvailableScreenAreas();

} // namespace trevalo
