// Alt alone lends the menu bar the keyboard while a cell is being typed into: the editor stays
// open with its text, a command writes that text first, and when the menu closes, with or
// without a command, the keys go on into the same cell of the same grid.
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QApplication>
#include <QTest>

namespace trevalo {
namespace {

struct GridCase {
    const char* grid;
    const char* name;    ///< the text column
    const char* integer; ///< the integer column, Tab to the right of the text column
    const char* field;   ///< the integer column's field
    const char* view;    ///< the working view behind the grid
    const char* text;    ///< the text column's field
};

std::ostream& operator<<(std::ostream& out, const GridCase& c) {
    return out << c.grid;
}

class MenuKeyboard : public TrackerFixture, public ::testing::WithParamInterface<GridCase> {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        main_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
        grid_ = std::make_unique<GridDriver>(Component<TDataGrid>(GetParam().grid));
        grid_->Grid().setFocus(Qt::OtherFocusReason);
    }

    bool MenuOpen() const { return main_->menuBar()->activeAction() != nullptr; }

    /// The grid's rows as "name integer", sorted; every combatant shown.
    QStringList Rows() {
        auto& showAll = Component<TStyledCheckBox>("ckbxShowAll");
        if (QLatin1String(GetParam().grid) == QLatin1String("grdInit") && !showAll.isChecked())
            QTest::mouseClick(&showAll, Qt::LeftButton);
        const QStringList names = grid_->Texts(GetParam().name);
        const QStringList integers = grid_->Texts(GetParam().integer);
        QStringList rows;
        for (qsizetype i = 0; i < names.size(); ++i)
            rows.append(names[i] + QLatin1Char(' ') + integers[i]);
        rows.sort();
        return rows;
    }
    QString PassLabel() const { return Component<TStyledLabel>("lblPass").text(); }

    std::unique_ptr<GridDriver> grid_;
};

TEST_P(MenuKeyboard, AltThenEscGivesTheKeysBackToTheOpenEditor) {
    AnswerBoxes({});
    PressKey(Qt::Key_Insert);
    TypeKeys(QStringLiteral("Kestrel"));
    ASSERT_NE(grid_->Grid().Editor(), nullptr);
    PressAlt();
    EXPECT_TRUE(MenuOpen());
    EXPECT_NE(grid_->Grid().Editor(), nullptr) << "the menu bar only borrows the keyboard";
    PressKey(Qt::Key_Escape);
    EXPECT_FALSE(MenuOpen());
    ASSERT_NE(grid_->Grid().Editor(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), grid_->Grid().Editor());
    TypeKeys(QStringLiteral("abc"));
    PressKey(Qt::Key_Tab);
    TypeKeys(QStringLiteral("16"));
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Rows().join('|'), QStringLiteral("Kestrelabc 16"));
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
}

TEST_P(MenuKeyboard, AltThenEscKeepsTheEditorsSelection) {
    PressKey(Qt::Key_Insert);
    TypeKeys(QStringLiteral("Kestrel"));
    PressKey(Qt::Key_Return);
    PressKey(Qt::Key_F2);
    ASSERT_NE(grid_->Grid().Editor(), nullptr);
    ASSERT_EQ(grid_->Grid().Editor()->selectedText(), QStringLiteral("Kestrel"));
    PressAlt();
    PressKey(Qt::Key_Escape);
    TypeKeys(QStringLiteral("Hawk"));
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Rows().join('|'), QStringLiteral("Hawk "));
}

TEST_P(MenuKeyboard, AClickElsewhereAfterAltLeavesTheGridAsItWouldHaveWithoutAlt) {
    PressKey(Qt::Key_Insert);
    TypeKeys(QStringLiteral("Kestrel"));
    PressAlt();
    ASSERT_TRUE(MenuOpen());
    QTest::mouseClick(&Component<TStyledCheckBox>("chkbxKeepInit"), Qt::LeftButton);
    EXPECT_FALSE(MenuOpen());
    EXPECT_EQ(grid_->Grid().Editor(), nullptr);
    const TField& text =
        Component<TWorkingView>(GetParam().view).FieldByName(QLatin1String(GetParam().text));
    EXPECT_EQ(text.AsString(), QStringLiteral("Kestrel"));
}

TEST_P(MenuKeyboard, AnotherWindowTakingTheKeyboardFromTheMenuGivesItBackToTheEditor) {
    PressKey(Qt::Key_Insert);
    TypeKeys(QStringLiteral("Kestrel"));
    PressAlt();
    ASSERT_TRUE(MenuOpen());
    help_->show();
    help_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help_.get()));
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
    ASSERT_NE(grid_->Grid().Editor(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), grid_->Grid().Editor());
    TypeKeys(QStringLiteral("abc"));
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Rows().join('|'), QStringLiteral("Kestrelabc "));
}

TEST_P(MenuKeyboard, ACommandFromTheKeyboardWritesTheEditorAndGivesTheKeysBackToTheGrid) {
    AnswerBoxes({});
    PressKey(Qt::Key_Insert);
    TypeKeys(QStringLiteral("Kestrel"));
    PressAlt();
    PressKey(Qt::Key_Right);
    PressKey(Qt::Key_Return); // New Init Pass
    EXPECT_EQ(PassLabel(), QStringLiteral("Pass #: 2"));
    EXPECT_FALSE(MenuOpen());
    EXPECT_EQ(QApplication::focusWidget(), &grid_->Grid());
    PressKey(Qt::Key_Insert);
    TypeKeys(QStringLiteral("Bob"));
    PressKey(Qt::Key_Tab);
    TypeKeys(QStringLiteral("16"));
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Rows().join('|'), QStringLiteral("Bob 16|Kestrel "));
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
}

TEST_P(MenuKeyboard, ABadIntegerWaitsForTheCommandAsAClickWould) {
    PressKey(Qt::Key_Insert);
    PressKey(Qt::Key_Tab);
    TypeKeys(QStringLiteral("12x"));
    AnswerBoxes({Qt::Key_Return});
    PressAlt();
    EXPECT_TRUE(MenuOpen());
    PressKey(Qt::Key_Escape);
    EXPECT_TRUE(boxTexts_.isEmpty()) << "opening the menu runs nothing";
    ASSERT_NE(grid_->Grid().Editor(), nullptr);
    EXPECT_EQ(grid_->Grid().Editor()->text(), QStringLiteral("12x"));
    EXPECT_EQ(QApplication::focusWidget(), grid_->Grid().Editor());

    PressAlt();
    PressKey(Qt::Key_Right);
    PressKey(Qt::Key_Return); // New Init Pass
    EXPECT_EQ(boxTexts_, QStringList({QStringLiteral("'12x' is not a valid integer value for "
                                                     "field '%1'")
                                          .arg(QLatin1String(GetParam().field))}));
    EXPECT_EQ(PassLabel(), QStringLiteral("Pass #: 1")) << "the command did not run";
    ASSERT_NE(grid_->Grid().Editor(), nullptr);
    EXPECT_EQ(grid_->Grid().Editor()->text(), QStringLiteral("12x"));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QApplication::focusWidget() == grid_->Grid().Editor(); }));
}

INSTANTIATE_TEST_SUITE_P(
    BothGrids, MenuKeyboard,
    ::testing::Values(GridCase{"grdInit", "tvInitName", "tvInitInit", "Init", "wvInit", "Name"},
                      GridCase{"grdEffects", "tvEffectsEffectName", "tvEffectsEndOnTurn",
                               "EndOnTurn", "wvEffects", "EffectName"}));

} // namespace
} // namespace trevalo
