// Undo and redo from the keyboard, through the real window: Ctrl+Z takes the last change to the
// fight back, Ctrl+Shift+Z and Ctrl+Y do it again, with no question, wherever the focus is; the
// window then shows what it showed at that point.
#include "FightScreen.h"
#include "RandomFight.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/AccessibilityEvents.h"
#include "tests/support/GridDriver.h"
#include "tests/support/GridEventRecorder.h"
#include "tests/support/TrackerFixture.h"
#include "tracker/FightFile.h"
#include "tracker/FightFileSaver.h"
#include "tracker/FightHistory.h"
#include "tracker/FightWindow.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace trevalo {
namespace {

enum class RedoKey { CtrlShiftZ, CtrlY };

class Undo : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        SetReaderListening(true);
        Activate();
        combatants_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
        effects_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdEffects"));
    }

    void TearDown() override {
        SetReaderListening(false);
        TrackerFixture::TearDown();
    }

    /// Clicks \p column's cell in \p row, then closes the editor that the click opens, so that
    /// the keys go to the grid.
    static void Focus(GridDriver& grid, int row, const char* column) {
        grid.ClickCell(row, column);
        if (grid.Grid().Editor())
            grid.Key(Qt::Key_Escape);
    }

    /// As the user's next click would, it makes the main window active again after a box.
    void Activate() {
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    }
    FightHistory& History() const { return test::ChildOf<FightHistory>(*main_); }
    /// The fight entered so far is where the steps begin, as one read from a file is.
    void Begin() { History().Forget(); }

    /// Presses \p key on whatever has the focus in the main window.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : main_.get(), Qt::Key(key), modifiers);
    }
    void PressUndo() { Press(Qt::Key_Z); }
    void PressRedo(RedoKey key = RedoKey::CtrlY) {
        if (key == RedoKey::CtrlY)
            Press(Qt::Key_Y);
        else
            Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void Click(const char* checkBox) {
        QTest::mouseClick(&Component<TStyledCheckBox>(checkBox), Qt::LeftButton);
    }

    FightScreen Look() const { return LookAt(*main_); }
    Fight Held() const { return CaptureFight(*main_); }
    QString FocusedWidget() const {
        const QWidget* focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("<none>");
    }

    std::unique_ptr<GridDriver> combatants_;
    std::unique_ptr<GridDriver> effects_;
};

/// The table events among \p told: what a reader hears of the rows.
QStringList TableEvents(const std::string& told) {
    QStringList events = QString::fromStdString(told).split(QStringLiteral(" / "));
    events.removeIf([](const QString& event) {
        return !event.startsWith(QLatin1String("rows ")) &&
               !event.startsWith(QLatin1String("data ")) && event != QLatin1String("reset");
    });
    return events;
}

TEST_F(Undo, AnOpenFightFileHoldsTheFightAfterEachUndoAndRedo) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fight.trevalo"));
    Fight kept;
    kept.Combatants = {{QStringLiteral("Ann"), 12, 1, true}, {QStringLiteral("Bob"), 8, 1, true}};
    FightFileSaver::Keep(*main_, path, kept);
    Begin();
    const Fight before = Held();

    combatants_->ClickCell(1, "tvInitDoneButton");
    const Fight done = Held();
    ASSERT_NE(done, before);
    EXPECT_EQ(ReadFightFile(path), done);

    PressUndo();
    EXPECT_EQ(Held(), before);
    EXPECT_EQ(ReadFightFile(path), before);

    PressRedo(RedoKey::CtrlY);
    EXPECT_EQ(Held(), done);
    EXPECT_EQ(ReadFightFile(path), done);
}

