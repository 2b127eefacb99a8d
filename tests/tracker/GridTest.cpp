#include "components/controls/TStyledCheckBox.h"
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QTest>
#include <climits>

namespace trevalo {
namespace {

const QColor kMoneyGreen(0xC0, 0xDC, 0xC0);

class Grid : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        combatants_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
        effects_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdEffects"));
    }

    /// Combatant names top to bottom, with their initiative: "Ann 12".
    QStringList Rows() const {
        const QStringList names = combatants_->Texts("tvInitName");
        const QStringList inits = combatants_->Texts("tvInitInit");
        QStringList rows;
        for (qsizetype i = 0; i < names.size(); ++i)
            rows.append((names[i] + QLatin1Char(' ') + inits[i]).trimmed());
        return rows;
    }
    QString FocusedName() const {
        const int row = combatants_->FocusedRow();
        return row < 0 ? QStringLiteral("<none>") : combatants_->Texts("tvInitName")[row];
    }
    QString Current() const {
        return Combatants().IsEmpty() ? QStringLiteral("<none>")
                                      : Combatants().FieldByName(QStringLiteral("Name")).AsString();
    }
    /// Types into the focused cell and leaves the editor with Enter.
    void Enter(const QString& text) {
        combatants_->Type(text);
        combatants_->Key(Qt::Key_Return);
    }

    std::unique_ptr<GridDriver> combatants_;
    std::unique_ptr<GridDriver> effects_;
};

// ---- order -----------------------------------------------------------------------------------

TEST_F(Grid, SortsByInitiativeDescendingWithNullsLastAndTiesInTheViewsOrder) {
    AddCombatant(QStringLiteral("A"), 12);
    AddCombatant(QStringLiteral("B"), {});
    AddCombatant(QStringLiteral("C"), 15);
    AddCombatant(QStringLiteral("D"), 12);
    // Each insert stands in front of the current record, so the view's own order is D C B A.
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"D", "C", "B", "A"}));
    EXPECT_EQ(Rows(), QStringList({"C 15", "D 12", "A 12", "B"}));
    combatants_->ClickHeader("tvInitInit");
    EXPECT_EQ(Rows(), QStringList({"B", "D 12", "A 12", "C 15"}));
    combatants_->ClickHeader("tvInitInit");
    EXPECT_EQ(Rows(), QStringList({"C 15", "D 12", "A 12", "B"}));
}

TEST_F(Grid, IntegersCompareNumericallyOverTheWholeRange) {
    AddCombatant(QStringLiteral("nine"), 9);
    AddCombatant(QStringLiteral("ten"), 10);
    AddCombatant(QStringLiteral("least"), INT_MIN);
    AddCombatant(QStringLiteral("most"), INT_MAX);
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"most", "ten", "nine", "least"}));
}

TEST_F(Grid, EffectsSortByEndTurnAscendingWithNullsFirst) {
    AddEffect(QStringLiteral("three"), 3);
    AddEffect(QStringLiteral("none"), {});
    AddEffect(QStringLiteral("one"), 1);
    EXPECT_EQ(effects_->Texts("tvEffectsEffectName"), QStringList({"none", "one", "three"}));
}

TEST_F(Grid, HeaderClicksFollowCtrlAndShift) {
    AddCombatant(QStringLiteral("abe"), 5);
    AddCombatant(QStringLiteral("Zed"), 5);
    AddCombatant(QStringLiteral("Cy"), 7);
    AddCombatant(QStringLiteral("Al"), 5);
    // Own order: Al Cy Zed abe.
    struct Step {
        const char* column;
        Qt::KeyboardModifiers modifiers;
        QStringList names;
    };
    const Step steps[] = {
        {"tvInitName", {}, {"Al", "Cy", "Zed", "abe"}},
        {"tvInitName", {}, {"abe", "Zed", "Cy", "Al"}},
        {"tvInitInit", {}, {"Al", "Zed", "abe", "Cy"}},
        {"tvInitName", Qt::ShiftModifier, {"Al", "Zed", "abe", "Cy"}},
        {"tvInitName", Qt::ShiftModifier, {"abe", "Zed", "Al", "Cy"}},
        {"tvInitInit", Qt::ControlModifier, {"abe", "Zed", "Cy", "Al"}},
        {"tvInitName", Qt::ControlModifier, {"Al", "Cy", "Zed", "abe"}},
        // Columns that refuse sorting ignore the click.
        {"tvInitPasses", {}, {"Al", "Cy", "Zed", "abe"}},
        {"tvInitDoneButton", {}, {"Al", "Cy", "Zed", "abe"}},
    };
    for (const Step& step : steps) {
        combatants_->ClickHeader(step.column, step.modifiers);
        EXPECT_EQ(combatants_->Texts("tvInitName"), step.names) << step.column;
    }
}

