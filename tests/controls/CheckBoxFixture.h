/// \file
/// Two check boxes with the tracker's look in a shown, active window, and their colours.
#pragma once

#include "components/controls/TStyledCheckBox.h"
#include "tests/support/QStringPrint.h"

#include <QCursor>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QColor& color, std::ostream* out) {
    *out << color.name().toStdString();
}

namespace trevalo {

inline const QColor kFrame(0x1C, 0x51, 0x80);
inline const QColor kMark(0x21, 0xA1, 0x21);
inline const QColor kHotLight(0xFF, 0xDB, 0x7B);
inline const QColor kHotDark(0xFB, 0xB7, 0x00);
inline const QColor kPressed(0xEA, 0xEA, 0xEA);
inline const QColor kWindow(0xFF, 0xFF, 0xFF);

class CheckBoxFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // The pointer stays where an earlier test left it: the window opens away from it.
        QCursor::setPos(0, 0);
        window_.setGeometry(40, 40, 260, 80);
        box_ = MakeBox(4, QStringLiteral("Show All Entries"));
        other_ = MakeBox(40, QStringLiteral("Keep Init / Turn"));
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        // Activation hands the focus to the first box; each test gives it where it needs it.
        window_.setFocus();
        // A widget-level double click elsewhere leaves QTest believing the left button is held,
        // and then moves the pointer no more: let it go, away from both boxes.
        QTest::mouseRelease(window_.windowHandle(), Qt::LeftButton, {}, QPoint(200, 70));
    }

    /// A box at the left of the window, set up by name as the main window's layout does.
    TStyledCheckBox* MakeBox(int top, const QString& caption) {
        auto* box = new TStyledCheckBox(&window_);
        box->setGeometry(8, top, 97, 17);
        box->setProperty("Caption", caption);
        box->setProperty("FrameColor", 8409372);
        box->setProperty("HighlightColor", 2203937);
        box->setProperty("HotTrack", true);
        box->setProperty("HotTrackColor", 3983359);
        box->setProperty("HotTrackColorType", QStringLiteral("hcActual"));
        return box;
    }

    /// What \p box shows now, as a picture of its own size.
    static QImage Shown(TStyledCheckBox& box) { return box.grab().toImage(); }

    /// The colour at (\p x, \p y) of the 13 × 13 box, which sits at (0, 2).
    static QColor BoxPixel(TStyledCheckBox& box, int x, int y) {
        return Shown(box).pixelColor(x, y + 2);
    }

    QWidget window_;
    TStyledCheckBox* box_ = nullptr;
    TStyledCheckBox* other_ = nullptr;
};

} // namespace trevalo
