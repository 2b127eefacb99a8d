#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/forms/FormPlacement.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QTest>

namespace trevalo {
namespace {

class MainWindow : public TrackerFixture {
protected:
    QWidget& Client() const { return *main_->centralWidget(); }

    /// Where \p name stands in the client area.
    QRect Place(const char* name) const {
        const auto& control = Component<QWidget>(name);
        return {control.mapTo(&Client(), QPoint(0, 0)), control.size()};
    }

    /// Gives the client area \p size by resizing the window, as the user does.
    void ResizeClient(QSize size) {
        main_->resize(main_->size() + size - Client().size());
        QApplication::processEvents();
        ASSERT_EQ(Client().size(), size);
    }

    /// Focuses \p from, presses \p key and answers the name of what has the focus then.
    QString FocusAfter(const char* from, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        auto& start = Component<QWidget>(from);
        start.setFocus(Qt::OtherFocusReason);
        EXPECT_TRUE(start.hasFocus()) << from;
        QTest::keyClick(&start, key, modifiers);
        const QWidget* focused = QApplication::focusWidget();
        return focused ? focused->objectName() : QStringLiteral("<none>");
    }
};

struct Placed {
    const char* name;
    QRect place;
};

// Panel1's raised frame takes 2 pixels; everything else follows from the docking.
const Placed kPlaces[] = {
    {"Panel1", {0, 0, 1007, 641}},       {"Panel2", {2, 2, 1003, 47}},
    {"Spacer6", {4, 4, 8, 43}},          {"Spacer7", {995, 4, 8, 43}},
    {"ckbxShowAll", {290, 6, 97, 17}},   {"chkbxKeepInit", {290, 22, 97, 17}},
    {"chkbxPasses", {394, 6, 113, 17}},  {"Spacer3", {2, 49, 1003, 8}},
    {"Spacer4", {2, 631, 1003, 8}},      {"Spacer2", {2, 57, 8, 574}},
    {"grdInit", {10, 57, 479, 574}},     {"Separator1", {489, 57, 7, 574}},
    {"grdEffects", {496, 57, 501, 574}}, {"Spacer1", {997, 57, 8, 574}},
};

TEST_F(MainWindow, EveryControlStandsWhereTheDockingPutsIt) {
    ASSERT_EQ(Client().size(), QSize(1007, 641));
    for (const Placed& placed : kPlaces)
        EXPECT_EQ(Place(placed.name), placed.place) << placed.name;
}

TEST_F(MainWindow, TheCounterLabelsFollowEachOtherInTheTopPanel) {
    const QRect turn = Place("lblTurn");
    const QRect pass = Place("lblPass");
    EXPECT_EQ(turn.topLeft(), QPoint(12, 4));
    EXPECT_EQ(turn.height(), 43);
    EXPECT_EQ(pass.topLeft(), QPoint(turn.right() + 1 + 8, 4));
    EXPECT_EQ(pass.height(), 43);
}

TEST_F(MainWindow, ResizingChangesOnlyTheEffectGrid) {
    const QSize sizes[] = {{1207, 741}, {807, 541}, {1008, 642}, {700, 300}};
    for (const QSize size : sizes) {
        ResizeClient(size);
        const int gridHeight = size.height() - 2 - 47 - 8 - 8 - 2;
        EXPECT_EQ(Place("grdInit"), QRect(10, 57, 479, gridHeight)) << size.width();
        EXPECT_EQ(Place("Separator1"), QRect(489, 57, 7, gridHeight)) << size.width();
        EXPECT_EQ(Place("grdEffects"), QRect(496, 57, size.width() - 2 - 8 - 496, gridHeight))
            << size.width();
        EXPECT_EQ(Place("Spacer1").width(), 8);
        EXPECT_EQ(Place("Spacer4").height(), 8);
        EXPECT_EQ(Place("Panel2"), QRect(2, 2, size.width() - 4, 47));
    }
}

struct TabStep {
    const char* from;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* to;
};

void PrintTo(const TabStep& step, std::ostream* out) {
    *out << step.from << (step.modifiers ? " Shift+Tab" : " Tab");
}

class MainWindowTabOrder : public MainWindow, public ::testing::WithParamInterface<TabStep> {};

TEST_P(MainWindowTabOrder, TabWalksTheCombatantsThenTheTopPanelThenTheEffects) {
    const TabStep& step = GetParam();
    EXPECT_EQ(FocusAfter(step.from, step.key, step.modifiers), QLatin1String(step.to));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MainWindowTabOrder,
    ::testing::Values(TabStep{"ckbxShowAll", Qt::Key_Tab, {}, "chkbxKeepInit"},
                      TabStep{"chkbxKeepInit", Qt::Key_Tab, {}, "chkbxPasses"},
                      TabStep{"chkbxPasses", Qt::Key_Tab, {}, "grdEffects"},
                      TabStep{"ckbxShowAll", Qt::Key_Backtab, Qt::ShiftModifier, "grdInit"},
                      TabStep{"chkbxPasses", Qt::Key_Backtab, Qt::ShiftModifier, "chkbxKeepInit"}));

// Tab inside a grid moves from cell to cell and never leaves it, so the grids' places in the
// order show in the focus chain.
TEST_F(MainWindow, TheFocusChainHoldsTheGridsAndCheckBoxesInTabOrder) {
    QStringList chain;
    QWidget* widget = &Component<QWidget>("grdInit");
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible())
            chain.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != &Component<QWidget>("grdInit"));
    EXPECT_EQ(chain, QStringList(
                         {"grdInit", "ckbxShowAll", "chkbxKeepInit", "chkbxPasses", "grdEffects"}));
}

