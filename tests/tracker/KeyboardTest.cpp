// Every command from the keyboard: the menu's shortcuts anywhere in the main window, and F6
// between its three areas.
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QTest>

namespace trevalo {
namespace {

class Keyboard : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        combatants_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
    }

    /// Presses \p key on whatever has the focus in the main window.
    void Press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : main_.get(), Qt::Key(key), modifiers);
    }
    QString Label(const char* name) const { return Component<TStyledLabel>(name).text(); }
    QString Focused() const {
        const QWidget* focus = QApplication::focusWidget();
        while (focus && focus->objectName().isEmpty())
            focus = focus->parentWidget();
        return focus ? focus->objectName() : QStringLiteral("<none>");
    }

    std::unique_ptr<GridDriver> combatants_;
};

TEST_F(Keyboard, ShortcutsRunTheMenuCommands) {
    combatants_->ClickCell(0, "tvInitName");
    AnswerBoxes({});
    Press(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Label("lblTurn"), QStringLiteral("Turn #: 2"));
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Label("lblPass"), QStringLiteral("Pass #: 2"));
    Press(Qt::Key_F1);
    EXPECT_TRUE(help_->isVisible());
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(main_->isVisible());
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
}

TEST_F(Keyboard, NewInitPassHasNoShortcutWhilePassesAreOff) {
    QTest::mouseClick(&Component<TStyledCheckBox>("chkbxPasses"), Qt::LeftButton);
    ASSERT_FALSE(Component<TStyledCheckBox>("chkbxPasses").isChecked());
    AnswerBoxes({});
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(CurrentPass, 1);
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
}

TEST_F(Keyboard, AShortcutWritesTheOpenEditorFirstAndABadIntegerStopsIt) {
    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->Type(QStringLiteral("Goblin"));
    Press(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"Goblin"}));
    EXPECT_EQ(Label("lblTurn"), QStringLiteral("Turn #: 2"));

    combatants_->ClickCell(0, "tvInitInit");
    combatants_->Type(QStringLiteral("1x"));
    AnswerBoxes({Qt::Key_Return});
    Press(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(boxTexts_, QStringList({"'1x' is not a valid integer value for field 'Init'"}));
    EXPECT_EQ(Label("lblTurn"), QStringLiteral("Turn #: 2"));
    ASSERT_NE(combatants_->Grid().Editor(), nullptr);
    EXPECT_EQ(combatants_->Grid().Editor()->text(), QStringLiteral("1x"));
}

struct AreaStep {
    Qt::KeyboardModifiers modifiers;
    QStringList areas; ///< where the focus is after each press, from the combatant grid
};

class FocusAreaCycle : public Keyboard, public ::testing::WithParamInterface<AreaStep> {};

TEST_P(FocusAreaCycle, F6GoesAroundTheThreeAreas) {
    Component<QWidget>("grdInit").setFocus(Qt::OtherFocusReason);
    QStringList seen;
    for (qsizetype i = 0; i < GetParam().areas.size(); ++i) {
        Press(Qt::Key_F6, GetParam().modifiers);
        seen.append(Focused());
    }
    EXPECT_EQ(seen, GetParam().areas);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, FocusAreaCycle,
    ::testing::Values(AreaStep{{}, {"ckbxShowAll", "grdEffects", "grdInit", "ckbxShowAll"}},
                      AreaStep{Qt::ShiftModifier, {"grdEffects", "ckbxShowAll", "grdInit"}}));

TEST_F(Keyboard, F6LeavesAnEditorAsAClickElsewhereDoes) {
    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->Type(QStringLiteral("Ann"));
    Press(Qt::Key_F6);
    EXPECT_EQ(Focused(), QStringLiteral("ckbxShowAll"));
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("Ann"));
    EXPECT_EQ(combatants_->Grid().Editor(), nullptr);
    // Tab inside the panel still walks its check boxes.
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), QStringLiteral("chkbxKeepInit"));
}

} // namespace
} // namespace trevalo
