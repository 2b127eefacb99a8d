// The check box under real mouse and key events: what toggles it, what only shows it pressed,
// and OnClick once per change with the new state already drawn.
#include "CheckBoxFixture.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <memory>
#include <ostream>
#include <vector>

namespace trevalo {
namespace {

/// Notes the state each paint of the box shows.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(TStyledCheckBox& box)
        : box_(box) {
        box.installEventFilter(this);
    }
    TStyledCheckBox::TCheckBoxState painted = TStyledCheckBox::cbUnchecked;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = box_.State();
        return false;
    }

private:
    TStyledCheckBox& box_;
};

/// What OnClick saw: the state read inside it and the state last painted before it.
struct Click {
    TStyledCheckBox::TCheckBoxState state;
    TStyledCheckBox::TCheckBoxState painted;
    friend bool operator==(const Click&, const Click&) = default;
    friend void PrintTo(const Click& click, std::ostream* out) {
        *out << "{state " << click.state << ", painted " << click.painted << "}";
    }
};

class CheckBoxInput : public CheckBoxFixture {
protected:
    void SetUp() override {
        CheckBoxFixture::SetUp();
        watch_ = std::make_unique<PaintWatch>(*box_);
        box_->OnClick = [this](QObject* sender) {
            EXPECT_EQ(sender, box_);
            clicks_.push_back({box_->State(), watch_->painted});
        };
    }

    /// The clicks that each show \p states in turn, each drawn before it fired.
    static std::vector<Click> ClicksShowing(std::vector<TStyledCheckBox::TCheckBoxState> states) {
        std::vector<Click> clicks;
        for (const auto state : states)
            clicks.push_back({state, state});
        return clicks;
    }

    QColor Interior() const { return BoxPixel(*box_, 3, 3); }

    std::unique_ptr<PaintWatch> watch_;
    std::vector<Click> clicks_;
};

class CheckBoxClickTest : public CheckBoxInput, public ::testing::WithParamInterface<QPoint> {};

TEST_P(CheckBoxClickTest, ClickAnywhereOnTheControlToggles) {
    QTest::mouseClick(box_, Qt::LeftButton, {}, GetParam());
    EXPECT_TRUE(box_->isChecked());
    EXPECT_EQ(clicks_, ClicksShowing({TStyledCheckBox::cbChecked}));
    EXPECT_EQ(Interior(), kWindow) << "no pressed look after the release";
}

// The box, the caption, the corners of the control far from both.
INSTANTIATE_TEST_SUITE_P(Points, CheckBoxClickTest,
                         ::testing::Values(QPoint(6, 8), QPoint(50, 8), QPoint(0, 0),
                                           QPoint(96, 16)));

struct TrackCase {
    const char* name;
    QPoint release;
    bool toggles;
};

class CheckBoxTrackTest : public CheckBoxInput, public ::testing::WithParamInterface<TrackCase> {};

TEST_P(CheckBoxTrackTest, PressedLookFollowsThePointerAndReleaseDecides) {
    const QPoint inside(6, 8);
    const QPoint outside(150, 8);
    QTest::mousePress(box_, Qt::LeftButton, {}, inside);
    EXPECT_EQ(Interior(), kPressed);
    QTest::mouseMove(box_, outside);
    EXPECT_EQ(Interior(), kWindow) << "out of the control";
    QTest::mouseMove(box_, inside);
    EXPECT_EQ(Interior(), kPressed) << "back in";
    QTest::mouseMove(box_, GetParam().release);
    QTest::mouseRelease(box_, Qt::LeftButton, {}, GetParam().release);
    EXPECT_EQ(box_->isChecked(), GetParam().toggles);
    EXPECT_EQ(clicks_.size(), GetParam().toggles ? 1u : 0u);
    EXPECT_EQ(Interior(), kWindow);
}

