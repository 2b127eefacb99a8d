#include "components/forms/FormPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace trevalo {

QPoint DesktopCenter(QSize desktop, QSize outer) {
    return {std::max((desktop.width() - outer.width()) / 2, 0),
            std::max((desktop.height() - outer.height()) / 2, 0)};
}

QPoint OnVisibleDesktop(const QRect& window, const QList<QRect>& screens) {
    if (screens.isEmpty() ||
        std::any_of(screens.cbegin(), screens.cend(),
                    [&window](const QRect& screen) { return screen.contains(window); }))
        return window.topLeft();
    const QRect& primary = screens.front();
    return {
        std::max(std::min(window.left(), primary.right() + 1 - window.width()), primary.left()),
        std::max(std::min(window.top(), primary.bottom() + 1 - window.height()), primary.top())};
}

QSize VirtualDesktopSize() {
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens())
        desktop |= screen->geometry();
    return desktop.size();
}

QList<QRect> AvailableScreenAreas() {
    QList<QRect> areas;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}

} // namespace trevalo