TEST_F(Grid, AHeaderClickKeepsTheFocusedRecordAndMovesNothing) {
    AddCombatant(QStringLiteral("A"), 1);
    AddCombatant(QStringLiteral("B"), 2);
    AddCombatant(QStringLiteral("C"), 3);
    combatants_->ClickCell(2, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    ASSERT_EQ(FocusedName(), QStringLiteral("A"));
    combatants_->ClickHeader("tvInitInit");
    EXPECT_EQ(FocusedName(), QStringLiteral("A"));
    EXPECT_EQ(combatants_->FocusedRow(), 0);
    EXPECT_EQ(Current(), QStringLiteral("A"));
}

TEST_F(Grid, APressDraggedBeyondTheThresholdIsNoClick) {
    AddCombatant(QStringLiteral("A"), 1);
    AddCombatant(QStringLiteral("B"), 2);
    TDataGrid& grid = combatants_->Grid();
    const QPoint header = grid.Geometry().HeaderRect(&combatants_->Column("tvInitInit")).center();
    for (const int moved : {4, 5}) {
        QTest::mousePress(&grid, Qt::LeftButton, {}, header);
        QMouseEvent move(QEvent::MouseMove, header + QPoint(moved, 0),
                         grid.mapToGlobal(header + QPoint(moved, 0)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&grid, &move);
        QTest::mouseRelease(&grid, Qt::LeftButton, {}, header + QPoint(moved, 0));
        EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"A", "B"})) << moved;
    }
}

// ---- editing ---------------------------------------------------------------------------------

TEST_F(Grid, ATypedInitiativeMovesItsRowOnlyWhenPosted) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(1, "tvInitInit");
    Enter(QStringLiteral("30"));
    EXPECT_EQ(Rows(), QStringList({"B 20", "A 30"}));
    EXPECT_EQ(Combatants().State(), TDataSetState::dsEdit);
    combatants_->ClickNavigator(NavigatorButton::Post);
    EXPECT_EQ(Rows(), QStringList({"A 30", "B 20"}));
    EXPECT_EQ(FocusedName(), QStringLiteral("A"));
}

TEST_F(Grid, InsertTypeAndPostStoresTheDefaultsAndSortsTheRow) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickNavigator(NavigatorButton::Insert);
    ASSERT_EQ(Combatants().State(), TDataSetState::dsInsert);
    EXPECT_EQ(combatants_->FocusedRow(), 0) << "the new row stands where the focus was";
    Enter(QStringLiteral("Cy"));
    combatants_->Key(Qt::Key_Tab);
    Enter(QStringLiteral("15"));
    combatants_->ClickNavigator(NavigatorButton::Post);
    EXPECT_EQ(Rows(), QStringList({"B 20", "Cy 15", "A 10"}));
    EXPECT_EQ(combatants_->Texts("tvInitPasses"), QStringList({"1", "1", "1"}));
    EXPECT_EQ(FocusedName(), QStringLiteral("Cy"));
    Locate(QStringLiteral("Cy"));
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Active")).Value(), QVariant(true));
}

TEST_F(Grid, InsertTwiceWithoutTypingLeavesOneNewRow) {
    AddCombatant(QStringLiteral("A"), 10);
    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->ClickNavigator(NavigatorButton::Insert);
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"", "A"}));
    combatants_->ClickNavigator(NavigatorButton::Cancel);
    EXPECT_EQ(Rows(), QStringList({"A 10"}));
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"A"}));
}

