// The check box's pixels: the three box patterns in every look, the marker passes, the box's
// place, the caption's area and the dotted focus mark.
#include "CheckBoxFixture.h"
#include "platform/ColorValue.h"

#include <QMap>
#include <array>
#include <string_view>

namespace trevalo {
namespace {

using Pattern = std::array<std::string_view, 13>;

// Roles: F frame, L light band, D dark band, I interior, K mark.
constexpr Pattern kUnchecked = {"FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLIIIIIIIDDF",
                                "FLLIIIIIIIDDF", "FLLIIIIIIIDDF", "FLLIIIIIIIDDF", "FLLIIIIIIIDDF",
                                "FLLIIIIIIIDDF", "FLLIIIIIIIDDF", "FLLDDDDDDDDDF", "FLDDDDDDDDDDF",
                                "FFFFFFFFFFFFF"};
constexpr Pattern kChecked = {"FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLIIIIIIKDDF",
                              "FLLIIIIIKKDDF", "FLLKIIIKKKDDF", "FLLKKIKKKIDDF", "FLLKKKKKIIDDF",
                              "FLLIKKKIIIDDF", "FLLIIKIIIIDDF", "FLLDDDDDDDDDF", "FLDDDDDDDDDDF",
                              "FFFFFFFFFFFFF"};
constexpr Pattern kGrayed = {"FFFFFFFFFFFFF", "FLLLLLLLLLLLF", "FLLLLLLLLLLDF", "FLLKKKKKKKDDF",
                             "FLLKKKKKKKDDF", "FLLKKKKKKKDDF", "FLLKKKKKKKDDF", "FLLKKKKKKKDDF",
                             "FLLKKKKKKKDDF", "FLLKKKKKKKDDF", "FLLDDDDDDDDDF", "FLDDDDDDDDDDF",
                             "FFFFFFFFFFFFF"};

using RoleColors = QMap<char, QColor>;

/// Every pixel of the box at \p origin in \p shown that differs from \p pattern in \p colors.
QStringList Mismatches(const QImage& shown, QPoint origin, const Pattern& pattern,
                       const RoleColors& colors) {
    QStringList wrong;
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 13; ++x) {
            const QColor expected = colors.value(pattern[y][x]);
            const QColor actual = shown.pixelColor(origin + QPoint(x, y));
            if (actual.rgb() != expected.rgb())
                wrong << QStringLiteral("(%1,%2) %3 not %4 %5")
                             .arg(x)
                             .arg(y)
                             .arg(actual.name(), QChar::fromLatin1(pattern[y][x]), expected.name());
        }
    }
    return wrong;
}

const Pattern& PatternOf(TStyledCheckBox::TCheckBoxState state) {
    switch (state) {
    case TStyledCheckBox::cbChecked:
        return kChecked;
    case TStyledCheckBox::cbGrayed:
        return kGrayed;
    default:
        return kUnchecked;
    }
}

QColor Face() {
    return ResolveColor(SystemColor::BtnFace);
}

enum class Look { Normal, PointerOver, Pressed };

struct LookCase {
    const char* name;
    TStyledCheckBox::TCheckBoxState state;
    Look look;
    RoleColors colors;
};

const RoleColors kNormal{
    {'F', kFrame}, {'L', kWindow}, {'D', kWindow}, {'I', kWindow}, {'K', kMark}};
const RoleColors kHot{
    {'F', kFrame}, {'L', kHotLight}, {'D', kHotDark}, {'I', kWindow}, {'K', kMark}};
const RoleColors kHeld{
    {'F', kFrame}, {'L', kPressed}, {'D', kPressed}, {'I', kPressed}, {'K', kMark}};

class CheckBoxLookTest : public CheckBoxFixture, public ::testing::WithParamInterface<LookCase> {};

TEST_P(CheckBoxLookTest, BoxMatchesThePatternPixelByPixel) {
    const LookCase& param = GetParam();
    box_->SetState(param.state);
    const QPoint inside(50, 8);
    if (param.look != Look::Normal)
        QTest::mouseMove(box_, inside);
    if (param.look == Look::Pressed)
        QTest::mousePress(box_, Qt::LeftButton, {}, inside);
    const QImage shown = Shown(*box_);
    if (param.look == Look::Pressed)
        QTest::mouseRelease(box_, Qt::LeftButton, {}, QPoint(300, 8));
    EXPECT_EQ(Mismatches(shown, {0, 2}, PatternOf(param.state), param.colors), QStringList());
    for (const QPoint outside : {QPoint(0, 0), QPoint(12, 1), QPoint(0, 15), QPoint(15, 8)})
        EXPECT_EQ(shown.pixelColor(outside), Face()) << outside.x() << "," << outside.y();
}

