// Every kind of bad input a user can give the main window, one row each: typed into the cells of
// both grids and into the custom filter dialog. Each gets its message, or is taken as typed, and
// nothing typed or stored is lost.
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

namespace trevalo {
namespace {

struct BadInput {
    const char* Grid;
    const char* Column;
    QString Typed;
    QString Message; ///< empty: taken without one
    QString Shown;   ///< what the cell shows once the editor is left with Enter
};

std::ostream& operator<<(std::ostream& out, const BadInput& input) {
    return out << input.Column << " <- " << input.Typed.toStdString();
}

QString NotAnInteger(const QString& text, const char* field) {
    return QStringLiteral("'%1' is not a valid integer value for field '%2'")
        .arg(text, QLatin1String(field));
}

std::vector<BadInput> Inputs() {
    std::vector<BadInput> inputs;
    const struct {
        const char* grid;
        const char* column;
        const char* field;
        QString largest; ///< how the cell shows the largest integer
    } integers[] = {{"grdInit", "tvInitInit", "Init", QStringLiteral("2147483647")},
                    {"grdInit", "tvInitPasses", "Passes", QStringLiteral("2147483647")},
                    // Too narrow for ten digits: the leading ones show, then an ellipsis.
                    {"grdEffects", "tvEffectsEndOnTurn", "EndOnTurn", QStringLiteral("2147483…")}};
    for (const auto& column : integers) {
        for (const QString& typed :
             {QStringLiteral("12a"), QStringLiteral("1.5"), QStringLiteral("2147483648"),
              QStringLiteral("-2147483649"), QStringLiteral("$1G"), QStringLiteral("0x100000000")})
            inputs.push_back(
                {column.grid, column.column, typed, NotAnInteger(typed, column.field), typed});
        // Hexadecimal is the editor's second notation: taken, and shown in decimal.
        inputs.push_back({column.grid, column.column, QStringLiteral("$1F"), {}, "31"});
        inputs.push_back(
            {column.grid, column.column, QStringLiteral("0x7FFFFFFF"), {}, column.largest});
    }
    // The editors stop at the field's size, and take any character below it as it is.
    const QString unusual = QStringLiteral("'\"[Ørn] (日本)'");
    inputs.push_back({"grdInit", "tvInitName", QString(51, u'x'), {}, QString(50, u'x')});
    inputs.push_back(
        {"grdEffects", "tvEffectsEffectName", QString(201, u'y'), {}, QString(200, u'y')});
    inputs.push_back({"grdInit", "tvInitName", unusual, {}, unusual});
    inputs.push_back({"grdEffects", "tvEffectsEffectName", unusual, {}, unusual});
    return inputs;
}

class BadInputs : public TrackerFixture, public ::testing::WithParamInterface<BadInput> {
protected:
    void SetUp() override {
        TrackerFixture::SetUp();
        AddCombatant(QStringLiteral("Ann"), 10, 2);
        AddEffect(QStringLiteral("Haste"), 5);
    }
    TWorkingView& ViewOf(const char* grid) const {
        return QLatin1String(grid) == QLatin1String("grdInit") ? Combatants() : Effects();
    }
};

TEST_P(BadInputs, GetTheirMessageAndLoseNothing) {
    const BadInput& input = GetParam();
    GridDriver grid(Component<TDataGrid>(input.Grid));
    const QStringList before = grid.Texts(input.Column);
    grid.ClickCell(0, input.Column);
    grid.Key(Qt::Key_Backspace);
    AnswerBoxes({Qt::Key_Return});
    grid.Type(input.Typed);
    grid.Key(Qt::Key_Return);
    EXPECT_EQ(boxTexts_, input.Message.isEmpty() ? QStringList() : QStringList{input.Message});
    if (!input.Message.isEmpty()) {
        ASSERT_NE(grid.Grid().Editor(), nullptr) << "the editor stays, with what was typed";
        EXPECT_EQ(grid.Grid().Editor()->text(), input.Typed);
        EXPECT_EQ(boxTitles_, QStringList{QStringLiteral("Trevalo")});
        grid.Key(Qt::Key_Escape);
        grid.Key(Qt::Key_Escape);
        EXPECT_EQ(grid.Texts(input.Column), before) << "the stored value stays";
        return;
    }
    EXPECT_EQ(grid.Grid().Editor(), nullptr);
    EXPECT_EQ(grid.Texts(input.Column).value(0), input.Shown);
    grid.ClickNavigator(NavigatorButton::Post);
    EXPECT_EQ(ViewOf(input.Grid).State(), TDataSetState::dsBrowse);
    EXPECT_EQ(grid.Texts(input.Column).value(0), input.Shown) << "stored as shown";
}

INSTANTIATE_TEST_SUITE_P(Cells, BadInputs, ::testing::ValuesIn(Inputs()));

using BadEntries = TrackerFixture;

// A blank name is a name like any other: the combatant stays, with its other values.
TEST_F(BadEntries, AnEmptyNameIsStoredBlank) {
    AddCombatant(QStringLiteral("Ann"), 10, 2);
    GridDriver grid(Component<TDataGrid>("grdInit"));
    AnswerBoxes({});
    grid.ClickCell(0, "tvInitName");
    grid.Key(Qt::Key_Backspace);
    grid.Key(Qt::Key_Return);
    grid.ClickNavigator(NavigatorButton::Post);
    EXPECT_EQ(boxTexts_, QStringList());
    EXPECT_EQ(grid.Texts("tvInitName"), QStringList{QString()});
    EXPECT_EQ(grid.Texts("tvInitInit"), QStringList{QStringLiteral("10")});
}

// The custom filter dialog keeps itself and the typed value open after the message.
TEST_F(BadEntries, TheCustomFilterDialogRefusesAValueThatIsNoInteger) {
    AddCombatant(QStringLiteral("Ann"), 10, 2);
    GridDriver grid(Component<TDataGrid>("grdInit"));
    QString stillTyped;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QComboBox* op = dialog->findChildren<QComboBox*>().at(1);
        op->setCurrentIndex(op->findText(QStringLiteral("is greater than")));
        QLineEdit* value = dialog->findChildren<QLineEdit*>().at(0);
        value->setText(QStringLiteral("ten"));
        AnswerBoxes({Qt::Key_Return});
        QTest::keyClick(dialog, Qt::Key_Return);
        stillOpen = dialog->isVisible();
        stillTyped = value->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QListWidget* list = grid.OpenFilter("tvInitInit");
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(boxTexts_, QStringList{NotAnInteger(QStringLiteral("ten"), "Init")});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(stillTyped, QStringLiteral("ten"));
    EXPECT_EQ(grid.Texts("tvInitName"), QStringList{QStringLiteral("Ann")});
    EXPECT_TRUE(grid.View().DataController().Filter().IsEmpty());
}

} // namespace
} // namespace trevalo
