#include "tests/support/GridDriver.h"
#include "tests/support/PaintedText.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <climits>

namespace trevalo {
namespace {

class GridHeaders : public TrackerFixture {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        grid_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
    }

    QStringList Names() const { return grid_->Texts("tvInitName"); }
    QStringList HeaderOrder() const {
        QStringList names;
        for (const TDBColumn* column : grid_->View().VisibleColumns())
            names.append(column->objectName());
        return names;
    }
    TDBDataController& Data() const { return grid_->View().DataController(); }
    /// The texts of the rows as shown: group rows as "[Init : 12]".
    QStringList Shown() const {
        QStringList rows;
        const int name = grid_->View().ColumnFieldIndex(grid_->Column("tvInitName"));
        for (int row = 0; row < Data().RowCount(); ++row) {
            if (Data().IsGroupRow(row))
                rows.append(QStringLiteral("[%1]").arg(DisplayText(Data().GroupValue(row))));
            else
                rows.append(DisplayText(Data().Value(Data().RowRecord(row), name)));
        }
        return rows;
    }
    void GroupByInit() {
        grid_->Drag(grid_->HeaderCenter("tvInitInit"), grid_->Grid().Geometry().GroupBox.center());
    }

    std::unique_ptr<GridDriver> grid_;
};

TEST_F(GridHeaders, TheFilterDropDownListsBlanksOnlyWhenANameIsBlank) {
    AddCombatant(QStringLiteral("Bo"), 1);
    AddCombatant(QStringLiteral("Al"), 2);
    QListWidget* list = grid_->OpenFilter("tvInitName");
    ASSERT_NE(list, nullptr);
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    EXPECT_EQ(entries.join(QLatin1Char('|')).toStdString(), "(All)|(Custom...)|Al|Bo");
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(Data().Filter().IsEmpty());

    Combatants().Insert();
    Combatants().FieldByName(QStringLiteral("Init")).SetValue(3);
    Combatants().Post();
    list = grid_->OpenFilter("tvInitName");
    entries.clear();
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    EXPECT_EQ(entries.join(QLatin1Char('|')).toStdString(),
              "(All)|(Custom...)|(Blanks)|(NonBlanks)|Al|Bo");
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Names(), QStringList({"Al"}));
    EXPECT_EQ(TrackerFixture::Names(Combatants(), "Name").size(), 3) << "the view keeps them all";
    EXPECT_EQ(Combatants().Filter(), QStringLiteral("[Active] = True and [Passes] >= 1"));
    EXPECT_FALSE(grid_->Grid().Geometry().FilterBox.isEmpty());
    EXPECT_TRUE(test::ChildOf<QPushButton>(grid_->Grid()).isVisible());

    list = grid_->OpenFilter("tvInitName");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Names().size(), 3) << "(All) drops the condition";
    EXPECT_TRUE(grid_->Grid().Geometry().FilterBox.isEmpty());
}

TEST_F(GridHeaders, AViewFilterSurvivesNewTurnAndKeepsTheEditedRow) {
    AddCombatant(QStringLiteral("Bo"), 1);
    AddCombatant(QStringLiteral("Al"), 2);
    QListWidget* list = grid_->OpenFilter("tvInitName");
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(Names(), QStringList({"Al"}));
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(Names(), QStringList({"Al"}));
    EXPECT_EQ(TrackerFixture::Names(Combatants(), "Name"), QStringList({"Al", "Bo"}));

    grid_->ClickNavigator(NavigatorButton::Insert);
    EXPECT_EQ(Names().size(), 2) << "the new row is shown although it fails the filter";
}