TEST_F(Grid, InsertTypeThenInsertStoresTheFirstAndBeginsASecond) {
    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->Type(QStringLiteral("Ann"));
    combatants_->ClickNavigator(NavigatorButton::Insert);
    EXPECT_EQ(Combatants().State(), TDataSetState::dsInsert);
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"", "Ann"}));
    combatants_->Key(Qt::Key_Escape);
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList({"Ann"}));
}

TEST_F(Grid, TheInsertKeyBeginsARowInPlaceOfTheFocusedOne) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(1, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    combatants_->Key(Qt::Key_Insert);
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"B", "", "A"}));
    EXPECT_EQ(combatants_->FocusedRow(), 1);
}

TEST_F(Grid, CtrlNBeginsARowAsInsertDoesAlsoFromAnOpenEditor) {
    // Screen readers keep Insert for themselves; Ctrl+N is the new row a blind user has.
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(1, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    combatants_->Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"B", "", "A"}));
    EXPECT_EQ(combatants_->FocusedRow(), 1);
    EXPECT_EQ(Combatants().State(), TDataSetState::dsInsert);
    combatants_->Type(QStringLiteral("Cy"));
    combatants_->Key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(combatants_->Grid().Editor(), nullptr) << "the typed name is written first";
    EXPECT_EQ(Combatants().State(), TDataSetState::dsInsert);
    const QStringList names = combatants_->Texts("tvInitName");
    EXPECT_TRUE(names.contains(QStringLiteral("Cy"))) << names.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(names.count(QString()), 1) << "one new row";
    combatants_->Type(QStringLiteral("n"));
    ASSERT_NE(combatants_->Grid().Editor(), nullptr);
    EXPECT_EQ(combatants_->Grid().Editor()->text(), QStringLiteral("n")) << "N alone is typed";
}

TEST_F(Grid, EscapeDiscardsTheTextAndASecondEscapeCancelsTheRow) {
    AddCombatant(QStringLiteral("A"), 10);
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Type(QStringLiteral("Bo"));
    ASSERT_EQ(Combatants().State(), TDataSetState::dsEdit);
    combatants_->Key(Qt::Key_Escape);
    EXPECT_EQ(combatants_->Grid().Editor(), nullptr);
    EXPECT_EQ(Rows(), QStringList({"A 10"}));
    EXPECT_EQ(Combatants().State(), TDataSetState::dsEdit);
    combatants_->Key(Qt::Key_Escape);
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
}

TEST_F(Grid, ABadIntegerKeepsTheEditorAndItsText) {
    AddCombatant(QStringLiteral("A"), 10);
    combatants_->ClickCell(0, "tvInitInit");
    AnswerBoxes({Qt::Key_Return});
    Enter(QStringLiteral("12a"));
    EXPECT_EQ(boxTexts_.join(QLatin1Char('|')).toStdString(),
              "'12a' is not a valid integer value for field 'Init'");
    ASSERT_NE(combatants_->Grid().Editor(), nullptr);
    EXPECT_EQ(combatants_->Grid().Editor()->text(), QStringLiteral("12a"));
    EXPECT_EQ(main_->focusWidget(), combatants_->Grid().Editor());
    EXPECT_EQ(Combatants().State(), TDataSetState::dsEdit);
    combatants_->Key(Qt::Key_Escape);
    combatants_->Key(Qt::Key_Escape);
    EXPECT_EQ(Rows(), QStringList({"A 10"}));
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
}

TEST_F(Grid, AClearedPassesIsBlank) {
    AddCombatant(QStringLiteral("A"), 10, 2);
    combatants_->ClickCell(0, "tvInitPasses");
    combatants_->Key(Qt::Key_Backspace);
    combatants_->Key(Qt::Key_Return);
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Passes")).Value(), QVariant());
}

TEST_F(Grid, EditorsRefuseTextBeyondTheFieldSize) {
    struct Case {
        GridDriver* grid;
        const char* column;
        int size;
    };
    for (const Case& row : {Case{combatants_.get(), "tvInitName", 50},
                            Case{effects_.get(), "tvEffectsEffectName", 200}}) {
        row.grid->ClickNavigator(NavigatorButton::Insert);
        row.grid->ClickCell(0, row.column);
        row.grid->Type(QString(row.size + 1, QLatin1Char('x')));
        ASSERT_NE(row.grid->Grid().Editor(), nullptr);
        EXPECT_EQ(row.grid->Grid().Editor()->text().size(), row.size) << row.column;
        row.grid->Key(Qt::Key_Return);
        EXPECT_EQ(row.grid->Texts(row.column)[0].size(), row.size);
    }
}