INSTANTIATE_TEST_SUITE_P(
    StatesAndLooks, CheckBoxLookTest,
    ::testing::Values(
        LookCase{"Unchecked", TStyledCheckBox::cbUnchecked, Look::Normal, kNormal},
        LookCase{"Checked", TStyledCheckBox::cbChecked, Look::Normal, kNormal},
        LookCase{"Grayed", TStyledCheckBox::cbGrayed, Look::Normal, kNormal},
        LookCase{"UncheckedPointerOver", TStyledCheckBox::cbUnchecked, Look::PointerOver, kHot},
        LookCase{"CheckedPointerOver", TStyledCheckBox::cbChecked, Look::PointerOver, kHot},
        LookCase{"GrayedPointerOver", TStyledCheckBox::cbGrayed, Look::PointerOver, kHot},
        // Held down with the pointer over it: pressed wins over the amber ring.
        LookCase{"UncheckedPressed", TStyledCheckBox::cbUnchecked, Look::Pressed, kHeld},
        LookCase{"CheckedPressed", TStyledCheckBox::cbChecked, Look::Pressed, kHeld},
        LookCase{"GrayedPressed", TStyledCheckBox::cbGrayed, Look::Pressed, kHeld}),
    [](const auto& info) { return std::string(info.param.name); });

using CheckBoxPaintTest = CheckBoxFixture;

TEST_F(CheckBoxPaintTest, RingGoesWhenThePointerLeaves) {
    QTest::mouseMove(box_, {50, 8});
    ASSERT_EQ(BoxPixel(*box_, 1, 1), kHotLight);
    QTest::mouseMove(other_, {50, 8});
    EXPECT_EQ(BoxPixel(*box_, 1, 1), kWindow);
    EXPECT_EQ(BoxPixel(*other_, 1, 1), kHotLight);
}

TEST_F(CheckBoxPaintTest, NoRingWithoutHotTrack) {
    box_->SetHotTrack(false);
    QTest::mouseMove(box_, {50, 8});
    EXPECT_EQ(Mismatches(Shown(*box_), {0, 2}, kUnchecked, kNormal), QStringList());
}

TEST_F(CheckBoxPaintTest, ComplementRingsInTheOppositeHue) {
    box_->setProperty("HotTrackColorType", QStringLiteral("hcComplement"));
    QTest::mouseMove(box_, {50, 8});
    // #FFC73C has hue 29: the opposite hue at lightness 180, and that 30 darker.
    RoleColors colors = kHot;
    colors['L'] = QColor(128, 161, 255);
    colors['D'] = QColor(64, 109, 255);
    EXPECT_EQ(Mismatches(Shown(*box_), {0, 2}, kUnchecked, colors), QStringList());
}

TEST_F(CheckBoxPaintTest, DisabledBoxShowsNoStateColours) {
    box_->SetState(TStyledCheckBox::cbChecked);
    box_->setEnabled(false);
    const QColor disabled = ResolveColor(SystemColor::BtnFace);
    const RoleColors colors{{'F', kFrame},
                            {'L', disabled},
                            {'D', disabled},
                            {'I', disabled},
                            {'K', ResolveColor(SystemColor::BtnShadow)}};
    EXPECT_EQ(Mismatches(Shown(*box_), {0, 2}, kChecked, colors), QStringList());
}

TEST_F(CheckBoxPaintTest, BackgroundFollowsTheParentUntilSetHere) {
    window_.setProperty("Color", 0x0000FF);
    EXPECT_EQ(Shown(*box_).pixelColor(15, 8), QColor(255, 0, 0));
    box_->setProperty("Color", 0x00FF00);
    window_.setProperty("Color", 0xFF0000);
    EXPECT_EQ(Shown(*box_).pixelColor(15, 8), QColor(0, 255, 0));
}

struct MarkerCase {
    const char* name;
    const char* property;
    int value;
    char role;
    QColor shown;
};

