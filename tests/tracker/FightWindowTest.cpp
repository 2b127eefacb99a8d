// The fight read out of the main window and put back: whatever is put back reads out the same,
// and the window then looks and behaves as the one it was read from, where it was typed in.
#include "tracker/FightWindow.h"

#include "FightScreen.h"
#include "RandomFight.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/data/TDataSource.h"
#include "components/grid/view/TDBColumn.h"
#include "tests/support/GridDriver.h"
#include "tests/support/RandomRun.h"
#include "tests/support/TrackerFixture.h"

#include <QTest>

namespace trevalo {
namespace {

class FightWindow : public TrackerFixture {
protected:
    /// The window closed and a new one started, as a second run of the program.
    void Restart() {
        TearDown();
        SetUp();
    }

    FightScreen Look() const { return LookAt(*main_); }

    void Click(const char* checkBox) {
        QTest::mouseClick(&Component<TStyledCheckBox>(checkBox), Qt::LeftButton);
    }
    void Done(const QString& name) {
        Locate(name);
        main_->tvInitDoneButtonPropertiesButtonClick(nullptr);
    }
    /// New Turn from the menu, each expired effect's question answered with \p answers.
    void NewTurn(QList<Qt::Key> answers) {
        AnswerBoxes(std::move(answers));
        ClickMenu(*main_, "NewTurn1");
        answering_.stop();
        // As the user's next click would, it makes the main window active again.
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }
};

TEST_F(FightWindow, ANewWindowHoldsANewFight) {
    EXPECT_EQ(CaptureFight(*main_), Fight());
}

TEST_F(FightWindow, WhatIsPutBackReadsOutTheSame) {
    const test::RandomRun run = test::RandomRunSettings("TREVALO_FIGHTS", 40);
    std::mt19937 random(run.Seed);
    for (std::uint64_t i = 0; i < run.Steps; ++i) {
        // Every tenth fight is large; each is put over the one before, as undo will put it.
        const Fight fight = test::RandomFight(random, i % 10 == 9 ? 3000 : 12);
        RestoreFight(*main_, fight);
        ASSERT_EQ(CaptureFight(*main_), fight) << "fight " << i;
    }
}

TEST_F(FightWindow, APutBackFightLooksAndBehavesAsTheTypedOne) {
    // Ties, blanks, a combatant without passes; done, a second pass, kept initiatives, a turn
    // with one effect kept and one deleted, then every one shown while "Show All" is ticked and
    // the turn after it, which filters again under the ticked box.
    AddCombatant(QStringLiteral("Ann"), 12, 2);
    AddCombatant(QStringLiteral("Bob"), 12, 1);
    AddCombatant(QString(), {}, 1);
    AddCombatant(QStringLiteral("Zoë 🐉"), 0, 0);
    AddCombatant(QStringLiteral("Cy"), -3, 3, false);
    AddEffect(QStringLiteral("Haste"), 2);
    AddEffect(QStringLiteral("Blind"), 2);
    AddEffect(QString(), {});
    AddEffect(QStringLiteral("Shield"), 9);
    Done(QStringLiteral("Ann"));
    ClickMenu(*main_, "NewInitPass1");
    Click("chkbxKeepInit");
    NewTurn({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return});
    Click("ckbxShowAll");
    Done(QStringLiteral("Bob"));
    NewTurn({Qt::Key_Escape});
    Click("chkbxPasses");
    ASSERT_EQ(boxTexts_.filter(QStringLiteral("unexpected")), QStringList());

    const Fight fight = CaptureFight(*main_);
    EXPECT_TRUE(fight.ShowAllEntries);
    EXPECT_FALSE(fight.ShowingAll) << "New Turn filters again under the ticked box";
    const FightScreen typed = Look();
    const auto goOn = [this] {
        boxTexts_.clear();
        NewTurn({Qt::Key_Return});
        Done(QStringLiteral("Cy"));
        Click("ckbxShowAll");
        Click("ckbxShowAll");
        return boxTexts_;
    };
    const QStringList typedQuestions = goOn();
    const FightScreen typedThen = Look();

    Restart();
    RestoreFight(*main_, fight);
    const FightScreen restored = Look();
    EXPECT_EQ(Unfocused(restored), Unfocused(typed));
    EXPECT_EQ(restored.FocusedCombatant, 0) << "the focus on each grid's first row";
    EXPECT_EQ(restored.FocusedEffect, 0);
    EXPECT_EQ(goOn(), typedQuestions);
    EXPECT_EQ(Look(), typedThen);
}

TEST_F(FightWindow, ARowBeingTypedIsNoPartOfTheFightAndIsDroppedByAPutBack) {
    AddCombatant(QStringLiteral("Ann"), 12);
    Combatants().Insert();
    Combatants().FieldByName(QStringLiteral("Name")).SetValue(QStringLiteral("typed"));
    const Fight fight = CaptureFight(*main_);
    ASSERT_EQ(fight.Combatants.size(), 1u);
    EXPECT_EQ(Combatants().State(), TDataSetState::dsInsert) << "reading changes nothing";

    RestoreFight(*main_, fight);
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"Ann"}));
}

TEST_F(FightWindow, TheGridsReadTheirTablesOnceForAWholeFight) {
    struct Counting final : TDataLink {
        void StateChanged() override { ++States; }
        void DataSetChanged() override { ++DataSets; }
        int States = 0;
        int DataSets = 0;
    } combatants, effects;
    Fight fight;
    fight.Combatants.resize(200, {QStringLiteral("Orc"), 7, 1, true});
    fight.Effects.resize(50, {QStringLiteral("Fog"), 3});
    Component<TDataSource>("dsInit").AddLink(&combatants);
    Component<TDataSource>("dsEffects").AddLink(&effects);
    RestoreFight(*main_, fight);
    Component<TDataSource>("dsInit").RemoveLink(&combatants);
    Component<TDataSource>("dsEffects").RemoveLink(&effects);
    // One as the grid is told, and one as it reads the table with the view's notices off.
    EXPECT_EQ(combatants.DataSets, 2);
    EXPECT_EQ(effects.DataSets, 2);
    EXPECT_EQ(combatants.States + effects.States, 0);
    EXPECT_EQ(GridDriver(Component<TDataGrid>("grdInit")).View().DataController().RowCount(), 200);
}

} // namespace
} // namespace trevalo