TEST_F(Undo, AWrongDoneIsTakenBackAndDoneAgain) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8);
    AddCombatant(QStringLiteral("Cy"), 5);
    AddEffect(QStringLiteral("Haste"), 4);
    Begin();
    const FightScreen before = Look();
    const Fight fightBefore = Held();
    ASSERT_EQ(before.Combatants, QStringList({"Ann|12|1", "Bob|8|1", "Cy|5|1"}));

    Focus(*combatants_, 0, "tvInitName");
    GridEventRecorder told(combatants_->Grid());
    combatants_->ClickCell(1, "tvInitDoneButton");
    const std::string toldDone = told.Take();
    const FightScreen done = Look();
    const Fight fightDone = Held();
    ASSERT_EQ(done.Combatants, QStringList({"Ann|12|1", "Cy|5|1"}));

    PressUndo();
    const std::string toldUndo = told.Take();
    EXPECT_EQ(Unfocused(Look()), Unfocused(before));
    EXPECT_EQ(Look().FocusedCombatant, 1) << "on Bob, whom the step touched";
    EXPECT_EQ(Held(), fightBefore);
    EXPECT_EQ(FocusedWidget(), QStringLiteral("grdInit"));
    EXPECT_EQ(TableEvents(toldUndo), QStringList({"rows inserted 1-1"})) << toldUndo;

    PressRedo(RedoKey::CtrlShiftZ);
    EXPECT_EQ(Look(), done);
    EXPECT_EQ(Held(), fightDone);
    EXPECT_EQ(TableEvents(told.Take()), TableEvents(toldDone)) << "told as the Done was";

    PressUndo();
    PressRedo(RedoKey::CtrlY);
    EXPECT_EQ(Look(), done);
    EXPECT_EQ(Held(), fightDone);
}

struct Deletion {
    const char* how;
    const char* grid;
    const char* column; ///< clicked, and for the Del key the cell it is pressed on
    bool delKey;
    const char* question;
};

class WrongDelete : public Undo, public ::testing::WithParamInterface<Deletion> {};

TEST_P(WrongDelete, ComesBackWithNoQuestionAndGoesAgainWithNone) {
    const Deletion& deletion = GetParam();
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8, 3);
    AddCombatant(QStringLiteral("Cy"), 5);
    AddEffect(QStringLiteral("Haste"), 4);
    AddEffect(QStringLiteral("Blind"), 6);
    AddEffect(QStringLiteral("Shield"), 9);
    Begin();
    const FightScreen before = Look();
    const Fight fightBefore = Held();
    GridDriver grid(Component<TDataGrid>(deletion.grid));

    AnswerBoxes({Qt::Key_Return});
    if (deletion.delKey) {
        Focus(grid, 1, deletion.column);
        grid.Key(Qt::Key_Delete);
    } else {
        grid.ClickCell(1, deletion.column);
    }
    Activate();
    ASSERT_EQ(boxTexts_, QStringList({deletion.question}));
    const FightScreen deleted = Look();
    const Fight fightDeleted = Held();
    ASSERT_NE(fightDeleted, fightBefore);

    PressUndo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(before));
    EXPECT_EQ(GridDriver(Component<TDataGrid>(deletion.grid)).FocusedRow(), 1)
        << "on the row that came back";
    EXPECT_EQ(Held(), fightBefore);
    EXPECT_EQ(FocusedWidget(), QLatin1String(deletion.grid));
    PressRedo();
    EXPECT_EQ(Look(), deleted);
    EXPECT_EQ(Held(), fightDeleted);
    EXPECT_EQ(boxTexts_, QStringList({deletion.question})) << "neither asked anything";
}

INSTANTIATE_TEST_SUITE_P(
    ByButtonAndKey, WrongDelete,
    ::testing::Values(
        Deletion{"combatant's button", "grdInit", "tvInitDeleteButton", false,
                 "Are you sure that you wish to delete this character from the table?"},
        Deletion{"Del on a combatant", "grdInit", "tvInitName", true, "Delete record?"},
        Deletion{"effect's button", "grdEffects", "tvEffectsDeleteEffect", false,
                 "Are you sure that you wish to delete this effect from the table?"},
        Deletion{"Del on an effect", "grdEffects", "tvEffectsEndOnTurn", true, "Delete record?"}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.how);
        name.removeIf([](QChar c) { return !c.isLetter(); });
        return name.toStdString();
    });

