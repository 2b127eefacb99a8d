// The grids and their navigators as a screen reader reads them in-process through QAccessible:
// the table, its headers and cells, the press actions, and the events of each change.
#include "tests/support/GridDriver.h"
#include "tests/support/GridEventRecorder.h"
#include "tests/support/TrackerFixture.h"

#include <QAccessible>
#include <QScrollBar>
#include <QTest>

namespace trevalo {
namespace {

class Accessibility : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        SetReaderListening(true);
        combatants_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
        effects_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdEffects"));
    }
    void TearDown() override {
        SetReaderListening(false);
        TrackerFixture::TearDown();
    }

    static QAccessibleInterface* Interface(QObject* object) {
        return QAccessible::queryAccessibleInterface(object);
    }
    static QAccessibleTableInterface* Table(TDataGrid& grid) {
        QAccessibleInterface* iface = Interface(&grid);
        return iface ? iface->tableInterface() : nullptr;
    }
    /// Every shown row's cell texts joined by "|", top to bottom.
    static QStringList Rows(QAccessibleTableInterface& table) {
        QStringList rows;
        for (int row = 0; row < table.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table.columnCount(); ++column)
                cells.append(table.cellAt(row, column)->text(QAccessible::Name));
            rows.append(cells.join(QLatin1Char('|')));
        }
        return rows;
    }
    static QStringList Headers(QAccessibleTableInterface& table) {
        QStringList headers;
        for (int column = 0; column < table.columnCount(); ++column)
            headers.append(table.columnDescription(column));
        return headers;
    }
    /// Each child names its parent and its index there; a hidden widget is no child.
    static void ExpectConsistentChildren(QAccessibleInterface& parent) {
        for (int i = 0; i < parent.childCount(); ++i) {
            QAccessibleInterface* child = parent.child(i);
            ASSERT_NE(child, nullptr) << i;
            EXPECT_EQ(child->parent(), &parent) << i;
            EXPECT_EQ(parent.indexOfChild(child), i) << i;
            if (auto* widget = qobject_cast<QWidget*>(child->object())) {
                EXPECT_FALSE(widget->isHidden()) << widget->metaObject()->className();
            }
            EXPECT_NE(child->text(QAccessible::Name), QStringLiteral("Customize..."));
        }
    }
    void AddFight() {
        AddCombatant(QStringLiteral("Troll"), 8);
        AddCombatant(QStringLiteral("Street Samurai"), 14, 3);
        AddCombatant(QStringLiteral("Decker"), 11, 2);
        AddEffect(QStringLiteral("Haste"), 3);
    }

    std::unique_ptr<GridDriver> combatants_;
    std::unique_ptr<GridDriver> effects_;
};

TEST_F(Accessibility, EachGridIsATableOfWhatItShows) {
    AddFight();
    combatants_->ClickCell(1, "tvInitInit");
    struct Case {
        GridDriver* grid;
        const char* name;
        QStringList headers;
        QStringList rows;
        int focusedRow;
        int focusedColumn;
    };
    const Case cases[] = {
        {combatants_.get(),
         "Combatants",
         {"Done", "Name", "Init", "Passes", "Delete"},
         {"Done|Street Samurai|14|3|Delete", "Done|Decker|11|2|Delete", "Done|Troll|8|1|Delete"},
         1,
         2},
        {effects_.get(),
         "Effects",
         {"Effect", "EoT", "Delete effect"},
         {"Haste|3|Delete effect"},
         0,
         0},
    };
    for (const Case& c : cases) {
        QAccessibleInterface* grid = Interface(&c.grid->Grid());
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(grid->role(), QAccessible::Table);
        EXPECT_EQ(grid->text(QAccessible::Name), QLatin1String(c.name));
        QAccessibleTableInterface* table = grid->tableInterface();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(Headers(*table), c.headers);
        EXPECT_EQ(Rows(*table), c.rows);
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                QAccessibleInterface* cell = table->cellAt(row, column);
                const bool button = c.headers[column].startsWith(QLatin1String("D"));
                EXPECT_EQ(cell->role(), button ? QAccessible::PushButton : QAccessible::Cell);
                EXPECT_EQ(cell->text(QAccessible::Description).endsWith(QLatin1String("Space.")),
                          button)
                    << row << "," << column;
                EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row);
                EXPECT_EQ(cell->tableCellInterface()->columnIndex(), column);
                EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells().value(0)->text(
                              QAccessible::Name),
                          c.headers[column]);
                EXPECT_EQ(cell->state().selected, row == c.focusedRow) << row << "," << column;
                EXPECT_EQ(cell->state().focused, row == c.focusedRow && column == c.focusedColumn)
                    << row << "," << column;
            }
        }
        EXPECT_EQ(table->selectedRows(), QList<int>{c.focusedRow});
        EXPECT_EQ(grid->child(0)->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(grid->child(0)->tableCellInterface()->rowIndex(), -1);
        ExpectConsistentChildren(*grid);
    }
}

