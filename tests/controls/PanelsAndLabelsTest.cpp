// The panel's frame, the spacer, the separator's gradient and the auto-sizing label, checked on
// the pixels they paint and the places the docking gives them.
#include "components/controls/TGradientSeparator.h"
#include "components/controls/TSpacer.h"
#include "components/controls/TStyledLabel.h"
#include "components/controls/TStyledPanel.h"
#include "components/forms/TDockLayout.h"
#include "platform/Exception.h"

#include <QImage>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <vector>

namespace trevalo {
namespace {

QString Hex(QRgb colour) {
    return QColor(colour).name(QColor::HexRgb).toUpper();
}

void Dock(QWidget& widget, TAlign align) {
    qobject_cast<TDockLayout*>(widget.parentWidget()->layout())->SetAlign(&widget, align);
}

// --- Separator -------------------------------------------------------------------------------

struct GradientCase {
    const char* name;
    int width;
    QColor highlight;
    QColor face;
    std::vector<const char*> columns; // left to right
};

void PrintTo(const GradientCase& test, std::ostream* out) {
    *out << test.name;
}

class SeparatorGradient : public testing::TestWithParam<GradientCase> {};

TEST_P(SeparatorGradient, EveryRowShowsTheColumnsOfTheGradient) {
    const GradientCase& test = GetParam();
    TGradientSeparator separator;
    QPalette palette = separator.palette();
    palette.setColor(QPalette::Highlight, test.highlight);
    palette.setColor(QPalette::Button, test.face);
    separator.setPalette(palette);
    separator.resize(test.width, 21); // more than two bands, the last one cut short

    const QImage image = separator.grab().toImage();
    ASSERT_EQ(image.width(), test.width);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < test.width; ++x)
            ASSERT_EQ(Hex(image.pixel(x, y)), QString::fromLatin1(test.columns[x]))
                << "column " << x << ", row " << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, SeparatorGradient,
                         testing::Values(GradientCase{"SevenColumnsOfTheWindowColours",
                                                      7,
                                                      QColor(0x0A, 0x24, 0x6A),
                                                      QColor(0xD4, 0xD0, 0xC8),
                                                      {"#A1A5B0", "#6F7A99", "#3C4F81", "#0A246A",
                                                       "#4D5D89", "#9096A8", "#D4D0C8"}},
                                         GradientCase{"SevenColumnsWithChannelsRunningBothWays",
                                                      7,
                                                      QColor(0xFF, 0x00, 0x80),
                                                      QColor(0x00, 0xFF, 0x64),
                                                      {"#3FBF6B", "#7F7F72", "#BF3F79", "#FF0080",
                                                       "#AA5576", "#55AA6D", "#00FF64"}},
                                         GradientCase{"OneColumnIsTheHighlight",
                                                      1,
                                                      QColor(0xFF, 0x00, 0x80),
                                                      QColor(0x00, 0xFF, 0x64),
                                                      {"#FF0080"}},
                                         GradientCase{"TwoColumnsHaveNoRightPart",
                                                      2,
                                                      QColor(0xFF, 0x00, 0x80),
                                                      QColor(0x00, 0xFF, 0x64),
                                                      {"#7F7F72", "#FF0080"}}),
                         [](const testing::TestParamInfo<GradientCase>& info) {
                             return info.param.name;
                         });

TEST(Separator, MiddleIsTheHighlightRightEndTheFaceLeftEndShortOfIt) {
    TGradientSeparator separator;
    separator.resize(7, 574);
    const QImage image = separator.grab().toImage();
    const QColor highlight = separator.palette().color(QPalette::Highlight);
    const QColor face = separator.palette().color(QPalette::Button);
    for (int y : {0, 287, 573}) {
        EXPECT_EQ(image.pixelColor(3, y), highlight) << "row " << y;
        EXPECT_EQ(image.pixelColor(6, y), face) << "row " << y;
        EXPECT_NE(image.pixelColor(0, y), face) << "row " << y;
    }
}

// --- Panel and spacer ------------------------------------------------------------------------

class Panel : public testing::Test {
protected:
    Panel() {
        QPalette palette = panel_.palette();
        palette.setColor(QPalette::Midlight, kLight3D);
        palette.setColor(QPalette::Shadow, kDarkShadow3D);
        palette.setColor(QPalette::Light, kButtonHighlight);
        palette.setColor(QPalette::Mid, kButtonShadow);
        palette.setColor(QPalette::Button, kFace);
        panel_.setPalette(palette);
        panel_.resize(kWidth, kHeight);
    }

