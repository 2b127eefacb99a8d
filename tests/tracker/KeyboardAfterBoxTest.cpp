// When a box or the help window closes, the keyboard is back in the main window, on the widget
// that had it: the next key acts there without a click first.
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QTest>

namespace trevalo {
namespace {

class KeyboardAfterBox : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        AddCombatant(QStringLiteral("Ann"), 30);
        AddCombatant(QStringLiteral("Bob"), 20);
        AddCombatant(QStringLiteral("Cid"), 10);
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        combatants_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
        combatants_->ClickCell(0, "tvInitName");
        combatants_->Key(Qt::Key_Escape);
        ASSERT_EQ(combatants_->Grid().Editor(), nullptr);
    }

    /// The keyboard is back on the combatant grid: Down moves its focused row.
    void ExpectKeysInTheGrid() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == main_.get(); }))
            << "the main window never got the keyboard back";
        EXPECT_EQ(QApplication::focusWidget(), &combatants_->Grid());
        const int row = combatants_->FocusedRow();
        PressKey(Qt::Key_Down);
        EXPECT_EQ(combatants_->FocusedRow(), row + 1);
    }

    std::unique_ptr<GridDriver> combatants_;
};

TEST_F(KeyboardAfterBox, DeleteRecordQuestion) {
    AnswerBoxes({Qt::Key_Escape});
    PressKey(Qt::Key_Delete);
    EXPECT_EQ(boxTitles_, QStringList({"Confirm"}));
    ExpectKeysInTheGrid();
}

TEST_F(KeyboardAfterBox, ConfirmationBoxAskedByACommandFromTheMenuBar) {
    AddEffect(QStringLiteral("Haste"), 2);
    AnswerBoxes({Qt::Key_Escape});
    PressAlt();
    PressKey(Qt::Key_Return); // New Turn
    EXPECT_EQ(boxTexts_, QStringList({"Delete This Effect? - Haste"}));
    ExpectKeysInTheGrid();
}

TEST_F(KeyboardAfterBox, ErrorBox) {
    PressKey(Qt::Key_Right);
    PressKey(Qt::Key_F2);
    PressKey(Qt::Key_X);
    AnswerBoxes({Qt::Key_Return});
    PressKey(Qt::Key_Return);
    EXPECT_EQ(boxTitles_, QStringList({"Trevalo"}));
    // The editor keeps the text that could not be written, and the keyboard.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == main_.get(); }));
    ASSERT_NE(combatants_->Grid().Editor(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), combatants_->Grid().Editor());
    PressKey(Qt::Key_Escape);
    ExpectKeysInTheGrid();
}

TEST_F(KeyboardAfterBox, HelpWindowClosedByItsCloseCommand) {
    PressKey(Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == help_.get(); }));
    ClickMenu(*help_, "Close1");
    EXPECT_FALSE(help_->isVisible());
    ExpectKeysInTheGrid();
}

} // namespace
} // namespace trevalo