TEST_F(Accessibility, AButtonCellSaysWhatItDoesAndHowToPressIt) {
    AddFight();
    QAccessibleTableInterface* fighters = Table(combatants_->Grid());
    QAccessibleTableInterface* effects = Table(effects_->Grid());
    EXPECT_EQ(fighters->cellAt(0, 0)->text(QAccessible::Description),
              QStringLiteral("Marks this combatant done. Press Space."));
    EXPECT_EQ(fighters->cellAt(0, 4)->text(QAccessible::Description),
              QStringLiteral("Deletes this combatant, after a question. Press Space."));
    EXPECT_EQ(effects->cellAt(0, 2)->text(QAccessible::Description),
              QStringLiteral("Deletes this effect, after a question. Press Space."));
    EXPECT_EQ(fighters->cellAt(0, 1)->text(QAccessible::Description), QString()) << "a name";
    // A reader does not read a button's row; the row's first text cell names the button.
    const auto label = [](QAccessibleInterface* cell) {
        const auto labels = cell->relations(QAccessible::Label);
        return labels.size() == 1 && labels[0].second == QAccessible::Label
                   ? labels[0].first->text(QAccessible::Name)
                   : QStringLiteral("<%1 labels>").arg(labels.size());
    };
    EXPECT_EQ(label(fighters->cellAt(1, 0)), QStringLiteral("Decker"));
    EXPECT_EQ(label(fighters->cellAt(1, 4)), QStringLiteral("Decker"));
    EXPECT_EQ(label(effects->cellAt(0, 2)), QStringLiteral("Haste"));
    EXPECT_TRUE(fighters->cellAt(1, 1)->relations(QAccessible::Label).isEmpty()) << "a name";
}