TEST_F(Undo, AWrongNewTurnComesBackWithTheEffectsItDeleted) {
    AddCombatant(QStringLiteral("Ann"), 12, 2);
    AddCombatant(QStringLiteral("Bob"), 8, 1);
    AddEffect(QStringLiteral("Haste"), 2);
    AddEffect(QStringLiteral("Shield"), 9);
    AddEffect(QStringLiteral("Blind"), 2);
    Begin();
    const FightScreen start = Look();
    combatants_->ClickCell(0, "tvInitDoneButton");
    Press(Qt::Key_P);
    const FightScreen before = Look();
    const Fight fightBefore = Held();
    ASSERT_EQ(before.Pass, QStringLiteral("Pass #: 2"));
    ASSERT_EQ(before.Combatants, QStringList({"Ann|12|2"}));

    AnswerBoxes({Qt::Key_Return, Qt::Key_Return});
    Press(Qt::Key_T);
    answering_.stop();
    Activate();
    ASSERT_EQ(boxTexts_,
              QStringList({"Delete This Effect? - Blind", "Delete This Effect? - Haste"}));
    const FightScreen after = Look();
    const Fight fightAfter = Held();
    ASSERT_EQ(after.Effects, QStringList({"Shield|9"}));
    ASSERT_EQ(after.Combatants, QStringList({"Bob|0|1", "Ann|0|2"})) << "a tie, in entry order";

    boxTexts_.clear();
    AnswerBoxes({});
    AccessibilityEvents told;
    PressUndo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(before));
    EXPECT_EQ(Held(), fightBefore);
    EXPECT_TRUE(told.Saw(QStringLiteral("lblTurn"), QAccessible::NameChanged));
    EXPECT_TRUE(told.Saw(QStringLiteral("lblPass"), QAccessible::NameChanged));
    PressRedo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(after));
    EXPECT_EQ(Held(), fightAfter);
    PressUndo();
    PressUndo();
    PressUndo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(start)) << "New Init Pass and Done taken back too";
    EXPECT_EQ(boxTexts_, QStringList()) << "no question, and no box of any kind";
}

TEST_F(Undo, CtrlZInAnOpenEditorTakesBackTheTypingAndOnceItIsPostedThePost) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8);
    Begin();
    combatants_->ClickCell(1, "tvInitDoneButton");
    const Fight bobDone = Held();
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Key(Qt::Key_F2);
    combatants_->Key(Qt::Key_End);
    combatants_->Type(QStringLiteral("na"));
    TInplaceEdit* editor = combatants_->Grid().Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->text(), QStringLiteral("Annna"));

    PressUndo();
    EXPECT_EQ(combatants_->Grid().Editor(), editor) << "still open";
    EXPECT_EQ(editor->text(), QStringLiteral("Ann"));
    for (RedoKey key : {RedoKey::CtrlShiftZ, RedoKey::CtrlY}) {
        PressRedo(key);
        EXPECT_EQ(editor->text(), QStringLiteral("Annna"));
        PressUndo();
        EXPECT_EQ(editor->text(), QStringLiteral("Ann"));
    }
    EXPECT_EQ(Held(), bobDone) << "no step taken back or done again";

    combatants_->Type(QStringLiteral("e"));
    combatants_->Key(Qt::Key_Return);
    combatants_->ClickNavigator(NavigatorButton::Post);
    ASSERT_EQ(Look().Combatants, QStringList({"Anne|12|1"}));
    PressUndo();
    EXPECT_EQ(Held(), bobDone);
    PressUndo();
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|12|1", "Bob|8|1"}));
}

TEST_F(Undo, ARowTypedButNotPostedIsPostedAndTakenBackAndRedoLeavesIt) {
    AddCombatant(QStringLiteral("Ann"), 12);
    Begin();
    const Fight start = Held();
    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->Type(QStringLiteral("Zed"));
    combatants_->Key(Qt::Key_Return);
    ASSERT_EQ(combatants_->Grid().Editor(), nullptr);
    ASSERT_EQ(Combatants().State(), TDataSetState::dsInsert);

    PressUndo();
    EXPECT_EQ(Held(), start);
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
    PressRedo();
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"Zed", "Ann"}));
    const Fight withZed = Held();
    PressUndo();

    // Posting it would be a new change, which leaves nothing to redo: the typing stays.
    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->Type(QStringLiteral("Max"));
    combatants_->Key(Qt::Key_Return);
    PressRedo();
    EXPECT_EQ(Combatants().State(), TDataSetState::dsInsert);
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("Max"));
    EXPECT_EQ(Held(), start);
    PressUndo();
    EXPECT_EQ(Held(), start);
    PressRedo();
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"Max", "Ann"}));
    EXPECT_NE(Held(), withZed);
}