TEST_F(Grid, LeavingTheGridDropsAnUntouchedNewRowAndKeepsATypedOne) {
    AddEffect(QStringLiteral("Haste"), 5);
    combatants_->ClickNavigator(NavigatorButton::Insert);
    effects_->ClickCell(0, "tvEffectsEffectName");
    EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
    EXPECT_TRUE(Rows().isEmpty());

    combatants_->ClickNavigator(NavigatorButton::Insert);
    combatants_->Type(QStringLiteral("Ann"));
    effects_->ClickCell(0, "tvEffectsEffectName");
    EXPECT_EQ(Combatants().State(), TDataSetState::dsInsert) << "written but not posted";
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Name")).AsString(), QStringLiteral("Ann"));
    EXPECT_EQ(combatants_->Grid().Editor(), nullptr);
}

// ---- keys ------------------------------------------------------------------------------------

TEST_F(Grid, TabMovesCellByCellAndStopsAtTheRowsEnds) {
    AddCombatant(QStringLiteral("A"), 10);
    TDBTableView& view = combatants_->View();
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    combatants_->Key(Qt::Key_Home);
    const char* order[] = {"tvInitName", "tvInitInit", "tvInitPasses", "tvInitDeleteButton",
                           "tvInitDeleteButton"};
    for (const char* expected : order) {
        combatants_->Key(Qt::Key_Tab);
        EXPECT_EQ(view.FocusedColumn()->objectName(), QLatin1String(expected));
    }
    for (int i = 0; i < 5; ++i)
        combatants_->Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(view.FocusedColumn()->objectName(), QLatin1String("tvInitDoneButton"));
    EXPECT_TRUE(combatants_->Grid().hasFocus()) << "Tab never leaves the grid";

    QTest::mouseClick(&Component<TStyledCheckBox>("chkbxPasses"), Qt::LeftButton);
    combatants_->ClickCell(0, "tvInitInit");
    combatants_->Key(Qt::Key_Tab);
    EXPECT_EQ(view.FocusedColumn()->objectName(), QLatin1String("tvInitDeleteButton"));
}

TEST_F(Grid, DeleteAsksTheGridsOwnQuestion) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    AnswerBoxes({Qt::Key_Escape, Qt::Key_Return});
    combatants_->Key(Qt::Key_Delete);
    EXPECT_EQ(Rows(), QStringList({"B 20", "A 10"}));
    combatants_->Key(Qt::Key_Delete);
    EXPECT_EQ(Rows(), QStringList({"A 10"}));
    EXPECT_EQ(boxTexts_, QStringList({"Delete record?", "Delete record?"}));
    EXPECT_EQ(boxTitles_, QStringList({"Confirm", "Confirm"}));
}

TEST_F(Grid, ArrowsAndHomeEndMoveTheFocusAndTheWorkingView) {
    for (int i = 1; i <= 4; ++i)
        AddCombatant(QStringLiteral("C%1").arg(i), i);
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* name;
    };
    const Step steps[] = {{Qt::Key_Down, {}, "C3"},     {Qt::Key_Down, {}, "C2"},
                          {Qt::Key_Up, {}, "C3"},       {Qt::Key_End, Qt::ControlModifier, "C1"},
                          {Qt::Key_Down, {}, "C1"},     {Qt::Key_Home, Qt::ControlModifier, "C4"},
                          {Qt::Key_PageDown, {}, "C1"}, {Qt::Key_PageUp, {}, "C4"}};
    for (const Step& step : steps) {
        combatants_->Key(step.key, step.modifiers);
        EXPECT_EQ(FocusedName(), QLatin1String(step.name));
        EXPECT_EQ(Current(), QLatin1String(step.name));
    }
}

// ---- button columns ----------------------------------------------------------------------------