TEST_F(GridHeaders, GroupingByInitShowsCollapsedGroupsAndTheTrackerGoesOn) {
    AddCombatant(QStringLiteral("A"), 12);
    AddCombatant(QStringLiteral("B"), 15);
    AddCombatant(QStringLiteral("C"), 12);
    GroupByInit();
    EXPECT_EQ(HeaderOrder(), QStringList({"tvInitDoneButton", "tvInitName", "tvInitPasses",
                                          "tvInitDeleteButton"}));
    EXPECT_EQ(Shown(), QStringList({"[15]", "[12]"})) << "descending, as Init was sorted";
    grid_->ClickCell(1, "tvInitName");
    grid_->Key(Qt::Key_Right);
    EXPECT_EQ(Shown(), QStringList({"[15]", "[12]", "C", "A"}));
    grid_->Key(Qt::Key_Left);
    EXPECT_EQ(Shown(), QStringList({"[15]", "[12]"}));
    grid_->Key(Qt::Key_Return);
    EXPECT_EQ(Shown(), QStringList({"[15]", "[12]", "C", "A"}));

    // A post reloads; the expanded group stays open.
    Locate(QStringLiteral("C"));
    Combatants().Edit();
    Combatants().FieldByName(QStringLiteral("Passes")).SetValue(2);
    Combatants().Post();
    EXPECT_EQ(Shown(), QStringList({"[15]", "[12]", "C", "A"}));

    AnswerBoxes({});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(Shown(), QStringList({"[0]"})) << "New Turn cleared every initiative";
    EXPECT_EQ(TrackerFixture::Names(Combatants(), "Name"), QStringList({"C", "B", "A"}));

    // Dragging the grouped header back to the header row ungroups.
    grid_->Drag(grid_->HeaderCenter("tvInitInit"),
                grid_->HeaderCenter("tvInitPasses") - QPoint(10, 0));
    EXPECT_TRUE(Data().GroupingList().isEmpty());
    EXPECT_EQ(HeaderOrder(), QStringList({"tvInitDoneButton", "tvInitName", "tvInitInit",
                                          "tvInitPasses", "tvInitDeleteButton"}));
}

TEST_F(GridHeaders, AShortDragSortsAndALongOneMovesOrDoesNothing) {
    AddCombatant(QStringLiteral("A"), 1);
    AddCombatant(QStringLiteral("B"), 2);
    const QPoint name = grid_->HeaderCenter("tvInitName");
    grid_->Drag(name, name + QPoint(4, 0));
    EXPECT_EQ(Names(), QStringList({"A", "B"})) << "a click sorts by name";
    EXPECT_EQ(HeaderOrder().at(1), QStringLiteral("tvInitName"));

    grid_->Drag(name, grid_->HeaderCenter("tvInitPasses") - QPoint(10, 0));
    EXPECT_EQ(HeaderOrder(), QStringList({"tvInitDoneButton", "tvInitInit", "tvInitName",
                                          "tvInitPasses", "tvInitDeleteButton"}));
    grid_->Drag(grid_->HeaderCenter("tvInitName"),
                grid_->CellCenter(0, "tvInitName") + QPoint(0, 100));
    EXPECT_EQ(HeaderOrder().size(), 5) << "a drop below the header row hides nothing";
    grid_->Drag(grid_->HeaderCenter("tvInitPasses"), grid_->HeaderCenter("tvInitInit"));
    EXPECT_EQ(HeaderOrder().at(3), QStringLiteral("tvInitPasses")) << "Passes cannot move";
    grid_->Drag(grid_->HeaderCenter("tvInitPasses"), grid_->Grid().Geometry().GroupBox.center());
    EXPECT_TRUE(Data().GroupingList().isEmpty()) << "nor be grouped";
}

TEST_F(GridHeaders, SizingStopsAtTheMinimumAndOnlyWhereAllowed) {
    const GridGeometry& geometry = grid_->Grid().Geometry();
    TDBColumn& name = grid_->Column("tvInitName");
    const QRect header = geometry.HeaderRect(&name);
    const QPoint edge(header.right(), header.center().y());
    grid_->Drag(edge, edge - QPoint(100, 0));
    EXPECT_EQ(geometry.HeaderRect(&name).width(), 204);
    grid_->Drag(edge - QPoint(100, 0), edge - QPoint(400, 0));
    EXPECT_EQ(geometry.HeaderRect(&name).width(), 20);

    TDBColumn& passes = grid_->Column("tvInitPasses");
    const QRect passesHeader = geometry.HeaderRect(&passes);
    const QPoint passesEdge(passesHeader.right(), passesHeader.center().y());
    grid_->Drag(passesEdge, passesEdge + QPoint(30, 0));
    EXPECT_EQ(geometry.HeaderRect(&passes).width(), 69);
}

} // namespace
} // namespace trevalo