class CheckBoxMarkerTest : public CheckBoxFixture,
                           public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(CheckBoxMarkerTest, RoleColourEqualToAMarkerIsReplaced) {
    const MarkerCase& param = GetParam();
    box_->SetState(TStyledCheckBox::cbChecked);
    box_->setProperty(param.property, param.value);
    RoleColors colors = kNormal;
    colors[param.role] = param.shown;
    EXPECT_EQ(Mismatches(Shown(*box_), {0, 2}, kChecked, colors), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Markers, CheckBoxMarkerTest,
    ::testing::Values(
        // clOlive shows the background, clLime the window colour.
        MarkerCase{"FrameOlive", "FrameColor", 0x008080, 'F', QColor(0xD4, 0xD0, 0xC8)},
        MarkerCase{"FrameLime", "FrameColor", 0x00FF00, 'F', kWindow},
        // clGreen shows the frame colour mixed half and half with the background.
        MarkerCase{"MarkGreen", "HighlightColor", 0x008000, 'K', QColor(120, 144, 164)},
        // A mark colour equal to a marker or to clGray is moved one up, red first.
        MarkerCase{"MarkOlive", "HighlightColor", 0x008080, 'K', QColor(0x81, 0x80, 0x00)},
        MarkerCase{"MarkLime", "HighlightColor", 0x00FF00, 'K', QColor(0x01, 0xFF, 0x00)},
        MarkerCase{"MarkGray", "HighlightColor", 0x808080, 'K', QColor(0x81, 0x80, 0x80)}),
    [](const auto& info) { return std::string(info.param.name); });

struct PlaceCase {
    const char* alignment;
    const char* vertical;
    QPoint box;
};

class CheckBoxPlaceTest : public CheckBoxFixture,
                          public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(CheckBoxPlaceTest, BoxSitsWhereTheAlignmentsPutIt) {
    box_->resize(97, 30);
    box_->setProperty("Caption", QString());
    box_->setProperty("Alignment", QLatin1String(GetParam().alignment));
    box_->setProperty("AlignmentVertical", QLatin1String(GetParam().vertical));
    const QImage shown = Shown(*box_);
    EXPECT_EQ(Mismatches(shown, GetParam().box, kUnchecked, kNormal), QStringList());
    EXPECT_EQ(shown.pixelColor(GetParam().box - QPoint(0, 1)), Face());
}

INSTANTIATE_TEST_SUITE_P(Places, CheckBoxPlaceTest,
                         ::testing::Values(PlaceCase{"taRightJustify", "avTop", {0, 2}},
                                           PlaceCase{"taLeftJustify", "avTop", {84, 2}},
                                           PlaceCase{"taRightJustify", "avCenter", {0, 8}},
                                           PlaceCase{"taLeftJustify", "avBottom", {84, 15}}));

TEST_F(CheckBoxPaintTest, CaptionStaysInsideItsRectangle) {
    const QImage shown = Shown(*box_);
    int inked = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 13; x < shown.width(); ++x) {
            if (shown.pixelColor(x, y) == Face())
                continue;
            ++inked;
            EXPECT_TRUE(x >= 18 && y >= 1 && y < shown.height() - 1) << x << "," << y;
        }
    }
    EXPECT_GT(inked, 0);
}

struct FocusCase {
    const char* name;
    const char* caption;
    int width;
};

class CheckBoxFocusMarkTest : public CheckBoxFixture,
                              public ::testing::WithParamInterface<FocusCase> {};

/// The border pixels of the rectangle from x 17 to \p right over the whole height that break
/// its dotting: every second pixel down both sides from y 1, along both ends from x 18.
QStringList FocusMarkMismatches(const QImage& shown, int right) {
    QStringList wrong;
    const int bottom = shown.height() - 1;
    for (int y = 0; y <= bottom; ++y) {
        for (int x = 17; x < right; ++x) {
            const bool side = x == 17 || x == right - 1;
            const bool end = y == 0 || y == bottom;
            if (!side && !end)
                continue;
            const bool dotted = (side && y % 2 == 1) || (end && x >= 18 && x % 2 == 0);
            if ((shown.pixelColor(x, y) == QColor(0, 0, 0)) != dotted)
                wrong << QStringLiteral("(%1,%2)").arg(x).arg(y);
        }
    }
    return wrong;
}

TEST_P(CheckBoxFocusMarkTest, DotsTheCaptionOfTheFocusedBoxOnly) {
    box_->resize(GetParam().width, 17);
    box_->setProperty("Caption", QString::fromUtf8(GetParam().caption));
    box_->setFocus();
    ASSERT_TRUE(box_->hasFocus());
    const int captionWidth =
        box_->fontMetrics().horizontalAdvance(QString::fromUtf8(GetParam().caption).trimmed());
    const int right = 17 + std::min(GetParam().width - 17, captionWidth + 3);
    EXPECT_EQ(FocusMarkMismatches(Shown(*box_), right), QStringList());
    EXPECT_EQ(Shown(*other_).pixelColor(17, 1), Face()) << "no mark without the focus";
}

INSTANTIATE_TEST_SUITE_P(Captions, CheckBoxFocusMarkTest,
                         ::testing::Values(FocusCase{"Caption", "Show All Entries", 97},
                                           FocusCase{"BlanksNotCounted", "   Keep   ", 97},
                                           FocusCase{"WiderThanTheBox", "Use Passes (SR4) and more",
                                                     60}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckBoxPaintTest, NoFocusMarkWithoutCaption) {
    box_->setProperty("Caption", QString());
    box_->setFocus();
    ASSERT_TRUE(box_->hasFocus());
    const QImage shown = Shown(*box_);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 13; x < shown.width(); ++x)
            ASSERT_EQ(shown.pixelColor(x, y), Face()) << x << "," << y;
    }
}

} // namespace
} // namespace trevalo