INSTANTIATE_TEST_SUITE_P(Releases, CheckBoxTrackTest,
                         ::testing::Values(TrackCase{"OnTheCaption", {50, 8}, true},
                                           TrackCase{"OnTheLastPixel", {96, 16}, true},
                                           TrackCase{"RightOfTheControl", {97, 8}, false},
                                           TrackCase{"BelowTheControl", {50, 17}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeyStep {
    QEvent::Type type;
    Qt::Key key;
};

struct KeysCase {
    const char* name;
    std::vector<KeyStep> steps;
    std::vector<TStyledCheckBox::TCheckBoxState> clicks;
};

class CheckBoxKeysTest : public CheckBoxInput, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(CheckBoxKeysTest, SpaceTogglesOnReleaseUnlessEscCameBetween) {
    box_->setFocus();
    ASSERT_TRUE(box_->hasFocus());
    for (const KeyStep& step : GetParam().steps) {
        if (step.type == QEvent::KeyPress)
            QTest::keyPress(box_, step.key);
        else
            QTest::keyRelease(box_, step.key);
    }
    EXPECT_EQ(clicks_, ClicksShowing(GetParam().clicks));
    EXPECT_EQ(Interior(), kWindow);
}

constexpr QEvent::Type kDown = QEvent::KeyPress;
constexpr QEvent::Type kUp = QEvent::KeyRelease;

INSTANTIATE_TEST_SUITE_P(
    Sequences, CheckBoxKeysTest,
    ::testing::Values(
        KeysCase{
            "Space", {{kDown, Qt::Key_Space}, {kUp, Qt::Key_Space}}, {TStyledCheckBox::cbChecked}},
        KeysCase{"SpaceEscSpace",
                 {{kDown, Qt::Key_Space}, {kDown, Qt::Key_Escape}, {kUp, Qt::Key_Space}},
                 {}},
        KeysCase{"SpaceTwice",
                 {{kDown, Qt::Key_Space},
                  {kUp, Qt::Key_Space},
                  {kDown, Qt::Key_Space},
                  {kUp, Qt::Key_Space}},
                 {TStyledCheckBox::cbChecked, TStyledCheckBox::cbUnchecked}},
        KeysCase{"Enter", {{kDown, Qt::Key_Return}, {kUp, Qt::Key_Return}}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

using CheckBoxInputTest = CheckBoxInput;

TEST_F(CheckBoxInputTest, SpaceShowsPressedUntilEsc) {
    box_->setFocus();
    QTest::keyPress(box_, Qt::Key_Space);
    EXPECT_EQ(Interior(), kPressed);
    QTest::keyPress(box_, Qt::Key_Escape);
    EXPECT_EQ(Interior(), kWindow);
}

TEST_F(CheckBoxInputTest, HeldSpaceTogglesOnceOnTheLastRelease) {
    box_->setFocus();
    QTest::keyPress(box_, Qt::Key_Space);
    // Key repeat as the platform delivers it: a release and a press, both marked as repeats.
    for (int repeat = 0; repeat < 3; ++repeat) {
        for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
            QApplication::sendEvent(box_, &event);
        }
    }
    EXPECT_EQ(Interior(), kPressed);
    QTest::keyRelease(box_, Qt::Key_Space);
    EXPECT_EQ(clicks_, ClicksShowing({TStyledCheckBox::cbChecked}));
}

TEST_F(CheckBoxInputTest, LosingTheFocusEndsThePressedLook) {
    box_->setFocus();
    QTest::keyPress(box_, Qt::Key_Space);
    other_->setFocus();
    EXPECT_EQ(Interior(), kWindow);
}

TEST_F(CheckBoxInputTest, RightClickChangesNothing) {
    other_->setFocus();
    QTest::mousePress(box_, Qt::RightButton, {}, {6, 8});
    EXPECT_EQ(Interior(), kWindow) << "no pressed look";
    QTest::mouseRelease(box_, Qt::RightButton, {}, {6, 8});
    EXPECT_FALSE(box_->isChecked());
    EXPECT_TRUE(clicks_.empty());
    EXPECT_TRUE(other_->hasFocus());
}

TEST_F(CheckBoxInputTest, LeftPressTakesTheFocus) {
    other_->setFocus();
    QTest::mousePress(box_, Qt::LeftButton, {}, {50, 8});
    EXPECT_TRUE(box_->hasFocus());
    QTest::mouseRelease(box_, Qt::LeftButton, {}, {50, 8});
}

TEST_F(CheckBoxInputTest, DoubleClickTogglesTwice) {
    // Through the window, as the platform delivers it: press, release, press, release.
    QTest::mouseDClick(window_.windowHandle(), Qt::LeftButton, {},
                       box_->mapTo(&window_, QPoint(6, 8)));
    EXPECT_FALSE(box_->isChecked());
    EXPECT_EQ(clicks_, ClicksShowing({TStyledCheckBox::cbChecked, TStyledCheckBox::cbUnchecked}));
}

TEST_F(CheckBoxInputTest, AllowGrayedCyclesThroughGrayed) {
    box_->setProperty("AllowGrayed", true);
    for (int click = 0; click < 3; ++click)
        QTest::mouseClick(box_, Qt::LeftButton, {}, {6, 8});
    EXPECT_EQ(clicks_, ClicksShowing({TStyledCheckBox::cbGrayed, TStyledCheckBox::cbChecked,
                                      TStyledCheckBox::cbUnchecked}));
}

struct CodeCase {
    const char* name;
    TStyledCheckBox::TCheckBoxState from;
    const char* property;
    QVariant value;
    std::vector<TStyledCheckBox::TCheckBoxState> clicks;
};

class CheckBoxCodeTest : public CheckBoxInput, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(CheckBoxCodeTest, SettingFromCodeFiresOncePerChange) {
    box_->SetState(GetParam().from);
    clicks_.clear();
    box_->setProperty(GetParam().property, GetParam().value);
    EXPECT_EQ(clicks_, ClicksShowing(GetParam().clicks));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CheckBoxCodeTest,
    ::testing::Values(
        CodeCase{"CheckedToSame", TStyledCheckBox::cbChecked, "Checked", true, {}},
        CodeCase{"UncheckedToSame", TStyledCheckBox::cbUnchecked, "Checked", false, {}},
        CodeCase{
            "Check", TStyledCheckBox::cbUnchecked, "Checked", true, {TStyledCheckBox::cbChecked}},
        CodeCase{"Uncheck",
                 TStyledCheckBox::cbChecked,
                 "Checked",
                 false,
                 {TStyledCheckBox::cbUnchecked}},
        CodeCase{"GrayedUnchecks",
                 TStyledCheckBox::cbGrayed,
                 "Checked",
                 false,
                 {TStyledCheckBox::cbUnchecked}},
        CodeCase{"StateToSame", TStyledCheckBox::cbGrayed, "State", QStringLiteral("cbGrayed"), {}},
        CodeCase{"StateToGrayed",
                 TStyledCheckBox::cbChecked,
                 "State",
                 QStringLiteral("cbGrayed"),
                 {TStyledCheckBox::cbGrayed}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace trevalo