TEST_F(Accessibility, TheNewRowsCellsSayWhereTheyStand) {
    // A reader reads a row it comes to whole, but leaves its blank cells out: the new row's
    // own cell would go unsaid.
    AddCombatant(QStringLiteral("Troll"), 8);
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Key(Qt::Key_Escape);
    QAccessibleTableInterface* table = Table(combatants_->Grid());
    const auto description = [table](int row, int column) {
        return table->cellAt(row, column)->text(QAccessible::Description);
    };
    EXPECT_EQ(description(0, 1), QString());
    combatants_->Key(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(combatants_->FocusedRow(), 0);
    EXPECT_EQ(description(0, 1), QStringLiteral("New row, Name"));
    EXPECT_EQ(description(0, 2), QStringLiteral("New row, Init"));
    EXPECT_EQ(description(1, 1), QString()) << "Troll's row";
    combatants_->Type(QStringLiteral("Ork"));
    combatants_->Key(Qt::Key_Tab);
    EXPECT_TRUE(table->cellAt(0, 2)->state().focused);
    EXPECT_EQ(description(0, 2), QStringLiteral("New row, Init"));
    combatants_->ClickNavigator(NavigatorButton::Post);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(description(row, 1), QString()) << row;
}

TEST_F(Accessibility, AGroupRowIsARowThatNamesItsGroup) {
    AddCombatant(QStringLiteral("Troll"), 8);
    AddCombatant(QStringLiteral("Ork"), 8);
    AddCombatant(QStringLiteral("Decker"), 11);
    combatants_->Drag(combatants_->HeaderCenter("tvInitInit"),
                      combatants_->Grid().Geometry().GroupBox.center());
    QAccessibleTableInterface* table = Table(combatants_->Grid());
    EXPECT_EQ(Headers(*table), QStringList({"Done", "Name", "Passes", "Delete"}));
    EXPECT_EQ(Rows(*table), QStringList({"Init : 11|||", "Init : 8|||"}));
    QAccessibleInterface* group = table->cellAt(1, 0);
    EXPECT_TRUE(group->state().expandable);
    EXPECT_FALSE(group->state().expanded);
    EXPECT_EQ(group->actionInterface(), nullptr);

    combatants_->ClickCell(1, "tvInitName");
    combatants_->Key(Qt::Key_Right);
    EXPECT_TRUE(table->cellAt(1, 0)->state().expanded);
    EXPECT_TRUE(table->cellAt(1, 0)->state().focused);
    EXPECT_EQ(Rows(*table), QStringList({"Init : 11|||", "Init : 8|||", "Done|Ork|1|Delete",
                                         "Done|Troll|1|Delete"}));
}

TEST_F(Accessibility, TheOpenEditorAndTheShownScrollBarsFollowTheCells) {
    for (int i = 0; i < 30; ++i)
        AddCombatant(QStringLiteral("C%1").arg(i), i);
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Type(QStringLiteral("X"));
    QAccessibleInterface* grid = Interface(&combatants_->Grid());
    ASSERT_NE(combatants_->Grid().Editor(), nullptr);
    QAccessibleInterface* editor = Interface(combatants_->Grid().Editor());
    EXPECT_EQ(grid->focusChild(), editor);
    const int cells = (30 + 1) * 5;
    EXPECT_EQ(grid->indexOfChild(editor), cells + 2) << "after the two bars";
    for (QScrollBar* bar : combatants_->Grid().findChildren<QScrollBar*>())
        EXPECT_GE(grid->indexOfChild(Interface(bar)), cells);
    EXPECT_EQ(grid->childCount(), cells + 4) << "bars, editor, navigator";
    ExpectConsistentChildren(*grid);

    combatants_->Key(Qt::Key_Escape);
    EXPECT_EQ(grid->indexOfChild(editor), -1);
    EXPECT_EQ(grid->focusChild(), grid->child(5 + 1)) << "the name cell of row 0";
    EXPECT_EQ(
        grid->childAt(grid->child(7)->rect().center().x(), grid->child(7)->rect().center().y()),
        grid->child(7));
}

TEST_F(Accessibility, ThePressOfADeleteCellAsksAsAClickDoes) {
    AddFight();
    QAccessibleTableInterface* table = Table(combatants_->Grid());
    QAccessibleInterface* deleteDecker = table->cellAt(1, 4);
    QAccessibleActionInterface* action = deleteDecker->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    EXPECT_EQ(table->cellAt(1, 1)->actionInterface(), nullptr) << "a text cell";

    AnswerBoxes({Qt::Key_Escape, Qt::Key_Return});
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(combatants_->FocusedRow(), 1);
    EXPECT_EQ(combatants_->View().FocusedColumn()->objectName(),
              QLatin1String("tvInitDeleteButton"));
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"Street Samurai", "Decker", "Troll"}));
    table->cellAt(1, 4)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(
        boxTexts_,
        QStringList(2, "Are you sure that you wish to delete this character from the table?"));
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"Street Samurai", "Troll"}));
}