namespace trevalo {
namespace {

/// Fills the custom filter dialog once it opens: the first condition's operator and value,
/// then OK.
void AnswerFilterDialog(const QString& op, const QString& value) {
    QTimer::singleShot(0, [op, value] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const QList<QComboBox*> combos = dialog->findChildren<QComboBox*>();
        // The column chooser comes first, then one operator per condition.
        combos.at(1)->setCurrentIndex(combos.at(1)->findText(op));
        dialog->findChildren<QLineEdit*>().at(0)->setText(value);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
}

TEST_F(GridHeaders, TheCustomFilterDialogSetsChangesAndClearsAColumnsFilter) {
    for (int init : {3, 8, 12})
        AddCombatant(QStringLiteral("C%1").arg(init), init);
    QListWidget* list = grid_->OpenFilter("tvInitInit");
    AnswerFilterDialog(QStringLiteral("is greater than"), QStringLiteral("5"));
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(Names(), QStringList({"C12", "C8"}));

    AnswerFilterDialog(QStringLiteral("is less than"), QStringLiteral("10"));
    QTest::mouseClick(&test::ChildOf<QPushButton>(grid_->Grid()), Qt::LeftButton);
    EXPECT_EQ(Names(), QStringList({"C8", "C3"}));

    AnswerFilterDialog(QString(), QString());
    QTest::mouseClick(&test::ChildOf<QPushButton>(grid_->Grid()), Qt::LeftButton);
    EXPECT_EQ(Names().size(), 3);
    EXPECT_TRUE(Data().Filter().IsEmpty());
}

TEST_F(GridHeaders, TheDropDownHangsFromTheHeadersRightEdgeAndScrollsBeyondFifteen) {
    for (int i = 0; i < 20; ++i)
        AddCombatant(QStringLiteral("C%1").arg(i), i);
    QListWidget* list = grid_->OpenFilter("tvInitInit");
    ASSERT_NE(list, nullptr);
    const QRect header = grid_->Grid().Geometry().HeaderRect(&grid_->Column("tvInitInit"));
    EXPECT_EQ(list->geometry().right(), grid_->Grid().mapToGlobal(header.bottomRight()).x());
    EXPECT_GE(list->width(), header.width());
    EXPECT_EQ(list->count(), 22);
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_LT(list->height(), 16 * list->sizeHintForRow(0));
    QTest::keyClick(list, Qt::Key_Escape);
}

// Every entry shows whole: the list is as wide as its longest entry plus 4 pixels, plus the
// scroll bar when it scrolls, and never narrower than the header.
TEST_F(GridHeaders, TheDropDownIsAsWideAsItsLongestEntry) {
    struct Case {
        const char* grid;
        const char* column;
        int values; ///< distinct values: more than 13 scroll
    };
    for (const Case& c :
         {Case{"grdInit", "tvInitInit", 3}, Case{"grdEffects", "tvEffectsEndOnTurn", 3},
          Case{"grdInit", "tvInitInit", 20}, Case{"grdEffects", "tvEffectsEndOnTurn", 20}}) {
        SCOPED_TRACE(std::string(c.column) + " " + std::to_string(c.values));
        const bool effects = QLatin1String(c.grid) == QLatin1String("grdEffects");
        TWorkingView& view = effects ? Effects() : Combatants();
        view.SetFiltered(false);
        while (!view.IsEmpty())
            view.Delete();
        for (int i = 0; i < c.values; ++i) {
            // Among many values the longest entry is a value, else "(Custom...)".
            const int value = c.values > 13 && i == 0 ? INT_MIN : i;
            if (effects)
                AddEffect(QStringLiteral("E%1").arg(i), value);
            else
                AddCombatant(QStringLiteral("C%1").arg(i), value);
        }
        GridDriver grid(Component<TDataGrid>(c.grid));
        QListWidget* list = grid.OpenFilter(c.column);
        ASSERT_NE(list, nullptr);
        QStringList entries;
        int longest = 0;
        for (int i = 0; i < list->count(); ++i) {
            entries.append(list->item(i)->text());
            longest = std::max(longest, list->fontMetrics().horizontalAdvance(entries.last()));
        }
        const bool scrolls = list->verticalScrollBar()->isVisible();
        EXPECT_EQ(scrolls, c.values > 13);
        const QRect header = grid.Grid().Geometry().HeaderRect(&grid.Column(c.column));
        EXPECT_EQ(list->width(),
                  std::max(longest + 4 + (scrolls ? list->verticalScrollBar()->width() : 0),
                           header.width()));
        EXPECT_EQ(list->geometry().right(), grid.Grid().mapToGlobal(header.bottomRight()).x());
        QStringList painted;
        for (const PaintedText& text : PaintedTexts(*list->viewport()))
            painted.append(text.Text);
        EXPECT_EQ(painted, entries.mid(0, painted.size())) << "no entry is cut";
        EXPECT_EQ(painted.size(), std::min<qsizetype>(entries.size(), 15));
        QTest::keyClick(list, Qt::Key_Escape);
    }
}

} // namespace
} // namespace trevalo
