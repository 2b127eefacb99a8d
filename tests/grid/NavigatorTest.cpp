// The navigator bar and its buttons against a fake table view: the buttons' settings, the bar's
// metrics, the enabled states, what it paints and what the mouse does to it.
#include "components/grid/navigator/TGridNavigator.h"
#include "platform/ColorValue.h"
#include "platform/Exception.h"
#include "platform/TApplication.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace trevalo::test {
namespace {

using B = NavigatorButton;

const QString kEditorFailure =
    QStringLiteral("'12a' is not a valid integer value for field 'Init'");

/// A table view as the navigator sees it: answers set by the test, calls written to a log.
class FakeHost final : public INavigatorHost {
public:
    bool mayInsert = true;
    bool mayEdit = true;
    bool mayDelete = false;
    bool editing = false;
    bool atFirst = true;
    bool atLast = true;
    bool bookmark = false;
    bool gridEnabled = true;
    bool focusFails = false;
    std::function<void(NavigatorButton)> onAction;
    std::vector<std::string> log; // "focus", or the standard hint of the button that acted

    bool MayInsert() const override { return mayInsert; }
    bool MayEdit() const override { return mayEdit; }
    bool MayDelete() const override { return mayDelete; }
    bool IsEditing() const override { return editing; }
    bool AtFirstRow() const override { return atFirst; }
    bool AtLastRow() const override { return atLast; }
    bool BookmarkSaved() const override { return bookmark; }
    bool GridEnabled() const override { return gridEnabled; }

    void DoNavigatorAction(NavigatorButton button) override {
        log.push_back(TNavigatorButtons::StandardHint(static_cast<int>(button)).toStdString());
        if (onAction)
            onAction(button);
    }
    void FocusGridForNavigator() override {
        log.push_back("focus");
        if (focusFails)
            throw Exception(kEditorFailure);
    }
};

/// Shows exactly \p shown, as a definition that hides the rest would.
void ShowOnly(TNavigatorButtons& buttons, const std::set<NavigatorButton>& shown) {
    for (int i = 0; i < buttons.Count(); ++i)
        buttons.Button(i)->setProperty("Visible", shown.count(static_cast<B>(i)) > 0);
}

// --- the buttons ---

struct ButtonRow {
    const char* name;
    const char* hint;
};

TEST(NavigatorButtonsTest, EachButtonIsAChildPropertyWithItsDefaultsAndStandardHint) {
    const ButtonRow rows[] = {
        {"First", "First record"},         {"PriorPage", "Prior page"},
        {"Prior", "Prior record"},         {"Next", "Next record"},
        {"NextPage", "Next page"},         {"Last", "Last record"},
        {"Insert", "Insert record"},       {"Delete", "Delete record"},
        {"Edit", "Edit record"},           {"Post", "Post edit"},
        {"Cancel", "Cancel edit"},         {"Refresh", "Refresh data"},
        {"SaveBookmark", "Save Bookmark"}, {"GotoBookmark", "Goto Bookmark"},
        {"Filter", "Filter data"},
    };
    TNavigatorButtons buttons;
    ASSERT_EQ(buttons.Count(), static_cast<int>(std::size(rows)));
    for (int i = 0; i < buttons.Count(); ++i) {
        const ButtonRow& row = rows[i];
        SCOPED_TRACE(row.name);
        auto* button =
            qobject_cast<TNavigatorButton*>(buttons.property(row.name).value<QObject*>());
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button, buttons.Button(i));
        EXPECT_EQ(button->parent(), &buttons);
        EXPECT_EQ(button->objectName(), QLatin1String(row.name));
        EXPECT_EQ(button->Kind(), static_cast<B>(i));
        EXPECT_TRUE(button->Visible());
        EXPECT_FALSE(button->IsVisibleStored());
        EXPECT_TRUE(button->Enabled());
        EXPECT_TRUE(button->Hint().isEmpty());
        EXPECT_EQ(button->ImageIndex(), -1);
        EXPECT_EQ(TNavigatorButtons::StandardHint(i), QLatin1String(row.hint));
    }
    EXPECT_TRUE(buttons.ConfirmDelete());
}

