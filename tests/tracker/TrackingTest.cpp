#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/data/DataErrors.h"
#include "components/data/TDataSource.h"
#include "components/grid/view/TDBColumn.h"
#include "platform/Exception.h"
#include "tests/support/TrackerFixture.h"

#include <QTest>
#include <string>

namespace trevalo {
namespace {

class Tracking : public TrackerFixture {
protected:
    QStringList Shown() { return Names(Combatants(), "Name"); }
    QStringList EffectNames() { return Names(Effects(), "EffectName"); }
    QString Label(const char* name) const { return Component<TStyledLabel>(name).text(); }
    void Click(const char* checkBox) {
        QTest::mouseClick(&Component<TStyledCheckBox>(checkBox), Qt::LeftButton);
    }
    void Done(const QString& name) {
        Locate(name);
        main_->tvInitDoneButtonPropertiesButtonClick(nullptr);
    }
    QVariant InitOf(const QString& name) {
        Combatants().SetFiltered(false);
        Locate(name);
        const QVariant init = Combatants().FieldByName(QStringLiteral("Init")).Value();
        main_->UpdateFilter();
        return init;
    }
};

TEST_F(Tracking, NewInitPassShowsOnlyThoseWithEnoughPasses) {
    AddCombatant(QStringLiteral("Ann"), 12, 1);
    AddCombatant(QStringLiteral("Bob"), 9, 2);
    Done(QStringLiteral("Ann"));
    Done(QStringLiteral("Bob"));
    EXPECT_TRUE(Shown().isEmpty());

    ClickMenu(*main_, "NewInitPass1");
    EXPECT_EQ(Shown(), QStringList({"Bob"}));
    EXPECT_EQ(Label("lblPass"), QStringLiteral("Pass #: 2"));
    EXPECT_EQ(Label("lblTurn"), QStringLiteral("Turn #: 1"));

    ClickMenu(*main_, "NewInitPass1");
    EXPECT_TRUE(Shown().isEmpty());
    EXPECT_EQ(Label("lblPass"), QStringLiteral("Pass #: 3"));
    EXPECT_EQ(Combatants().Filter(), QStringLiteral("[Active] = True and [Passes] >= 3"));
    EXPECT_EQ(InitOf(QStringLiteral("Bob")), QVariant(9)) << "a pass keeps initiatives";
}

// The parameter: whether "keep initiatives" is ticked.
class NewTurn : public Tracking, public testing::WithParamInterface<bool> {};

TEST_P(NewTurn, ClearsInitiativesUnlessTheyAreKept) {
    const bool keep = GetParam();
    AddCombatant(QStringLiteral("Ann"), 12, 1);
    AddCombatant(QStringLiteral("Bob"), 9, 2);
    AddCombatant(QStringLiteral("Zed"), 4, 0);
    Done(QStringLiteral("Ann"));
    ClickMenu(*main_, "NewInitPass1");
    if (keep)
        Click("chkbxKeepInit");

    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(Label("lblTurn"), QStringLiteral("Turn #: 2"));
    EXPECT_EQ(Label("lblPass"), QStringLiteral("Pass #: 1"));
    QStringList shown = Shown();
    shown.sort();
    EXPECT_EQ(shown, QStringList({"Ann", "Bob"})) << "no passes, never shown";
    EXPECT_EQ(InitOf(QStringLiteral("Ann")), QVariant(keep ? 12 : 0));
    EXPECT_EQ(InitOf(QStringLiteral("Zed")), QVariant(keep ? 4 : 0));
}

INSTANTIATE_TEST_SUITE_P(Tracking, NewTurn, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Kept" : "Cleared");
                         });

TEST_F(Tracking, ACombatantInsertedInALaterPassLeavesUnlessItHasThePasses) {
    AddCombatant(QStringLiteral("Ann"), 12, 2);
    ClickMenu(*main_, "NewInitPass1");
    AddCombatant(QStringLiteral("Late"), 7, 1);
    AddCombatant(QStringLiteral("Fast"), 7, 2);
    QStringList shown = Shown();
    shown.sort();
    EXPECT_EQ(shown, QStringList({"Ann", "Fast"}));
}

TEST_F(Tracking, RowButtonsOnTheRowBeingInsertedPostOrDropIt) {
    AddCombatant(QStringLiteral("Ann"), 12, 1);
    Combatants().Insert();
    Combatants().FieldByName(QStringLiteral("Name")).SetValue(QStringLiteral("New"));
    main_->tvInitDoneButtonPropertiesButtonClick(nullptr);
    EXPECT_EQ(Shown(), QStringList({"Ann"}));
    Combatants().SetFiltered(false);
    EXPECT_EQ(Shown().size(), 2) << "posted with Active False, not lost";
    main_->UpdateFilter();

    Combatants().Insert();
    AnswerBoxes({Qt::Key_Return});
    main_->tvInitDeleteButtonPropertiesButtonClick(nullptr);
    EXPECT_EQ(boxTexts_, QStringList({"Are you sure that you wish to delete this character "
                                      "from the table?"}));
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
    Combatants().SetFiltered(false);
    EXPECT_EQ(Shown().size(), 2) << "only the new row was dropped";
}

TEST_F(Tracking, DeletingACombatantOrEffectAsksFirst) {
    AddCombatant(QStringLiteral("Ann"), 12, 1);
    AddEffect(QStringLiteral("Haste"), 3);
    AnswerBoxes({Qt::Key_Escape, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return});
    Locate(QStringLiteral("Ann"));
    main_->tvInitDeleteButtonPropertiesButtonClick(nullptr);
    EXPECT_EQ(Shown(), QStringList({"Ann"}));
    main_->tvInitDeleteButtonPropertiesButtonClick(nullptr);
    EXPECT_TRUE(Shown().isEmpty());
    main_->tvEffectsDeleteEffectPropertiesButtonClick(nullptr);
    EXPECT_EQ(EffectNames(), QStringList({"Haste"}));
    main_->tvEffectsDeleteEffectPropertiesButtonClick(nullptr);
    EXPECT_TRUE(EffectNames().isEmpty());
    EXPECT_EQ(boxTexts_.size(), 4);
    EXPECT_EQ(boxTexts_.at(2),
              QStringLiteral("Are you sure that you wish to delete this effect from the table?"));
}

TEST_F(Tracking, NewTurnOffersExpiredEffectsOneByOneInTheViewsOrder) {
    AddEffect(QStringLiteral("Slow"), 5);
    AddEffect(QStringLiteral("Blind"), 2);
    AddEffect(QStringLiteral("Haste"), 2);
    AddEffect(QStringLiteral("Open-ended"), QVariant());
    // Each insert stands in front of the current record, so the view's order is reversed.
    ASSERT_EQ(EffectNames(), QStringList({"Open-ended", "Haste", "Blind", "Slow"}));

    AnswerBoxes({Qt::Key_Return, Qt::Key_Escape, Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(boxTexts_,
              QStringList({"Delete This Effect? - Open-ended", "Delete This Effect? - Haste",
                           "Delete This Effect? - Blind"}));
    EXPECT_EQ(EffectNames(), QStringList({"Haste", "Slow"}));

    boxTexts_.clear();
    AnswerBoxes({Qt::Key_Escape});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(boxTexts_, QStringList({"Delete This Effect? - Haste"})) << "asked again";

    boxTexts_.clear();
    AnswerBoxes({Qt::Key_Return, Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1"); // turn 4
    ClickMenu(*main_, "NewTurn1"); // turn 5
    EXPECT_EQ(boxTexts_,
              QStringList({"Delete This Effect? - Haste", "Delete This Effect? - Slow"}));
    EXPECT_TRUE(EffectNames().isEmpty());
}

TEST_F(Tracking, DeletingTheLastEffectEndsTheWalkWithoutAskingTwice) {
    AddEffect(QStringLiteral("Now"), 1);
    AddEffect(QStringLiteral("Old"), 1);
    ASSERT_EQ(EffectNames(), QStringList({"Old", "Now"}));
    AnswerBoxes({Qt::Key_Escape, Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(boxTexts_, QStringList({"Delete This Effect? - Old", "Delete This Effect? - Now"}));
    EXPECT_EQ(EffectNames(), QStringList({"Old"}));
}

TEST_F(Tracking, ShowAllEntriesIsOverruledByTheCommandsUntilClickedAgain) {
    AddCombatant(QStringLiteral("Ann"), 12, 1);
    Done(QStringLiteral("Ann"));
    Click("ckbxShowAll");
    EXPECT_FALSE(Combatants().Filtered());
    EXPECT_EQ(Shown(), QStringList({"Ann"}));

    ClickMenu(*main_, "NewInitPass1");
    EXPECT_TRUE(Combatants().Filtered());
    EXPECT_TRUE(Component<TStyledCheckBox>("ckbxShowAll").isChecked());
    Click("ckbxShowAll");
    Click("ckbxShowAll");
    EXPECT_FALSE(Combatants().Filtered());
    EXPECT_EQ(Combatants().Filter(), QStringLiteral("[Active] = True and [Passes] >= 2"));

    ClickMenu(*main_, "NewTurn1");
    EXPECT_TRUE(Combatants().Filtered());
    EXPECT_TRUE(Component<TStyledCheckBox>("ckbxShowAll").isChecked());
    EXPECT_EQ(Combatants().Filter(), QStringLiteral("[Active] = True and [Passes] >= 1"));
}

TEST_F(Tracking, UsePassesHidesAndShowsEverythingAboutPasses) {
    ClickMenu(*main_, "NewInitPass1");
    Click("chkbxPasses");
    EXPECT_FALSE(Component<TMenuItem>("NewInitPass1").isVisible());
    EXPECT_FALSE(Component<TDBColumn>("tvInitPasses").Visible());
    EXPECT_FALSE(Component<TStyledLabel>("lblPass").isVisible());
    EXPECT_EQ(CurrentPass, 2);

    Click("chkbxPasses");
    EXPECT_TRUE(Component<TMenuItem>("NewInitPass1").isVisible());
    EXPECT_TRUE(Component<TDBColumn>("tvInitPasses").Visible());
    EXPECT_TRUE(Component<TStyledLabel>("lblPass").isVisible());
    EXPECT_EQ(Label("lblPass"), QStringLiteral("Pass #: 2"));
}

// Refuses edits of the combatants called "Locked" and field changes of those called
// "Stubborn", as the data layer refuses a record the engine would not take.
class Refuser final : public TDataLink {
public:
    explicit Refuser(TWorkingView& view)
        : view_(view) {}
    void StateChanged() override {
        if (view_.State() == TDataSetState::dsEdit && NameIs("Locked"))
            throw EDatabaseError(QStringLiteral("locked"));
    }
    void RecordChanged(const TField*) override {
        if (NameIs("Stubborn"))
            throw EDatabaseError(QStringLiteral("stubborn"));
    }

private:
    bool NameIs(const char* name) const {
        return view_.FieldByName(QStringLiteral("Name")).AsString() == QLatin1String(name);
    }
    TWorkingView& view_;
};

TEST_F(Tracking, TheWalksSkipACombatantThatRefusesAndGoOnSilently) {
    for (const char* name : {"Ann", "Locked", "Stubborn", "Zoe"})
        AddCombatant(QLatin1String(name), 10, 1);
    for (const char* name : {"Ann", "Locked", "Stubborn", "Zoe"})
        Done(QLatin1String(name));
    Refuser refuser(Combatants());
    auto& source = Component<TDataSource>("dsInit");
    source.AddLink(&refuser);
    AnswerBoxes({});
    ClickMenu(*main_, "NewTurn1");
    source.RemoveLink(&refuser);

    QStringList shown = Shown();
    shown.sort();
    EXPECT_EQ(shown, QStringList({"Ann", "Zoe"}));
    EXPECT_EQ(InitOf(QStringLiteral("Stubborn")), QVariant(10)) << "its edit was cancelled";
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
    EXPECT_TRUE(boxTexts_.isEmpty()) << "nothing is reported";
}

// Fails every edit with an error that is no refusal of the data layer.
class Breaker final : public TDataLink {
public:
    void StateChanged() override { throw Exception(QStringLiteral("broken")); }
};

TEST_F(Tracking, AFailureThatIsNoRefusalStopsTheWalkAndIsShown) {
    for (const char* name : {"Ann", "Zoe"}) {
        AddCombatant(QLatin1String(name), 10, 1);
        Done(QLatin1String(name));
    }
    Breaker breaker;
    auto& source = Component<TDataSource>("dsInit");
    source.AddLink(&breaker);
    AnswerBoxes({Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1");
    source.RemoveLink(&breaker);
    Combatants().Cancel();

    EXPECT_EQ(boxTexts_, QStringList({"broken."}));
    for (const char* name : {"Ann", "Zoe"}) {
        Locate(QLatin1String(name));
        EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Active")).Value(), QVariant(false))
            << name << ": the walk stopped at the first combatant";
    }
}

TEST_F(Tracking, NamesWithQuotesBracketsAndAccentsPassUntouched) {
    const QString odd = QStringLiteral("O'Brien [\"the\" Ünïcødé] ] '' \u00ae");
    AddCombatant(odd, 5, 1);
    AddEffect(odd, 2);
    EXPECT_EQ(Shown(), QStringList({odd}));
    AnswerBoxes({Qt::Key_Escape});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(boxTexts_, QStringList({QStringLiteral("Delete This Effect? - ") + odd}));
    EXPECT_EQ(Shown(), QStringList({odd}));
}

TEST_F(Tracking, ATypicalFight) {
    // Three combatants come in; the troll gets two passes.
    AddCombatant(QStringLiteral("Street Sam"), 14, 2);
    AddCombatant(QStringLiteral("Mage"), 11, 1);
    AddCombatant(QStringLiteral("Troll"), 8, 2);
    AddEffect(QStringLiteral("Stunned troll"), 2);
    AddEffect(QStringLiteral("Armor spell"), 3);

    for (const char* name : {"Street Sam", "Mage", "Troll"})
        Done(QLatin1String(name));
    EXPECT_TRUE(Shown().isEmpty());

    ClickMenu(*main_, "NewInitPass1");
    QStringList second = Shown();
    second.sort();
    EXPECT_EQ(second, QStringList({"Street Sam", "Troll"}));
    Done(QStringLiteral("Troll"));
    EXPECT_EQ(Shown(), QStringList({"Street Sam"}));

    AnswerBoxes({Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(boxTexts_, QStringList({"Delete This Effect? - Stunned troll"}));
    EXPECT_EQ(EffectNames(), QStringList({"Armor spell"}));
    EXPECT_EQ(Shown().size(), 3);
    EXPECT_EQ(InitOf(QStringLiteral("Mage")), QVariant(0));
    EXPECT_EQ(Label("lblTurn"), QStringLiteral("Turn #: 2"));
    EXPECT_EQ(Label("lblPass"), QStringLiteral("Pass #: 1"));
}

} // namespace
} // namespace trevalo