TEST_F(Grid, DoneOnAnotherRowSettlesTheNewRowFirst) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    for (const bool typed : {false, true}) {
        combatants_->ClickNavigator(NavigatorButton::Insert);
        if (typed) {
            combatants_->ClickCell(combatants_->FocusedRow(), "tvInitName");
            Enter(QStringLiteral("New"));
        }
        const int rowOfA = combatants_->Texts("tvInitName").indexOf(QStringLiteral("A"));
        combatants_->ClickCell(rowOfA, "tvInitDoneButton");
        EXPECT_EQ(Combatants().State(), TDataSetState::dsBrowse);
        EXPECT_FALSE(combatants_->Texts("tvInitName").contains(QStringLiteral("A")));
        EXPECT_EQ(combatants_->Texts("tvInitName").contains(QStringLiteral("New")), typed);
        main_->UpdateFilter();
        Combatants().SetFiltered(false);
        Locate(QStringLiteral("A"));
        Combatants().Edit();
        Combatants().FieldByName(QStringLiteral("Active")).SetValue(true);
        Combatants().Post();
        main_->UpdateFilter();
    }
}

TEST_F(Grid, DoneOnTheNewRowItselfActsOnIt) {
    AddCombatant(QStringLiteral("A"), 10);
    combatants_->ClickNavigator(NavigatorButton::Insert);
    Enter(QStringLiteral("New"));
    combatants_->ClickCell(combatants_->FocusedRow(), "tvInitDoneButton");
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"A"}));
    Combatants().SetFiltered(false);
    Locate(QStringLiteral("New"));
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Active")).Value(), QVariant(false));
}

TEST_F(Grid, CtrlEnterInAnOpenButtonCellClicksIt) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(1, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    combatants_->Key(Qt::Key_Home);
    combatants_->Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Rows(), QStringList({"B 20", "A 10"})) << "no editor open: nothing happens";
    combatants_->Key(Qt::Key_F2);
    combatants_->Key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(Rows(), QStringList({"B 20"}));
}

TEST_F(Grid, SpacePressesTheFocusedButtonCellAndTypesInTheOthers) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    combatants_->Key(Qt::Key_Home);
    combatants_->Key(Qt::Key_Space);
    EXPECT_EQ(Rows(), QStringList({"A 10"})) << "Done";
    combatants_->Key(Qt::Key_End);
    AnswerBoxes({Qt::Key_Escape});
    combatants_->Key(Qt::Key_Space);
    EXPECT_EQ(boxTexts_,
              QStringList({"Are you sure that you wish to delete this character from the "
                           "table?"}));
    EXPECT_EQ(Rows(), QStringList({"A 10"})) << "Delete, cancelled";
    combatants_->Key(Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(boxTexts_.size(), 1) << "Ctrl+Space presses nothing";
    combatants_->Key(Qt::Key_Home);
    combatants_->Key(Qt::Key_Right);
    combatants_->Key(Qt::Key_Space);
    ASSERT_NE(combatants_->Grid().Editor(), nullptr);
    EXPECT_EQ(combatants_->Grid().Editor()->text(), QStringLiteral(" ")) << "a name's space";
}

TEST_F(Grid, ARowButtonActsOnReleaseOverIt) {
    AddCombatant(QStringLiteral("A"), 10);
    TDataGrid& grid = combatants_->Grid();
    const QPoint button = combatants_->CellCenter(0, "tvInitDoneButton");
    QTest::mousePress(&grid, Qt::LeftButton, {}, button);
    QTest::mouseRelease(&grid, Qt::LeftButton, {}, combatants_->CellCenter(0, "tvInitName"));
    EXPECT_EQ(Rows(), QStringList({"A 10"}));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, button);
    EXPECT_TRUE(Rows().isEmpty());
}

