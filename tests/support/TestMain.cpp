// Every test binary runs inside the real application object, with one fixed palette so that
// pixels come out the same on every machine.
#include "platform/TApplication.h"

#include <QPalette>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    trevalo::TApplication app(argc, argv);
    QPalette palette = app.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    palette.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
    palette.setColor(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    QApplication::setPalette(palette);
    return RUN_ALL_TESTS();
}
