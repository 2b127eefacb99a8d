/// \file
/// For the binaries that run on the three screens of DenseScreens.json (device pixel ratios 1,
/// 1.5 and 2): putting a window on one, and comparing a picture with its 1× original.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace trevalo {

/// The screen of device pixel ratio \p ratio.
inline QScreen* ScreenOfRatio(qreal ratio) {
    for (QScreen* screen : QGuiApplication::screens()) {
        if (qFuzzyCompare(screen->devicePixelRatio(), ratio))
            return screen;
    }
    ADD_FAILURE() << "no screen of ratio " << ratio << ": run with DenseScreens.json";
    return QGuiApplication::primaryScreen();
}

/// Moves the top-level \p window to the screen of \p ratio, into its area: the platform
/// gives a window the screen its place lies on.
inline void PutOnScreen(QWidget& window, qreal ratio) {
    QScreen* screen = ScreenOfRatio(ratio);
    window.createWinId();
    window.windowHandle()->setScreen(screen);
    window.move(screen->geometry().topLeft() + QPoint(20, 20));
}

/// How many pixels of \p area in \p normal (a 1× picture) do not show in \p dense as a block
/// of whole device pixels of the same colour, at \p dense's integer ratio.
inline int PixelsNotInBlocks(const QImage& normal, const QImage& dense, const QRect& area) {
    const int factor = qRound(dense.devicePixelRatio());
    int wrong = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb expected = normal.pixel(x, y);
            bool same = true;
            for (int dy = 0; dy < factor; ++dy) {
                for (int dx = 0; dx < factor; ++dx)
                    same = same && dense.pixel(x * factor + dx, y * factor + dy) == expected;
            }
            wrong += same ? 0 : 1;
        }
    }
    return wrong;
}

} // namespace trevalo