    static constexpr int kWidth = 40;
    static constexpr int kHeight = 30;
    static inline const QColor kLight3D{0xE0, 0x10, 0x10};
    static inline const QColor kDarkShadow3D{0x10, 0x10, 0x60};
    static inline const QColor kButtonHighlight{0xF0, 0xF0, 0x20};
    static inline const QColor kButtonShadow{0x20, 0x80, 0x20};
    static inline const QColor kFace{0xD4, 0xD0, 0xC8};

    TStyledPanel panel_;
};

struct RingPixel {
    int x;
    int y;
    QColor colour;
    const char* what;
};

TEST_F(Panel, TwoRaisedRingsWhoseRightAndBottomOwnTheCorners) {
    constexpr int r = kWidth - 1;
    constexpr int b = kHeight - 1;
    const std::vector<RingPixel> pixels{
        {0, 0, kLight3D, "outer top-left corner"},
        {20, 0, kLight3D, "outer top"},
        {0, 15, kLight3D, "outer left"},
        {r, 0, kDarkShadow3D, "outer top-right corner"},
        {0, b, kDarkShadow3D, "outer bottom-left corner"},
        {r, b, kDarkShadow3D, "outer bottom-right corner"},
        {r, 15, kDarkShadow3D, "outer right"},
        {20, b, kDarkShadow3D, "outer bottom"},
        {1, 1, kButtonHighlight, "inner top-left corner"},
        {20, 1, kButtonHighlight, "inner top"},
        {1, 15, kButtonHighlight, "inner left"},
        {r - 1, 1, kButtonShadow, "inner top-right corner"},
        {1, b - 1, kButtonShadow, "inner bottom-left corner"},
        {r - 1, b - 1, kButtonShadow, "inner bottom-right corner"},
        {r - 1, 15, kButtonShadow, "inner right"},
        {20, b - 1, kButtonShadow, "inner bottom"},
        {2, 2, kFace, "inside, top-left"},
        {r - 2, b - 2, kFace, "inside, bottom-right"},
        {20, 15, kFace, "middle"},
    };
    const QImage image = panel_.grab().toImage();
    for (const RingPixel& pixel : pixels)
        EXPECT_EQ(image.pixelColor(pixel.x, pixel.y), pixel.colour)
            << pixel.what << " at " << pixel.x << ", " << pixel.y;
}

TEST_F(Panel, ChildrenDockInsideTheRingsAndASpacerShowsThePanel) {
    TSpacer top(&panel_);
    top.resize(top.width(), 8);
    Dock(top, TAlign::alTop);
    TSpacer left(&panel_);
    Dock(left, TAlign::alLeft);
    QWidget rest(&panel_);
    Dock(rest, TAlign::alClient);
    panel_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel_));

    EXPECT_EQ(top.geometry(), QRect(2, 2, kWidth - 4, 8));
    EXPECT_EQ(left.geometry(), QRect(2, 10, 8, kHeight - 12));
    EXPECT_EQ(rest.geometry(), QRect(10, 10, kWidth - 12, kHeight - 12));
    const QImage image = panel_.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), kFace);
    EXPECT_EQ(image.pixelColor(5, 20), kFace);
}

// --- Label -----------------------------------------------------------------------------------