// The first click of a double click takes its row away and the next row slides under the
// pointer: the second click must not act on that one.
TEST_F(Grid, ADoubleClickOnARowButtonActsOnOneRecord) {
    struct Case {
        GridDriver* grid;
        const char* column;
        QList<Qt::Key> answers; ///< to the questions a click asks
    };
    for (const Case& c :
         {Case{combatants_.get(), "tvInitDoneButton", {}},
          Case{combatants_.get(), "tvInitDeleteButton", {Qt::Key_Return, Qt::Key_Return}},
          Case{effects_.get(), "tvEffectsDeleteEffect", {Qt::Key_Return, Qt::Key_Return}}}) {
        SCOPED_TRACE(c.column);
        for (TWorkingView* view : {&Combatants(), &Effects()}) {
            view->SetFiltered(false);
            while (!view->IsEmpty())
                view->Delete();
        }
        for (int i = 1; i <= 4; ++i) {
            AddCombatant(QStringLiteral("C%1").arg(i), 10 * i);
            AddEffect(QStringLiteral("E%1").arg(i), i);
        }
        main_->UpdateFilter();
        boxTexts_.clear();
        AnswerBoxes(c.answers);
        TDataGrid& grid = c.grid->Grid();
        const QPoint button = grid.mapTo(main_.get(), c.grid->CellCenter(1, c.column));
        ASSERT_EQ(c.grid->View().DataController().RowCount(), 4);
        QTest::mouseDClick(main_->windowHandle(), Qt::LeftButton, {}, button);
        EXPECT_EQ(c.grid->View().DataController().RowCount(), 3);
        EXPECT_EQ(boxTexts_.size(), c.answers.isEmpty() ? 0 : 1)
            << boxTexts_.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(Grid, TheFocusFollowsTheCommandsWalks) {
    AddCombatant(QStringLiteral("Lo"), 3);
    AddCombatant(QStringLiteral("Hi"), 20);
    AddCombatant(QStringLiteral("Mid"), 10);
    // Own order: Mid Hi Lo; the grid: Hi Mid Lo.
    combatants_->ClickCell(0, "tvInitDoneButton");
    EXPECT_EQ(Rows(), QStringList({"Mid 10", "Lo 3"}));
    EXPECT_EQ(FocusedName(), QStringLiteral("Lo")) << "the record after the done one";
    combatants_->ClickCell(1, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    AddEffect(QStringLiteral("Far"), 9);
    AddEffect(QStringLiteral("Near"), 4);
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(FocusedName(), QStringLiteral("Mid")) << "the view's first record";
    EXPECT_EQ(effects_->Texts("tvEffectsEffectName")[effects_->FocusedRow()], QStringLiteral("Far"))
        << "where the walk of the effects ended";
}

// ---- painting --------------------------------------------------------------------------------

TEST_F(Grid, StripesStayInPlaceAsRecordsMove) {
    for (int i = 1; i <= 4; ++i)
        AddCombatant(QStringLiteral("C%1").arg(i), i);
    main_->setFocus();
    auto stripes = [this] {
        QList<bool> green;
        for (int row = 0; row < combatants_->View().DataController().RowCount(); ++row) {
            if (row != combatants_->FocusedRow())
                green.append(combatants_->Background(row, "tvInitName") == kMoneyGreen);
            else
                green.append(row % 2 == 0);
        }
        return green;
    };
    const QList<bool> four = {true, false, true, false};
    EXPECT_EQ(stripes(), four);
    combatants_->ClickHeader("tvInitName");
    main_->setFocus();
    EXPECT_EQ(stripes(), four);
    Locate(QStringLiteral("C2"));
    main_->tvInitDoneButtonPropertiesButtonClick(nullptr);
    EXPECT_EQ(stripes(), QList<bool>({true, false, true}));
    AddCombatant(QStringLiteral("C5"), 5);
    EXPECT_EQ(stripes(), four);
    Locate(QStringLiteral("C1"));
    Combatants().Delete();
    EXPECT_EQ(stripes(), QList<bool>({true, false, true}));
}

TEST_F(Grid, TheFocusedRowShowsSelectionOrInactiveColoursButItsFocusedCell) {
    AddCombatant(QStringLiteral("A"), 10);
    AddCombatant(QStringLiteral("B"), 20);
    combatants_->ClickCell(1, "tvInitInit");
    combatants_->Key(Qt::Key_Escape);
    const QPalette palette = combatants_->Grid().palette();
    EXPECT_EQ(combatants_->Background(1, "tvInitName"), palette.color(QPalette::Highlight));
    EXPECT_EQ(combatants_->Background(1, "tvInitInit"), palette.color(QPalette::Base));
    EXPECT_EQ(combatants_->Background(0, "tvInitName"), kMoneyGreen);
    main_->setFocus();
    EXPECT_EQ(combatants_->Background(1, "tvInitName"), palette.color(QPalette::Button));
}

TEST_F(Grid, TheCheckBoxColumnShowsThreeStatesAndRefusesClicks) {
    AddCombatant(QStringLiteral("Yes"), 3, 1);
    AddCombatant(QStringLiteral("No"), 2, 1, false);
    AddCombatant(QStringLiteral("Blank"), 1, 1, QVariant());
    QTest::mouseClick(&Component<TStyledCheckBox>("ckbxShowAll"), Qt::LeftButton);
    combatants_->Column("tvInitActive").SetVisible(true);
    ASSERT_EQ(Rows(), QStringList({"Yes 3", "No 2", "Blank 1"}));
    main_->setFocus();
    auto box = [this](int row) {
        combatants_->CellCenter(row, "tvInitActive");
        const QRect cell =
            combatants_->Grid().Geometry().CellRect(row, &combatants_->Column("tvInitActive"));
        const QImage image = combatants_->Grid().grab(cell).toImage();
        // The stripes differ by row; only the box in the middle counts.
        return image.copy(
            QRect(QPoint(0, 0), QSize(13, 13)).translated(image.rect().center() - QPoint(6, 6)));
    };
    const QImage checked = box(0), unchecked = box(1), grayed = box(2);
    EXPECT_NE(checked, unchecked);
    EXPECT_NE(checked, grayed);
    EXPECT_NE(unchecked, grayed);
    // A black mark for True, none for False, a grey one on a dotted ground for blank: the
    // frame is grey in all three, so the grey mark shows as grey beyond the plain box's.
    const auto count = [](const QImage& image, auto&& counts) {
        int pixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels += counts(image.pixelColor(x, y)) ? 1 : 0;
        return pixels;
    };
    const auto black = [](const QColor& c) { return c == Qt::black; };
    const auto grey = [](const QColor& c) {
        return c.red() == c.green() && c.green() == c.blue() && c != Qt::black && c != Qt::white;
    };
    EXPECT_GE(count(checked, black), 14) << "a 7-pixel mark, 2 to 3 pixels thick";
    EXPECT_EQ(count(checked, grey), count(unchecked, grey));
    EXPECT_EQ(count(unchecked, black), 0);
    EXPECT_EQ(count(grayed, black), 0);
    EXPECT_GE(count(grayed, grey), count(unchecked, grey) + 14);
    combatants_->ClickCell(1, "tvInitActive");
    combatants_->Key(Qt::Key_Space);
    combatants_->Key(Qt::Key_Return);
    Locate(QStringLiteral("No"));
    EXPECT_EQ(Combatants().FieldByName(QStringLiteral("Active")).Value(), QVariant(false));
    EXPECT_EQ(combatants_->Grid().Editor(), nullptr);
}

// ---- navigator -------------------------------------------------------------------------------

TEST_F(Grid, TheNavigatorShowsInsertPostCancelAndTracksTheState) {
    for (GridDriver* grid : {combatants_.get(), effects_.get()}) {
        TGridNavigator& navigator = *grid->Grid().Navigator();
        QList<NavigatorButton> shown;
        for (int i = 0; i < TNavigatorButtons::Count(); ++i) {
            if (!navigator.ButtonRect(NavigatorButton(i)).isEmpty())
                shown.append(NavigatorButton(i));
        }
        EXPECT_EQ(shown, QList<NavigatorButton>({NavigatorButton::Insert, NavigatorButton::Post,
                                                 NavigatorButton::Cancel}));
        EXPECT_TRUE(navigator.IsButtonEnabled(NavigatorButton::Insert));
        EXPECT_FALSE(navigator.IsButtonEnabled(NavigatorButton::Post));
        grid->ClickNavigator(NavigatorButton::Insert);
        EXPECT_TRUE(navigator.IsButtonEnabled(NavigatorButton::Post));
        EXPECT_TRUE(navigator.IsButtonEnabled(NavigatorButton::Cancel));
        grid->ClickNavigator(NavigatorButton::Cancel);
        EXPECT_FALSE(navigator.IsButtonEnabled(NavigatorButton::Cancel));
    }
}

} // namespace
} // namespace trevalo