struct Resting {
    const char* where;
    const char* focus; ///< the widget that holds the focus
};

class NothingToTakeBack : public Undo, public ::testing::WithParamInterface<Resting> {};

TEST_P(NothingToTakeBack, TheKeysDoNothingAndSayNothing) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddEffect(QStringLiteral("Haste"), 4);
    Begin();
    const char* focus = GetParam().focus;
    const auto pressNothing = [&](const std::function<void()>& presses) {
        Component<QWidget>(focus).setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        const Fight fight = Held();
        const QImage picture = main_->grab().toImage();
        AnswerBoxes({});
        AccessibilityEvents told;
        presses();
        QApplication::processEvents();
        EXPECT_EQ(Held(), fight);
        EXPECT_EQ(main_->grab().toImage(), picture);
        EXPECT_EQ(told.All(), QStringList());
        EXPECT_EQ(FocusedWidget(), QLatin1String(focus));
        EXPECT_EQ(boxTexts_, QStringList());
    };

    pressNothing([&] {
        PressUndo();
        PressRedo(RedoKey::CtrlY);
        PressRedo(RedoKey::CtrlShiftZ);
    });
    // One step, taken back: nothing older to take back.
    Click("chkbxKeepInit");
    PressUndo();
    pressNothing([&] {
        PressUndo();
        PressUndo();
    });
    // Done again: nothing newer to do again.
    PressRedo();
    ASSERT_TRUE(Component<TStyledCheckBox>("chkbxKeepInit").isChecked());
    pressNothing([&] {
        PressRedo(RedoKey::CtrlY);
        PressRedo(RedoKey::CtrlShiftZ);
    });
}

INSTANTIATE_TEST_SUITE_P(Anywhere, NothingToTakeBack,
                         ::testing::Values(Resting{"combatants", "grdInit"},
                                           Resting{"effects", "grdEffects"},
                                           Resting{"check box", "chkbxPasses"}),
                         [](const auto& info) {
                             return std::string(info.param.where) == "check box"
                                        ? std::string("checkBox")
                                        : std::string(info.param.where);
                         });

TEST_F(Undo, TheFocusStaysInItsGridAndTheOtherGridOnTheRowTheStepTouched) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8);
    AddCombatant(QStringLiteral("Cy"), 5);
    AddEffect(QStringLiteral("Haste"), 4);
    AddEffect(QStringLiteral("Blind"), 6);
    AddEffect(QStringLiteral("Shield"), 9);
    Begin();
    combatants_->ClickCell(2, "tvInitDoneButton");
    Focus(*effects_, 1, "tvEffectsEffectName");
    ASSERT_EQ(FocusedWidget(), QStringLiteral("grdEffects"));

    PressUndo();
    EXPECT_EQ(FocusedWidget(), QStringLiteral("grdEffects"));
    EXPECT_EQ(effects_->FocusedRow(), 1) << "the effects, which the step left, as they were";
    EXPECT_EQ(combatants_->FocusedRow(), 2) << "Cy, whom the step touched";
    PressRedo();
    EXPECT_EQ(FocusedWidget(), QStringLiteral("grdEffects"));
    EXPECT_EQ(effects_->FocusedRow(), 1);
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|12|1", "Bob|8|1"}));
}

TEST_F(Undo, ShowAllEntriesIsNoStepAndStaysAsTheUserLeftIt) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8);
    Begin();
    combatants_->ClickCell(0, "tvInitDoneButton");
    Click("ckbxShowAll");
    ASSERT_EQ(Look().Combatants, QStringList({"Ann|12|1", "Bob|8|1"}));
    EXPECT_EQ(History().Steps().count(), 1);

    PressUndo();
    EXPECT_TRUE(Look().ShowAll);
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|12|1", "Bob|8|1"}));
    Click("ckbxShowAll");
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|12|1", "Bob|8|1"})) << "Ann to go again";
    PressUndo();
    EXPECT_FALSE(Look().ShowAll) << "nothing older to take back";
}

