// The menu commands act on what the user typed: text still in a cell editor is written first,
// and text that cannot be written stops the command.
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QTest>

namespace trevalo {
namespace {

/// One row typed into a new record, its last cell left open, then a menu command.
struct TypedCase {
    const char* label;
    bool effect;       ///< typed into the effect grid, else the combatant grid
    QStringList cells; ///< typed cell by cell, Tab between them, the last one left open
    const char* command;
    QStringList rows; ///< the grid's rows afterwards, "name value"
    const char* turn; ///< the turn label afterwards
};

class TypedText : public TrackerFixture, public ::testing::WithParamInterface<TypedCase> {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        combatants_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdInit"));
        effects_ = std::make_unique<GridDriver>(Component<TDataGrid>("grdEffects"));
    }

    /// Inserts a row and types \p cells into it, leaving the last one's editor open.
    void TypeRow(GridDriver& grid, const QStringList& cells) {
        grid.ClickNavigator(NavigatorButton::Insert);
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i > 0)
                grid.Key(Qt::Key_Tab);
            grid.Type(cells[i]);
        }
        ASSERT_NE(grid.Grid().Editor(), nullptr);
    }
    QStringList Rows(const GridDriver& grid, const char* name, const char* value) const {
        const QStringList names = grid.Texts(name);
        const QStringList values = grid.Texts(value);
        QStringList rows;
        for (qsizetype i = 0; i < names.size(); ++i)
            rows.append(names[i] + QLatin1Char(' ') + values[i]);
        return rows;
    }
    QString TurnLabel() const { return Component<TStyledLabel>("lblTurn").text(); }

    std::unique_ptr<GridDriver> combatants_;
    std::unique_ptr<GridDriver> effects_;
};

TEST_P(TypedText, IsWrittenBeforeTheMenuCommandRuns) {
    const TypedCase& c = GetParam();
    GridDriver& grid = c.effect ? *effects_ : *combatants_;
    TypeRow(grid, c.cells);
    AnswerBoxes({});
    ClickMenu(*main_, c.command);
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(grid.Grid().Editor(), nullptr);
    if (!c.effect && !Component<TStyledCheckBox>("ckbxShowAll").isChecked())
        QTest::mouseClick(&Component<TStyledCheckBox>("ckbxShowAll"), Qt::LeftButton);
    const QStringList rows = c.effect ? Rows(grid, "tvEffectsEffectName", "tvEffectsEndOnTurn")
                                      : Rows(grid, "tvInitName", "tvInitInit");
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ((c.effect ? Effects() : Combatants()).State(), TDataSetState::dsBrowse);
    EXPECT_EQ(TurnLabel(), QLatin1String(c.turn));
}

INSTANTIATE_TEST_SUITE_P(
    NameInitiativeAndEndTurn, TypedText,
    ::testing::Values(
        // New Turn clears the initiative it posts.
        TypedCase{"Name", false, {"Goblin"}, "NewTurn1", {"Goblin 0"}, "Turn #: 2"},
        TypedCase{"NameOnNewInitPass", false, {"Goblin"}, "NewInitPass1", {"Goblin "}, "Turn #: 1"},
        TypedCase{
            "Initiative", false, {"Goblin", "12"}, "NewInitPass1", {"Goblin 12"}, "Turn #: 1"},
        // Ending on turn 5, the effect is not yet asked about at turn 2.
        TypedCase{"EndTurn", true, {"Smoke", "5"}, "NewTurn1", {"Smoke 5"}, "Turn #: 2"}),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return info.param.label; });

TEST_F(TypedText, ABadIntegerStopsTheCommandAndKeepsTheEditor) {
    TypeRow(*effects_, {"Smoke", "5x"});
    AnswerBoxes({Qt::Key_Return});
    ClickMenu(*main_, "NewTurn1");
    EXPECT_EQ(boxTexts_.join(QLatin1Char('|')).toStdString(),
              "'5x' is not a valid integer value for field 'EndOnTurn'");
    ASSERT_NE(effects_->Grid().Editor(), nullptr);
    EXPECT_EQ(effects_->Grid().Editor()->text(), QStringLiteral("5x"));
    EXPECT_EQ(main_->focusWidget(), effects_->Grid().Editor());
    EXPECT_EQ(TurnLabel(), QStringLiteral("Turn #: 1"));
    EXPECT_EQ(CurrentTurn, 1);
    EXPECT_EQ(Effects().State(), TDataSetState::dsInsert);
    EXPECT_EQ(Effects().FieldByName(QStringLiteral("EffectName")).AsString(),
              QStringLiteral("Smoke"));
}

} // namespace
} // namespace trevalo