TEST_F(Accessibility, TheNavigatorShowsItsThreeButtonsAndTheirStates) {
    AddFight();
    for (GridDriver* driver : {combatants_.get(), effects_.get()}) {
        QAccessibleInterface* bar = Interface(driver->Grid().Navigator());
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->parent(), Interface(&driver->Grid()));
        ASSERT_EQ(bar->childCount(), 3);
        ExpectConsistentChildren(*bar);
        QStringList buttons;
        for (int i = 0; i < bar->childCount(); ++i) {
            QAccessibleInterface* button = bar->child(i);
            EXPECT_EQ(button->role(), QAccessible::PushButton);
            buttons.append(button->text(QAccessible::Name) +
                           (button->state().disabled ? QStringLiteral(" off") : QString()));
        }
        EXPECT_EQ(buttons, QStringList({"Insert", "Post off", "Cancel off"}));
    }

    GridEventRecorder events(combatants_->Grid());
    QAccessibleInterface* bar = Interface(combatants_->Grid().Navigator());
    combatants_->ClickCell(0, "tvInitName");
    combatants_->Type(QStringLiteral("X"));
    EXPECT_FALSE(bar->child(1)->state().disabled);
    events.Take();
    bar->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(combatants_->Texts("tvInitName"), QStringList({"X", "Decker", "Troll"}));
    EXPECT_TRUE(bar->child(1)->state().disabled);
    const std::string told = events.Take();
    EXPECT_NE(told.find("Post disabled / Cancel disabled"), std::string::npos) << told;
}

TEST_F(Accessibility, EachChangeIsTold) {
    AddCombatant(QStringLiteral("Troll"), 8);
    AddCombatant(QStringLiteral("Decker"), 11);
    combatants_->ClickCell(0, "tvInitName");
    GridEventRecorder events(combatants_->Grid());
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* told;
    };
    GridDriver& grid = *combatants_;
    const Step steps[] = {
        {"down", [&] { grid.Key(Qt::Key_Down); }, "focus table / focus Troll"},
        {"tab", [&] { grid.Key(Qt::Key_Tab); }, "focus 8"},
        {"typed",
         [&] {
             grid.Type(QStringLiteral("12"));
             grid.Key(Qt::Key_Return);
         },
         "Post enabled / Cancel enabled / data changed 1-1 / name 12 / focus table / focus 12"},
        {"posted", [&] { grid.ClickNavigator(NavigatorButton::Post); },
         "Post disabled / Cancel disabled / reset / focus 12"},
        {"inserted", [&] { grid.Key(Qt::Key_Insert); },
         "Post enabled / Cancel enabled / rows inserted 0-0 / focus "},
        // The empty row goes away at once, without a stop where it would sort.
        {"cancelled", [&] { grid.Key(Qt::Key_Escape); },
         "Post disabled / Cancel disabled / rows removed 0-0 / focus 12"},
        {"re-sorted", [&] { grid.ClickHeader("tvInitName"); }, "reset / focus 12"},
        {"deleted",
         [&] {
             // Active, as a user's window is: the box hands the focus back to what it found.
             main_->activateWindow();
             EXPECT_TRUE(QTest::qWaitForWindowActive(main_.get()));
             grid.Key(Qt::Key_Delete, Qt::ControlModifier);
             EXPECT_TRUE(QTest::qWaitFor([&] { return grid.Grid().hasFocus(); }));
         },
         "rows removed 1-1 / focus table / focus 11"},
        // The table itself has the focus once its last row has left.
        {"last one done",
         [&] {
             grid.Key(Qt::Key_Home);
             grid.Key(Qt::Key_Space);
         },
         "focus Done / Post enabled / Cancel enabled / Post disabled / Cancel disabled / rows "
         "removed 0-0 / focus table"},
    };
    AnswerBoxes({Qt::Key_Return});
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(events.Take(), step.told) << step.what;
    }
}

} // namespace
} // namespace trevalo