TEST_F(Undo, ANewTurnThatFilteredUnderTheTickedBoxShowsEveryoneAgainWhenTakenBack) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8, 0);
    Click("ckbxShowAll");
    Begin();
    const FightScreen before = Look();
    ASSERT_EQ(before.Combatants, QStringList({"Ann|12|1", "Bob|8|0"}));
    Press(Qt::Key_T);
    ASSERT_EQ(Look().Combatants, QStringList({"Ann|0|1"}));
    PressUndo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(before));
    PressRedo();
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|0|1"}));
    // Unticked in between, the box is the user's: the view stays filtered.
    Click("ckbxShowAll");
    PressUndo();
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|12|1"}));
    EXPECT_FALSE(Look().ShowAll);
}

TEST_F(Undo, TheCheckBoxesAreStepsWithAllThatTheirClicksShowOrHide) {
    AddCombatant(QStringLiteral("Ann"), 12, 2);
    Begin();
    const FightScreen before = Look();
    Click("chkbxPasses");
    Click("chkbxKeepInit");
    const FightScreen after = Look();
    ASSERT_FALSE(after.NewInitPassInMenu);
    ASSERT_EQ(after.Pass, QString());
    ASSERT_TRUE(after.KeepInit);

    PressUndo();
    PressUndo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(before));
    EXPECT_TRUE(Look().NewInitPassInMenu);
    PressRedo();
    PressRedo();
    EXPECT_EQ(Unfocused(Look()), Unfocused(after));
}

TEST_F(Undo, AtLeastTheLast200StepsAreKept) {
    Begin();
    for (int pass = 1; pass <= FightHistory::kSteps + 5; ++pass)
        Press(Qt::Key_P);
    ASSERT_EQ(Look().Pass, QStringLiteral("Pass #: 206"));
    for (int press = 0; press < FightHistory::kSteps; ++press)
        PressUndo();
    EXPECT_EQ(Look().Pass, QStringLiteral("Pass #: 6"));
    PressUndo();
    EXPECT_EQ(Look().Pass, QStringLiteral("Pass #: 6")) << "the first five steps are gone";
    for (int press = 0; press < FightHistory::kSteps; ++press)
        PressRedo();
    EXPECT_EQ(Look().Pass, QStringLiteral("Pass #: 206"));
}

TEST_F(Undo, ANewChangeAfterAnUndoDropsTheStepsUndone) {
    AddCombatant(QStringLiteral("Ann"), 12);
    AddCombatant(QStringLiteral("Bob"), 8);
    Begin();
    combatants_->ClickCell(0, "tvInitDoneButton");
    PressUndo();
    combatants_->ClickCell(1, "tvInitDoneButton");
    const Fight bobDone = Held();
    PressRedo();
    EXPECT_EQ(Held(), bobDone);
    PressUndo();
    EXPECT_EQ(Look().Combatants, QStringList({"Ann|12|1", "Bob|8|1"}));
}

TEST_F(Undo, EachUndoAndRedoTellsTheFightItPutIntoTheWindow) {
    AddCombatant(QStringLiteral("Ann"), 12);
    Begin();
    combatants_->ClickCell(0, "tvInitDoneButton");
    QSignalSpy restored(&History(), &FightHistory::Restored);
    PressUndo();
    PressUndo();
    ASSERT_EQ(restored.count(), 1) << "the second press had nothing to take back";
    EXPECT_EQ(restored.takeFirst().at(0).value<Fight>(), Held());
    PressRedo();
    ASSERT_EQ(restored.count(), 1);
    EXPECT_EQ(restored.takeFirst().at(0).value<Fight>(), Held());
}

TEST_F(Undo, WhatStartUpPutsInIsNoStep) {
    // A second window, filled before it is first shown, as from a file.
    main_.reset();
    main_.reset(new TfrmTrevaloMain(frmTrevaloMain));
    std::mt19937 random(7);
    const Fight fight = test::RandomFight(random, 12);
    RestoreFight(*main_, fight);
    main_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
    Activate();
    PressUndo();
    EXPECT_EQ(Held(), fight);
    EXPECT_EQ(History().Steps().count(), 0);
}

} // namespace
} // namespace trevalo
