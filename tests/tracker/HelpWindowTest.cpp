#include "components/controls/TStyledMemo.h"
#include "components/forms/FormPlacement.h"
#include "tests/support/TrackerFixture.h"

#include <QTest>

namespace trevalo {
namespace {

class HelpWindow : public TrackerFixture {
protected:
    TStyledMemo& Memo() const {
        return test::ChildOf<TStyledMemo>(*help_, QStringLiteral("Memo1"));
    }
};

struct HelpLine {
    int number;
    const char16_t* text;
};

const HelpLine kLines[] = {
    {1,
     u"Greetings and thank you for reading the help file for my tabletop combat software. I'm glad "
     u"that I could throw this together for you and I hope that you get plenty of use out of it."},
    {2, u""},
    {3,
     u"The software is relatively simple. All you need to do is click to type in the name of the "
     u"character, mob, NPC or other initiative having object in the game into the gride area and "},
    {4, u"then type in an initiative for that creature. Click the little green check box at the "
        u"bottom left hand side of the screen to save the data to the program."},
    {5, u""},
    {6, u"Buttons:"},
    {7, u""},
    {8,
     u"\tThe green button located to the left of your character allows for you to tell the program "
     u"that the character is done for that turn. It will remove their name from the grid."},
    {9, u""},
    {10, u"\tThe red button located to the right of the character allows for you to delete "
         u"characters who have left combat of their own volition, via death, or any other reason."},
    {11, u""},
    {12, u"\tThe 'New Turn' button at the top of the screen moves the turn counter forward and "
         u"brings all characters back to the grid that have already had a turn in the last "},
    {13, u"\tround. "},
    {14, u""},
    {15, u"\tThe 'Keep Init / Turn' check box tells the system that the characters will keep their "
         u"initiative between turns. (Very useful for D20 systems)"},
    {16, u""},
    {17, u"Init Passes:"},
    {18, u""},
    {19, u"\tThis program was originally designed for Shadowrun\u00ae Fourth Edition. In the game, "
         u"there can be up to four initiative passes per turn per character. If you wish to turn "},
    {20, u"\tthese off,\tjust uncheck the box at the top right of the screen."},
    {21, u""},
    {22, u"\tFor anyone playing SR4 or any other game using passes, just input the number of "
         u"passes that person will receive when you input their name. Instead of clicking 'New "},
    {23, u"\tTurn', you'll use the 'New Init Pass' button. This will bring everyone back to the "
         u"grid who already had a turn and then remove anyone who does not have enough"},
    {24, u"\tpasses left to participate in that pass."},
    {25, u""},
};

TEST_F(HelpWindow, ShowsTheHelpTextLineByLine) {
    const QStringList lines = Memo().Lines();
    ASSERT_EQ(lines.size(), 26);
    for (const HelpLine& line : kLines)
        EXPECT_EQ(lines[line.number - 1], QString::fromUtf16(line.text)) << line.number;
}

TEST_F(HelpWindow, EndsWithOneLineOnTheTermsOfUse) {
    const QString remark = Memo().Lines().value(25);
    EXPECT_FALSE(remark.trimmed().isEmpty());
    EXPECT_FALSE(remark.contains(QLatin1Char('\t')));
    EXPECT_FALSE(remark.contains(QLatin1Char('\n')));
}

TEST_F(HelpWindow, ShowsTheRegisteredSignAfterShadowrun) {
    const QString line = Memo().Lines().value(18);
    const qsizetype at = line.indexOf(QStringLiteral("Shadowrun"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(line.at(at + 9), QChar(0x00AE));
    EXPECT_EQ(line.at(at + 10), QLatin1Char(' '));
}

TEST_F(HelpWindow, HasItsCaptionClientSizeAndAReadOnlyMemoFillingItsPanel) {
    EXPECT_EQ(help_->centralWidget()->size(), QSize(854, 584)) << "while hidden";
    ClickMenu(*main_, "Help1");
    EXPECT_EQ(help_->windowTitle(), QStringLiteral("Help"));
    EXPECT_EQ(help_->centralWidget()->size(), QSize(854, 584));
    EXPECT_EQ(Memo().geometry(), QRect(2, 2, 850, 580));
    EXPECT_TRUE(Memo().isReadOnly());
    QStringList menu;
    for (QAction* action : help_->menuBar()->actions())
        menu.append(action->text());
    EXPECT_EQ(menu, QStringList({"Close"}));
}

TEST_F(HelpWindow, EscHidesItAsItsCloseDoesKeepingTheSelection) {
    ClickMenu(*main_, "Help1");
    help_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help_.get()));
    TStyledMemo& memo = Memo();
    memo.setFocus();
    QTest::keyClick(&memo, Qt::Key_Down);
    QTest::keyClick(&memo, Qt::Key_End, Qt::ShiftModifier);
    const QString selected = memo.textCursor().selectedText();
    ASSERT_FALSE(selected.isEmpty());
    QTest::keyClick(&memo, Qt::Key_Escape);
    EXPECT_FALSE(help_->isVisible());
    EXPECT_EQ(frmHelp, help_.get()) << "hidden, not destroyed";
    ClickMenu(*main_, "Help1");
    EXPECT_TRUE(help_->isVisible());
    EXPECT_EQ(memo.textCursor().selectedText(), selected);
}

TEST_F(HelpWindow, OpensOnAMonitorThoughItsDesignedPlaceIsLeftOfThem) {
    const QRect shown(help_->pos(), QSize(870, 640));
    // Pushed right onto the tests' 1280 × 1024 desktop, its height kept.
    ASSERT_EQ(AvailableScreenAreas(), QList<QRect>({QRect(0, 0, 1280, 1024)}));
    EXPECT_EQ(shown.topLeft(), QPoint(0, 247));
}

struct Placement {
    const char* what;
    QRect window;
    QList<QRect> screens;
    QPoint expected;
};

TEST(OnVisibleDesktop, KeepsAWindowOnAMonitorAndBringsOthersOntoThePrimary) {
    const QRect primary(0, 0, 1280, 1024);
    const QRect left(-1920, 0, 1920, 1080);
    const Placement cases[] = {
        {"left of the only monitor", {-1032, 247, 870, 640}, {primary}, {0, 247}},
        {"wholly on the monitor to the left",
         {-1032, 247, 870, 640},
         {primary, left},
         {-1032, 247}},
        {"across two monitors", {-500, 247, 870, 640}, {primary, left}, {0, 247}},
        {"below the bottom", {100, 700, 870, 640}, {primary}, {100, 384}},
        {"past the right edge", {1000, 0, 870, 640}, {primary}, {410, 0}},
        {"larger than the monitor", {-50, -50, 1400, 1100}, {primary}, {0, 0}},
        {"already on it", {10, 20, 870, 640}, {primary}, {10, 20}},
        {"a taskbar's worth short", {0, 400, 870, 640}, {QRect(0, 0, 1280, 994)}, {0, 354}},
    };
    for (const Placement& c : cases)
        EXPECT_EQ(OnVisibleDesktop(c.window, c.screens), c.expected) << c.what;
}

} // namespace
} // namespace trevalo