struct Box {
    const char* name;
    const char* caption;
    bool checked;
    bool bound;
};

TEST_F(MainWindow, TheCheckBoxesHaveTheirCaptionsStatesLookAndHandlers) {
    const Box boxes[] = {{"ckbxShowAll", "Show All Entries", false, true},
                         {"chkbxKeepInit", "Keep Init / Turn", false, false},
                         {"chkbxPasses", "Use Passes (SR4)", true, true}};
    for (const Box& box : boxes) {
        const auto& control = Component<TStyledCheckBox>(box.name);
        EXPECT_EQ(control.Caption(), QLatin1String(box.caption)) << box.name;
        EXPECT_EQ(control.isChecked(), box.checked) << box.name;
        EXPECT_EQ(bool(control.OnClick), box.bound) << box.name;
        EXPECT_EQ(control.FrameColor(), ColorFromRgb(0x1C, 0x51, 0x80)) << box.name;
        EXPECT_EQ(control.HighlightColor(), ColorFromRgb(0x21, 0xA1, 0x21)) << box.name;
        EXPECT_TRUE(control.HotTrack()) << box.name;
        EXPECT_EQ(control.HotTrackColor(), ColorFromRgb(0xFF, 0xC7, 0x3C)) << box.name;
        EXPECT_EQ(control.HotTrackColorType(), TStyledCheckBox::hcActual) << box.name;
    }
}

TEST_F(MainWindow, EachCheckBoxCaptionIsInkedWholeOnOneLine) {
    for (const char* name : {"ckbxShowAll", "chkbxKeepInit", "chkbxPasses"}) {
        auto& box = Component<TStyledCheckBox>(name);
        const QImage shot = box.grab().toImage();
        // Inside the 1-pixel border, right of the 13-pixel box and its 4-pixel gap.
        const QRect caption(18, 1, box.width() - 19, box.height() - 2);
        const QRgb background = shot.pixel(box.width() - 2, 1);
        QRect ink;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (x >= 14 && shot.pixel(x, y) != background)
                    ink |= QRect(x, y, 1, 1);
        EXPECT_TRUE(caption.contains(ink)) << name;
        // A glyph line of the 11-pixel font is 12 pixels high: a second line would show below.
        EXPECT_LE(ink.height(), 12) << name;
        // Cut at a word, the ink would end far short of the whole caption's advance.
        const int advance = box.fontMetrics().horizontalAdvance(box.Caption());
        EXPECT_GE(ink.width(), advance - 3) << name;
    }
}

TEST_F(MainWindow, TheMenuBarHoldsPlainCommandsEachBoundToItsHandler) {
    for (QAction* action : main_->menuBar()->actions()) {
        EXPECT_EQ(action->menu(), nullptr) << action->text().toStdString();
        auto* item = qobject_cast<TMenuItem*>(action);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->OnClick) << item->objectName().toStdString();
    }
}

TEST_F(MainWindow, HasItsCaptionFontAndButtonFaceBackground) {
    EXPECT_EQ(main_->windowTitle(), QStringLiteral("Main"));
    EXPECT_EQ(main_->font().pixelSize(), 11);
    EXPECT_EQ(QFontInfo(main_->font()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(main_->backgroundRole(), QPalette::Button);
}

TEST_F(MainWindow, OpensCentredOnTheWholeDesktopByItsDesignedOuterSize) {
    // On the tests' 1280 × 1024 desktop: ((1280 - 1023) / 2, (1024 - 697) / 2).
    ASSERT_EQ(VirtualDesktopSize(), QSize(1280, 1024));
    EXPECT_EQ(main_->pos(), QPoint(128, 163));
}

struct Centring {
    QSize desktop;
    QPoint expected;
};

TEST(DesktopCenter, CentresByTheOuterSizeAndNeverGoesNegative) {
    const Centring cases[] = {
        {{1920, 1080}, {448, 191}},  // one full-HD monitor
        {{3840, 1080}, {1408, 191}}, // two side by side
        {{1024, 768}, {0, 35}},      // the width leaves a single pixel: half of it rounds down
        {{1025, 699}, {1, 1}},
        {{1023, 697}, {0, 0}}, // exactly the window
        {{800, 600}, {0, 0}},  // smaller than the window
        {{0, 0}, {0, 0}},
    };
    for (const Centring& c : cases)
        EXPECT_EQ(DesktopCenter(c.desktop, QSize(1023, 697)), c.expected) << c.desktop.width();
}

} // namespace
} // namespace trevalo