TEST(NavigatorButtonsTest, SettingsWrittenByNameAreKeptAndAnExplicitVisibleIsStored) {
    TNavigatorButtons buttons;
    QObject* insert = buttons.property("Insert").value<QObject*>();
    ASSERT_TRUE(insert->setProperty("Visible", true));
    EXPECT_TRUE(buttons.Insert()->Visible());
    EXPECT_TRUE(buttons.Insert()->IsVisibleStored()) << "an explicit True equal to the default";

    QObject* first = buttons.property("First").value<QObject*>();
    ASSERT_TRUE(first->setProperty("Visible", false));
    ASSERT_TRUE(first->setProperty("Enabled", false));
    ASSERT_TRUE(first->setProperty("Hint", QStringLiteral("Top")));
    ASSERT_TRUE(first->setProperty("ImageIndex", 3));
    EXPECT_FALSE(buttons.First()->Visible());
    EXPECT_TRUE(buttons.First()->IsVisibleStored());
    EXPECT_FALSE(buttons.First()->Enabled());
    EXPECT_EQ(buttons.First()->Hint(), QStringLiteral("Top"));
    EXPECT_EQ(buttons.First()->ImageIndex(), 3);
    EXPECT_FALSE(buttons.Prior()->IsVisibleStored()) << "only the button written";

    ASSERT_TRUE(buttons.setProperty("ConfirmDelete", false));
    EXPECT_FALSE(buttons.ConfirmDelete());
}

// --- the bar's metrics ---

struct LayoutCase {
    const char* name;
    std::vector<std::pair<NavigatorButton, int>> shown; // with the width each must get
    int lineHeight;
    int offset;
    QSize sizeHint;
};

class NavigatorLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(NavigatorLayout, ShownButtonsStandSideBySideInIndexOrder) {
    const LayoutCase& layoutCase = GetParam();
    TNavigatorButtons buttons;
    FakeHost host;
    std::set<NavigatorButton> shown;
    for (const auto& [button, width] : layoutCase.shown)
        shown.insert(button);
    ShowOnly(buttons, shown);
    TGridNavigator navigator(buttons, host);
    navigator.SetLineHeight(layoutCase.lineHeight);
    navigator.SetOffset(layoutCase.offset);

    const int height = layoutCase.sizeHint.height();
    int x = 0;
    for (const auto& [button, width] : layoutCase.shown) {
        SCOPED_TRACE(buttons.Button(button)->objectName().toStdString());
        EXPECT_EQ(navigator.ButtonRect(button), QRect(x, 0, width, height));
        x += width;
    }
    for (int i = 0; i < buttons.Count(); ++i) {
        const auto button = static_cast<B>(i);
        EXPECT_EQ(navigator.ButtonRect(button).isNull(), !shown.count(button)) << i;
    }
    EXPECT_EQ(navigator.ButtonsWidth(), x);
    EXPECT_EQ(navigator.sizeHint(), layoutCase.sizeHint);
}