/// The first row of \p image that holds a pixel other than \p background, if any.
std::optional<int> FirstInkRow(const QImage& image, const QColor& background) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != background)
                return y;
        }
    }
    return std::nullopt;
}

/// A strip like the main window's top panel: a spacer, then two labels docked left.
class Label : public testing::Test {
protected:
    Label() {
        strip_.resize(300, 47);
        Dock(spacer_, TAlign::alLeft);
        for (TStyledLabel* label : {&turn_, &pass_}) {
            label->SetLayout(QStringLiteral("tlCenter"));
            Dock(*label, TAlign::alLeft);
        }
        turn_.SetCaption(QStringLiteral("Turn #: 9"));
        pass_.SetCaption(QStringLiteral("Pass #: 1"));
        strip_.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&strip_));
    }

    QColor Face() const { return strip_.palette().color(QPalette::Button); }

    TStyledPanel strip_;
    TSpacer spacer_{&strip_};
    TStyledLabel turn_{&strip_};
    TStyledLabel pass_{&strip_};
};

TEST_F(Label, GrowsByTheAddedDigitKeepingItsLeftEdgeHeightAndTextPosition) {
    const QRect before = turn_.geometry();
    const std::optional<int> inkBefore = FirstInkRow(turn_.grab().toImage(), Face());

    turn_.SetCaption(QStringLiteral("Turn #: 10"));

    const QRect after = turn_.geometry();
    EXPECT_EQ(after.left(), before.left());
    EXPECT_EQ(after.left(), 10);
    EXPECT_EQ(after.width() - before.width(),
              turn_.fontMetrics().horizontalAdvance(QLatin1Char('1')));
    EXPECT_EQ(after.width(), turn_.fontMetrics().horizontalAdvance(turn_.Caption()));
    EXPECT_EQ(after.height(), before.height());
    EXPECT_EQ(after.height(), 43);
    ASSERT_TRUE(inkBefore.has_value());
    EXPECT_EQ(FirstInkRow(turn_.grab().toImage(), Face()), inkBefore);
    EXPECT_EQ(pass_.x(), after.right() + 1) << "the next docked label follows the wider one";
}

TEST_F(Label, CentredCaptionStartsHalfTheSpareHeightDown) {
    TStyledLabel top;
    top.SetCaption(turn_.Caption());
    top.resize(turn_.size());
    const std::optional<int> inkTop = FirstInkRow(top.grab().toImage(), Face());
    const std::optional<int> inkCentred = FirstInkRow(turn_.grab().toImage(), Face());
    ASSERT_TRUE(inkTop && inkCentred);
    EXPECT_EQ(*inkCentred - *inkTop, 15);
    EXPECT_EQ(*inkCentred - *inkTop, (turn_.height() - turn_.fontMetrics().height()) / 2);
}

TEST_F(Label, FillsItsWholeAreaWithTheFaceColour) {
    QPalette palette = strip_.palette();
    palette.setColor(QPalette::Button, QColor(0x30, 0x60, 0x90));
    strip_.setPalette(palette);
    const QImage image = turn_.grab().toImage();
    for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
                          QPoint(image.width() - 1, image.height() - 1)})
        EXPECT_EQ(image.pixelColor(corner), QColor(0x30, 0x60, 0x90));
}

TEST_F(Label, AHiddenLabelTakesNoRoom) {
    const int passLeft = pass_.x();
    turn_.hide();
    strip_.layout()->activate();
    EXPECT_EQ(pass_.x(), 10);
    turn_.show();
    strip_.layout()->activate();
    EXPECT_EQ(pass_.x(), passLeft);
}

TEST(LabelLayout, AnUnknownLayoutNameIsRefusedByName) {
    TStyledLabel label;
    try {
        label.SetLayout(QStringLiteral("tlMiddle"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Invalid property value: tlMiddle"));
    }
    EXPECT_EQ(label.Layout(), QStringLiteral("tlTop"));
}

} // namespace
} // namespace trevalo
