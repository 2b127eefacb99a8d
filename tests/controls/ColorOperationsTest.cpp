// The colour operations against worked values, including the halves that round to even and the
// hue read on a scale of 239.
#include "components/controls/ColorOperations.h"

#include "platform/ColorMix.h"

#include <functional>
#include <gtest/gtest.h>

namespace trevalo {
namespace {

const QColor kHotTrack(255, 199, 60);
const QColor kWhite(255, 255, 255);

struct HueSatLumCase {
    const char* name;
    QColor color;
    HueSatLum expected;
};

class ToHueSatLumTest : public ::testing::TestWithParam<HueSatLumCase> {};

TEST_P(ToHueSatLumTest, GivesTheRoundedScaledValues) {
    const HueSatLum actual = ToHueSatLum(GetParam().color);
    const HueSatLum& expected = GetParam().expected;
    EXPECT_EQ(actual.H, expected.H);
    EXPECT_EQ(actual.S, expected.S);
    EXPECT_EQ(actual.L, expected.L);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, ToHueSatLumTest,
    ::testing::Values(HueSatLumCase{"HotTrackColor", kHotTrack, {29, 240, 148}},
                      HueSatLumCase{"White", kWhite, {0, 0, 240}},
                      HueSatLumCase{"Black", QColor(0, 0, 0), {0, 0, 0}},
                      // Hue 2.5 and 12.5 exactly: halves go to the even neighbour.
                      HueSatLumCase{"HueHalfToTwo", QColor(255, 30, 15), {2, 240, 127}},
                      HueSatLumCase{"HueHalfToTwelve", QColor(255, 90, 15), {12, 240, 127}},
                      // Blue above red: the negative hue wraps round to the top of the scale.
                      HueSatLumCase{"NegativeHueWraps", QColor(255, 0, 1), {240, 240, 120}},
                      HueSatLumCase{"DarkGreen", QColor(0, 128, 0), {80, 240, 60}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ColorCase {
    const char* name;
    std::function<QColor()> operation;
    QColor expected;
};

class ColorOperationTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorOperationTest, GivesTheWorkedColor) {
    EXPECT_EQ(GetParam().operation().name(), GetParam().expected.name());
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, ColorOperationTest,
    ::testing::Values(
        ColorCase{"HotLightFromLightness", [] { return FromHueSatLum(29, 240, 178); },
                  QColor(0xFF, 0xDB, 0x7B)},
        ColorCase{"HotDarkFromLightness", [] { return FromHueSatLum(29, 240, 118); },
                  QColor(0xFB, 0xB7, 0x00)},
        ColorCase{"PressedFromLightness", [] { return FromHueSatLum(0, 0, 220); },
                  QColor(0xEA, 0xEA, 0xEA)},
        ColorCase{"HotLight", [] { return RaiseLightness(kHotTrack, 30); },
                  QColor(0xFF, 0xDB, 0x7B)},
        ColorCase{"HotDark", [] { return LowerLightness(kHotTrack, 30); },
                  QColor(0xFB, 0xB7, 0x00)},
        ColorCase{"Pressed", [] { return LowerLightness(kWhite, 20); }, QColor(0xEA, 0xEA, 0xEA)},
        // 8 / 240 × 255 = 8.5 and 40 / 240 × 255 = 42.5 exactly.
        ColorCase{"ChannelHalfDown", [] { return FromHueSatLum(0, 0, 8); }, QColor(8, 8, 8)},
        ColorCase{"ChannelHalfEven", [] { return FromHueSatLum(0, 0, 40); }, QColor(42, 42, 42)},
        // Hue 160 of 239 is just past blue; of 240 it would be pure blue.
        ColorCase{"HueOn239", [] { return FromHueSatLum(160, 240, 120); }, QColor(4, 0, 255)},
        // Hue 240 of 239 gives a sixth sector, which falls back to the first.
        ColorCase{"HueBeyondTheScale", [] { return FromHueSatLum(240, 240, 120); },
                  QColor(255, 6, 0)},
        ColorCase{"ZeroLightnessIsBlack", [] { return FromHueSatLum(100, 240, 0); },
                  QColor(0, 0, 0)},
        ColorCase{"RaisedPastWhiteSaturates", [] { return RaiseLightness(kWhite, 30); }, kWhite},
        ColorCase{"LoweredPastBlackStops", [] { return LowerLightness(QColor(20, 20, 20), 30); },
                  QColor(0, 0, 0)},
        ColorCase{"Complement", [] { return ComplementHue(kHotTrack, 180); },
                  QColor(128, 161, 255)},
        ColorCase{"ComplementOfUpperHue", [] { return ComplementHue(QColor(0, 0, 255), 120); },
                  QColor(254, 255, 0)},
        ColorCase{"MixHalf",
                  [] { return MixColors(QColor(0x1C, 0x51, 0x80), QColor(0xD4, 0xD0, 0xC8), 128); },
                  QColor(120, 144, 164)},
        ColorCase{"MixAllFirst",
                  [] { return MixColors(QColor(0x1C, 0x51, 0x80), QColor(0xD4, 0xD0, 0xC8), 255); },
                  QColor(0x1C, 0x51, 0x80)},
        ColorCase{"MixAllSecond",
                  [] { return MixColors(QColor(0x1C, 0x51, 0x80), QColor(0xD4, 0xD0, 0xC8), 0); },
                  QColor(0xD4, 0xD0, 0xC8)}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace trevalo