std::vector<std::pair<NavigatorButton, int>> AllButtons() {
    std::vector<std::pair<NavigatorButton, int>> all;
    for (int i = 0; i < kNavigatorButtonCount; ++i)
        all.emplace_back(static_cast<B>(i), i == 0 || i == kNavigatorButtonCount - 1 ? 16 : 15);
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Metrics, NavigatorLayout,
    testing::Values(
        LayoutCase{
            "InsertPostCancel", {{B::Insert, 16}, {B::Post, 15}, {B::Cancel, 16}}, 0, 50, {97, 16}},
        LayoutCase{"LineTallerThanButtons",
                   {{B::Insert, 16}, {B::Post, 15}, {B::Cancel, 16}},
                   18,
                   50,
                   {97, 18}},
        LayoutCase{"OneButtonHasBothOuterBorders", {{B::Cancel, 17}}, 0, 50, {67, 16}},
        LayoutCase{"NegativeOffsetIsZero", {{B::Insert, 17}}, 0, -5, {17, 16}},
        LayoutCase{"AllFifteen", AllButtons(), 10, 0, {227, 16}},
        LayoutCase{"NoneShown", {}, 0, 50, {50, 16}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

// --- enabled states ---

struct StateCase {
    const char* name;
    std::function<void(FakeHost&)> arrange;
    std::set<NavigatorButton> enabled;
};

class NavigatorStates : public testing::TestWithParam<StateCase> {};

TEST_P(NavigatorStates, FollowTheView) {
    const StateCase& stateCase = GetParam();
    TNavigatorButtons buttons;
    FakeHost host;
    stateCase.arrange(host);
    TGridNavigator navigator(buttons, host);
    navigator.UpdateButtons();
    for (int i = 0; i < buttons.Count(); ++i)
        EXPECT_EQ(navigator.IsButtonEnabled(static_cast<B>(i)),
                  stateCase.enabled.count(static_cast<B>(i)) > 0)
            << buttons.Button(i)->objectName().toStdString();
}

const std::set<NavigatorButton> kAlways{B::Refresh, B::SaveBookmark, B::Filter};

std::set<NavigatorButton> AlwaysAnd(std::set<NavigatorButton> more) {
    more.insert(kAlways.begin(), kAlways.end());
    return more;
}

INSTANTIATE_TEST_SUITE_P(
    Algorithm, NavigatorStates,
    testing::Values(StateCase{"BrowsingOneRow", [](FakeHost&) {}, AlwaysAnd({B::Insert, B::Edit})},
                    StateCase{"InsertingWithAFocusedColumn", [](FakeHost& h) { h.editing = true; },
                              AlwaysAnd({B::Insert, B::Post, B::Cancel})},
                    StateCase{"InsertingWithoutAFocusedColumn",
                              [](FakeHost& h) {
                                  h.editing = true;
                                  h.mayEdit = false;
                              },
                              AlwaysAnd({B::Insert})},
                    StateCase{"MiddleRowWithBookmark",
                              [](FakeHost& h) {
                                  h.atFirst = h.atLast = false;
                                  h.mayDelete = h.bookmark = true;
                              },
                              AlwaysAnd({B::First, B::PriorPage, B::Prior, B::Next, B::NextPage,
                                         B::Last, B::Insert, B::Delete, B::Edit, B::GotoBookmark})},
                    StateCase{"LastRow",
                              [](FakeHost& h) {
                                  h.atFirst = false;
                                  h.mayInsert = h.mayEdit = false;
                              },
                              AlwaysAnd({B::First, B::PriorPage, B::Prior})},
                    StateCase{"GridDisabled",
                              [](FakeHost& h) {
                                  h.gridEnabled = false;
                                  h.editing = h.mayDelete = h.bookmark = true;
                                  h.atFirst = h.atLast = false;
                              },
                              {}}),
    [](const testing::TestParamInfo<StateCase>& info) { return info.param.name; });

// --- the bar on screen ---

constexpr QRgb kNavy = qRgb(0, 0, 128);
constexpr QRgb kGreen = qRgb(0, 128, 0);
constexpr QRgb kMaroon = qRgb(128, 0, 0);

/// The bounds of the pixels of \p color inside \p area, and their number.
struct ColorSpot {
    QRect bounds;
    int count = 0;
};

ColorSpot FindColor(const QImage& image, QRgb color, const QRect& area) {
    ColorSpot spot;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color) {
                spot.bounds |= QRect(x, y, 1, 1);
                ++spot.count;
            }
    return spot;
}

QPoint CentreOf(const TGridNavigator& navigator, NavigatorButton button) {
    return navigator.ButtonRect(button).center();
}

QPoint PointInOffset(const TGridNavigator& navigator) {
    return QPoint(navigator.ButtonsWidth() + 10, 5);
}

/// A window holding the bar beside an edit field, the bar set up as both grids set it up.
class NavigatorBar : public testing::Test {
protected:
    NavigatorBar() {
        ShowOnly(buttons, {B::Insert, B::Post, B::Cancel});
        navigator->setGeometry(QRect(QPoint(0, 30), navigator->sizeHint()));
        edit->setGeometry(0, 0, 100, 20);
        window.resize(200, 60);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
    }

    QImage Picture() const {
        return navigator->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QPoint Centre(NavigatorButton button) const { return CentreOf(*navigator, button); }
    QPoint InOffset() const { return PointInOffset(*navigator); }
    QRgb Face() const { return ResolveColor(SystemColor::BtnFace, navigator->palette()).rgb(); }

    void StartEditing() {
        host.editing = true;
        navigator->UpdateButtons();
    }

    TNavigatorButtons buttons;
    FakeHost host;
    QWidget window;
    QLineEdit* edit = new QLineEdit(&window);
    TGridNavigator* navigator = new TGridNavigator(buttons, host, &window);
};

TEST_F(NavigatorBar, ShowsTheThreeGlyphsInTheirButtonsAndAnEmptyOffset) {
    StartEditing();
    const QImage picture = Picture();
    const struct {
        NavigatorButton button;
        QRgb color;
    } glyphs[] = {{B::Insert, kNavy}, {B::Post, kGreen}, {B::Cancel, kMaroon}};
    for (const auto& glyph : glyphs) {
        const QRect rect = navigator->ButtonRect(glyph.button);
        SCOPED_TRACE(buttons.Button(glyph.button)->objectName().toStdString());
        EXPECT_GT(FindColor(picture, glyph.color, rect).count, 0);
        EXPECT_EQ(FindColor(picture, glyph.color, picture.rect()).count,
                  FindColor(picture, glyph.color, rect).count)
            << "the colour appears outside its button";
    }

    const QRect insert = navigator->ButtonRect(B::Insert);
    const ColorSpot plus = FindColor(picture, kNavy, insert);
    EXPECT_EQ(plus.bounds.size(), QSize(8, 8));
    EXPECT_EQ(plus.count, 2 * 2 * 8 - 2 * 2) << "two crossing arms 2 px thick";
    EXPECT_EQ(plus.bounds.left() - insert.left(), insert.right() - plus.bounds.right())
        << "centred across the button";

    const QRect offset(navigator->ButtonsWidth(), 0, navigator->width() - navigator->ButtonsWidth(),
                       navigator->height());
    ASSERT_EQ(offset.width(), 50);
    EXPECT_EQ(FindColor(picture, Face(), offset).count, offset.width() * offset.height());
}

TEST_F(NavigatorBar, DisabledButtonsShowTheirGlyphGreyedAndEnabledOnesInColour) {
    const QImage browsing = Picture();
    for (const auto& [button, color] :
         {std::pair{B::Post, kGreen}, std::pair{B::Cancel, kMaroon}}) {
        const QRect rect = navigator->ButtonRect(button);
        EXPECT_EQ(FindColor(browsing, color, rect).count, 0);
        EXPECT_LT(FindColor(browsing, Face(), rect).count, rect.width() * rect.height())
            << "the disabled glyph is still drawn";
    }

    StartEditing();
    EXPECT_GT(FindColor(Picture(), kGreen, navigator->ButtonRect(B::Post)).count, 0);
}

TEST_F(NavigatorBar, ButtonOwnEnabledSwitchesTheButtonAtOnce) {
    ASSERT_TRUE(navigator->IsButtonEnabled(B::Insert));
    buttons.Insert()->setProperty("Enabled", false);
    EXPECT_FALSE(navigator->IsButtonEnabled(B::Insert));
    EXPECT_EQ(FindColor(Picture(), kNavy, navigator->ButtonRect(B::Insert)).count, 0);
    buttons.Insert()->setProperty("Enabled", true);
    EXPECT_TRUE(navigator->IsButtonEnabled(B::Insert));
}

TEST_F(NavigatorBar, ShowingAButtonLaysTheBarOutAgain) {
    const QRect post = navigator->ButtonRect(B::Post);
    buttons.Delete()->setProperty("Visible", true);
    EXPECT_EQ(navigator->ButtonRect(B::Post), post.translated(15, 0));
    EXPECT_EQ(navigator->sizeHint().width(), 15 + 47 + 50);
}

TEST_F(NavigatorBar, AClickFocusesTheGridThenActsAndRecomputesTheStates) {
    host.onAction = [this](NavigatorButton) { host.editing = true; };
    QTest::mouseClick(navigator, Qt::LeftButton, {}, Centre(B::Insert));
    EXPECT_EQ(host.log, (std::vector<std::string>{"focus", "Insert record"}));
    EXPECT_TRUE(navigator->IsButtonEnabled(B::Post)) << "without a call from the view";
    EXPECT_EQ(window.focusWidget(), edit) << "the bar itself never takes the focus";
}

struct GestureCase {
    const char* name;
    std::function<void(TGridNavigator&, FakeHost&)> gesture;
};

class NavigatorGestures : public NavigatorBar, public testing::WithParamInterface<GestureCase> {};

TEST_P(NavigatorGestures, FocusTheGridButDoNotAct) {
    GetParam().gesture(*navigator, host);
    EXPECT_EQ(host.log, std::vector<std::string>{"focus"});
}

/// A press on Insert, the pointer dragged to \p to and released there.
void DragFromInsert(TGridNavigator& navigator, QPoint to) {
    QTest::mousePress(&navigator, Qt::LeftButton, {}, CentreOf(navigator, B::Insert));
    QTest::mouseMove(&navigator, to);
    QTest::mouseRelease(&navigator, Qt::LeftButton, {}, to);
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, NavigatorGestures,
    testing::Values(GestureCase{"ClickOnDisabledPost",
                                [](TGridNavigator& n, FakeHost&) {
                                    QTest::mouseClick(&n, Qt::LeftButton, {}, CentreOf(n, B::Post));
                                }},
                    GestureCase{"RightClickOnInsert",
                                [](TGridNavigator& n, FakeHost&) {
                                    QTest::mouseClick(&n, Qt::RightButton, {},
                                                      CentreOf(n, B::Insert));
                                }},
                    GestureCase{"ClickInTheOffset",
                                [](TGridNavigator& n, FakeHost&) {
                                    QTest::mouseClick(&n, Qt::LeftButton, {}, PointInOffset(n));
                                }},
                    GestureCase{"PressInsertReleaseOverEnabledPost",
                                [](TGridNavigator& n, FakeHost& host) {
                                    host.editing = true;
                                    n.UpdateButtons();
                                    ASSERT_TRUE(n.IsButtonEnabled(B::Post));
                                    DragFromInsert(n, CentreOf(n, B::Post));
                                }},
                    GestureCase{
                        "PressInsertReleaseInTheOffset",
                        [](TGridNavigator& n, FakeHost&) { DragFromInsert(n, PointInOffset(n)); }}),
    [](const testing::TestParamInfo<GestureCase>& info) { return info.param.name; });

TEST_F(NavigatorBar, APressedButtonShowsItsGlyphMovedOnlyWhileThePointerIsOverIt) {
    const QRect insert = navigator->ButtonRect(B::Insert);
    const QRect up = FindColor(Picture(), kNavy, insert).bounds;
    ASSERT_FALSE(up.isEmpty());

    QTest::mousePress(navigator, Qt::LeftButton, {}, Centre(B::Insert));
    EXPECT_EQ(FindColor(Picture(), kNavy, insert).bounds, up.translated(1, 1));
    QTest::mouseMove(navigator, InOffset());
    EXPECT_EQ(FindColor(Picture(), kNavy, insert).bounds, up);
    QTest::mouseMove(navigator, Centre(B::Insert));
    EXPECT_EQ(FindColor(Picture(), kNavy, insert).bounds, up.translated(1, 1));
    QTest::mouseRelease(navigator, Qt::LeftButton, {}, Centre(B::Insert));

    EXPECT_EQ(host.log, (std::vector<std::string>{"focus", "Insert record"}));
    EXPECT_EQ(FindColor(Picture(), kNavy, insert).bounds, up);
}

TEST_F(NavigatorBar, EnabledButtonsFollowThePointerWithAHotLook) {
    const QRect insert = navigator->ButtonRect(B::Insert);
    const QRect post = navigator->ButtonRect(B::Post);
    const auto faceOnly = [this](const QRect& rect) {
        const QImage picture = Picture();
        return FindColor(picture, Face(), QRect(rect.topLeft(), QSize(rect.width(), 1))).count ==
               rect.width();
    };
    ASSERT_TRUE(faceOnly(insert));

    QTest::mouseMove(navigator, Centre(B::Insert));
    EXPECT_FALSE(faceOnly(insert)) << "hot";
    QTest::mouseMove(navigator, Centre(B::Post));
    EXPECT_TRUE(faceOnly(insert)) << "no longer hot";
    EXPECT_TRUE(faceOnly(post)) << "disabled buttons get no hot look";
}

TEST_F(NavigatorBar, NoHintAppearsOverTheButtons) {
    buttons.Insert()->SetHint(QStringLiteral("Add a combatant"));
    window.setToolTip(QStringLiteral("the grid's own hint"));
    const QPoint at = Centre(B::Insert);
    QHelpEvent hint(QEvent::ToolTip, at, navigator->mapToGlobal(at));
    QApplication::sendEvent(navigator, &hint);
    EXPECT_FALSE(QToolTip::isVisible()) << QToolTip::text().toStdString();
    QToolTip::hideText();
}

TEST_F(NavigatorBar, AFailureClosingTheEditorIsShownAndNothingIsPressed) {
    host.focusFails = true;
    QString shown;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer.stop();
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    answer.start();
    const QRect insert = navigator->ButtonRect(B::Insert);
    const QRect up = FindColor(Picture(), kNavy, insert).bounds;

    QTest::mousePress(navigator, Qt::LeftButton, {}, Centre(B::Insert));
    answer.stop();
    EXPECT_EQ(shown.toStdString(), TApplication::ErrorBoxText(kEditorFailure).toStdString());
    EXPECT_EQ(FindColor(Picture(), kNavy, insert).bounds, up) << "not drawn pressed";
    QTest::mouseRelease(navigator, Qt::LeftButton, {}, Centre(B::Insert));
    EXPECT_EQ(host.log, std::vector<std::string>{"focus"});
}

} // namespace
} // namespace trevalo::test
