// The check box, separator and panel on a dense screen against their 1× pictures: patterns in
// blocks of whole device pixels, the caption drawn at the device resolution.
#include "components/controls/TGradientSeparator.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledPanel.h"
#include "tests/support/DenseScreen.h"

#include <QSet>
#include <QTest>
#include <memory>

namespace trevalo {
namespace {

constexpr QRect kBox(0, 2, TStyledCheckBox::kBoxSize, TStyledCheckBox::kBoxSize);
// Where the caption of a box at (0, 0) may put ink.
constexpr QRect kCaption(17, 1, 79, 15);

/// A window on the screen of \p ratio holding one control of type T at \p place.
template <class T> struct OnScreen {
    OnScreen(qreal ratio, const QRect& place) {
        PutOnScreen(window, ratio);
        control = new T(&window);
        control->setGeometry(place);
        window.resize(place.right() + 8, place.bottom() + 8);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QImage Shown() const { return control->grab().toImage(); }

    QWidget window;
    T* control = nullptr;
};

std::unique_ptr<OnScreen<TStyledCheckBox>> MakeBox(qreal ratio,
                                                   TStyledCheckBox::TCheckBoxState state) {
    auto made = std::make_unique<OnScreen<TStyledCheckBox>>(ratio, QRect(0, 0, 97, 17));
    TStyledCheckBox& box = *made->control;
    box.setProperty("Caption", QStringLiteral("Show All Entries"));
    box.setProperty("FrameColor", 8409372);
    box.setProperty("HighlightColor", 2203937);
    box.SetAllowGrayed(true);
    box.SetState(state);
    return made;
}

/// The device pixels of \p area in \p image that differ from its top-left pixel (the
/// background), in device coordinates.
QSet<QPoint> Ink(const QImage& image, const QRect& area) {
    const int factor = qRound(image.devicePixelRatio());
    const QRect device(area.topLeft() * factor, area.size() * factor);
    QSet<QPoint> ink;
    for (int y = device.top(); y <= device.bottom(); ++y) {
        for (int x = device.left(); x <= device.right(); ++x) {
            if (image.pixel(x, y) != image.pixel(0, 0))
                ink.insert(QPoint(x, y));
        }
    }
    return ink;
}

QSet<QRgb> Colours(const QImage& image, const QRect& device) {
    QSet<QRgb> colours;
    for (int y = device.top(); y <= device.bottom(); ++y) {
        for (int x = device.left(); x <= device.right(); ++x)
            colours.insert(image.pixel(x, y));
    }
    return colours;
}

class CheckBoxDensity : public ::testing::TestWithParam<TStyledCheckBox::TCheckBoxState> {};

TEST_P(CheckBoxDensity, TheBoxDoublesInBlocksAndTheCaptionIsDrawnAtTheDeviceResolution) {
    const QImage normal = MakeBox(1, GetParam())->Shown();
    const QImage dense = MakeBox(2, GetParam())->Shown();
    ASSERT_EQ(dense.size(), normal.size() * 2);

    EXPECT_EQ(PixelsNotInBlocks(normal, dense, kBox), 0);

    const QSet<QPoint> sharp = Ink(dense, kCaption);
    QImage stretched =
        normal.scaled(normal.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    stretched.setDevicePixelRatio(2);
    ASSERT_FALSE(sharp.isEmpty());
    EXPECT_NE(sharp, Ink(stretched, kCaption)) << "the caption is the 1x picture stretched";
}

TEST_P(CheckBoxDensity, AtOneAndAHalfTheBoxBlendsNoColours) {
    const QImage normal = MakeBox(1, GetParam())->Shown();
    const QImage between = MakeBox(1.5, GetParam())->Shown();
    ASSERT_EQ(between.size(), normal.size() * 1.5);

    // The box's device pixels that lie wholly inside it.
    const QRect device(0, 3, 19, 19);
    const QSet<QRgb> pattern = Colours(normal, kBox);
    for (const QRgb colour : Colours(between, device))
        EXPECT_TRUE(pattern.contains(colour)) << QColor(colour).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(States, CheckBoxDensity,
                         ::testing::Values(TStyledCheckBox::cbUnchecked, TStyledCheckBox::cbChecked,
                                           TStyledCheckBox::cbGrayed));

TEST(ControlDensity, SeparatorAndPanelShowTheir1xPictureInBlocks) {
    const QRect place(0, 0, 120, 12);
    const QImage separator = OnScreen<TGradientSeparator>(1, place).Shown();
    EXPECT_EQ(PixelsNotInBlocks(separator, OnScreen<TGradientSeparator>(2, place).Shown(),
                                separator.rect()),
              0);
    const QImage panel = OnScreen<TStyledPanel>(1, place).Shown();
    EXPECT_EQ(PixelsNotInBlocks(panel, OnScreen<TStyledPanel>(2, place).Shown(), panel.rect()), 0);
}

} // namespace
} // namespace trevalo
