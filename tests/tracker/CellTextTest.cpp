// What a cell takes and shows: text at the fields' sizes counts whole characters, characters
// beyond the basic plane included, and a number too wide for its cell keeps its sign.
#include "components/grid/view/TNavigatorButtons.h"
#include "tests/support/GridDriver.h"
#include "tests/support/TrackerFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <climits>

namespace trevalo {
namespace {

const QString kDragon = QString::fromUcs4(U"\U0001F409");

QString Times(int count, const QString& text) {
    return text.repeated(count);
}

/// Text put into a new row's cell at a field's size limit, by pasting or typing.
struct LimitCase {
    const char* label;
    bool effect;      ///< the effect's name, else the combatant's
    bool paste;       ///< pasted with Ctrl+V, else typed key by key
    QString input;    ///< put in at once
    QString expected; ///< what the editor holds and the record stores
};

void PrintTo(const LimitCase& c, std::ostream* out) {
    *out << c.label;
}

class CharacterLimits : public TrackerFixture, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(CharacterLimits, NeverSplitACharacterAndStoreWhatTheEditorShowed) {
    const LimitCase& c = GetParam();
    GridDriver grid(Component<TDataGrid>(c.effect ? "grdEffects" : "grdInit"));
    const char* column = c.effect ? "tvEffectsEffectName" : "tvInitName";
    const char* field = c.effect ? "EffectName" : "Name";
    AnswerBoxes({});
    grid.ClickNavigator(NavigatorButton::Insert);
    grid.ClickCell(grid.FocusedRow(), column);
    if (c.paste) {
        QGuiApplication::clipboard()->setText(c.input);
        grid.Key(Qt::Key_V, Qt::ControlModifier);
    } else {
        grid.Type(c.input);
    }
    ASSERT_NE(grid.Grid().Editor(), nullptr);
    const QString shown = grid.Grid().Editor()->text();
    EXPECT_EQ(shown, c.expected);
    grid.Key(Qt::Key_Return);
    grid.ClickNavigator(NavigatorButton::Post);
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
    TWorkingView& view = c.effect ? Effects() : Combatants();
    EXPECT_EQ(view.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Names(view, field), QStringList{shown}) << "read back as the editor showed it";
    EXPECT_EQ(grid.Texts(column), QStringList{shown});
}

INSTANTIATE_TEST_SUITE_P(
    NameAndEffect, CharacterLimits,
    ::testing::Values(
        // A character beyond the basic plane is one character, however it is encoded.
        LimitCase{"PastedNameEndsInAWholeCharacter", false, true,
                  Times(49, QStringLiteral("x")) + kDragon,
                  Times(49, QStringLiteral("x")) + kDragon},
        LimitCase{"PastedNameRefusesTheCharacterPastTheLimit", false, true,
                  Times(50, QStringLiteral("x")) + kDragon, Times(50, QStringLiteral("x"))},
        LimitCase{"PastedNameOfWideCharactersStopsAtFifty", false, true, Times(51, kDragon),
                  Times(50, kDragon)},
        LimitCase{"TypedNameEndsInAWholeCharacter", false, false,
                  Times(49, QStringLiteral("x")) + kDragon + QStringLiteral("y"),
                  Times(49, QStringLiteral("x")) + kDragon},
        LimitCase{"TypedNameRefusesTheCharacterPastTheLimit", false, false,
                  Times(50, QStringLiteral("x")) + kDragon, Times(50, QStringLiteral("x"))},
        LimitCase{"PastedEffectEndsInAWholeCharacter", true, true,
                  Times(199, QStringLiteral("y")) + kDragon + kDragon,
                  Times(199, QStringLiteral("y")) + kDragon},
        LimitCase{"PastedEffectOfWideCharactersStopsAtTwoHundred", true, true, Times(201, kDragon),
                  Times(200, kDragon)},
        LimitCase{"TypedEffectEndsInAWholeCharacter", true, false,
                  Times(199, QStringLiteral("y")) + kDragon + kDragon,
                  Times(199, QStringLiteral("y")) + kDragon},
        LimitCase{"TypedEffectRefusesTheCharacterPastTheLimit", true, false,
                  Times(200, QStringLiteral("y")) + kDragon, Times(200, QStringLiteral("y"))}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.label; });

// What is pasted in front of the text keeps its start, as far as whole characters fit.
TEST_F(CharacterLimits, APasteBeforeTheTextKeepsItsStart) {
    GridDriver grid(Component<TDataGrid>("grdInit"));
    AnswerBoxes({});
    grid.ClickNavigator(NavigatorButton::Insert);
    grid.ClickCell(grid.FocusedRow(), "tvInitName");
    grid.Type(Times(48, QStringLiteral("x")));
    grid.Key(Qt::Key_Home);
    QGuiApplication::clipboard()->setText(Times(3, kDragon));
    grid.Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(grid.Grid().Editor(), nullptr);
    EXPECT_EQ(grid.Grid().Editor()->text(), Times(2, kDragon) + Times(48, QStringLiteral("x")));
    EXPECT_EQ(grid.Grid().Editor()->cursorPosition(), 4) << "behind what was pasted";
    grid.Key(Qt::Key_Return);
    grid.ClickNavigator(NavigatorButton::Post);
    EXPECT_EQ(Names(Combatants(), "Name"),
              QStringList{Times(2, kDragon) + Times(48, QStringLiteral("x"))});
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
}

// A half of a pair that lost its partner on the way in is no character: it is never stored.
TEST_F(CharacterLimits, APastedHalfPairIsDropped) {
    GridDriver grid(Component<TDataGrid>("grdInit"));
    AnswerBoxes({});
    grid.ClickNavigator(NavigatorButton::Insert);
    grid.ClickCell(grid.FocusedRow(), "tvInitName");
    QGuiApplication::clipboard()->setText(QStringLiteral("Ke") + kDragon.at(0) +
                                          QStringLiteral("st") + kDragon.at(1) +
                                          QStringLiteral("rel"));
    grid.Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(grid.Grid().Editor(), nullptr);
    EXPECT_EQ(grid.Grid().Editor()->text(), QStringLiteral("Kestrel"));
    grid.Key(Qt::Key_Return);
    grid.ClickNavigator(NavigatorButton::Post);
    EXPECT_EQ(Names(Combatants(), "Name"), QStringList{QStringLiteral("Kestrel")});
}

// ---- a number too wide for its cell --------------------------------------------------------

class NumberCells : public TrackerFixture {
protected:
    /// A run of columns with ink, and the rows its ink covers.
    struct Glyph {
        int Left;
        int Top;
        int Bottom;
    };

    /// The glyphs that \p row's cell of \p column shows, left to right.
    static QList<Glyph> Glyphs(GridDriver& grid, int row, const char* column) {
        grid.CellCenter(row, column); // scrolled into view
        const QRect cell = grid.Grid().Geometry().CellRect(row, &grid.Column(column));
        const QImage image = grid.Grid().grab().toImage();
        const QColor background = image.pixelColor(cell.left() + 1, cell.top() + 1);
        QList<Glyph> glyphs;
        bool inGlyph = false;
        // The cell's own lines, right and bottom, are not its text.
        for (int x = cell.left(); x < cell.right(); ++x) {
            int top = INT_MAX;
            int bottom = -1;
            for (int y = cell.top(); y < cell.bottom(); ++y) {
                const QColor pixel = image.pixelColor(x, y);
                if (qAbs(pixel.lightness() - background.lightness()) > 96) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
            if (bottom < 0) {
                inGlyph = false;
                continue;
            }
            if (!inGlyph)
                glyphs.append({x, top, bottom});
            glyphs.last().Top = std::min(glyphs.last().Top, top);
            glyphs.last().Bottom = std::max(glyphs.last().Bottom, bottom);
            inGlyph = true;
        }
        return glyphs;
    }
};

TEST_F(NumberCells, TheMinusSignOfATenDigitInitiativeShows) {
    GridDriver grid(Component<TDataGrid>("grdInit"));
    AnswerBoxes({});
    for (const char* typed :
         {"-2147483648", "-1000000000", "$80000000", "2147483647", "-999999999"}) {
        SCOPED_TRACE(typed);
        grid.ClickNavigator(NavigatorButton::Insert);
        grid.ClickCell(grid.FocusedRow(), "tvInitInit");
        grid.Type(QLatin1String(typed));
        grid.Key(Qt::Key_Return);
        grid.ClickNavigator(NavigatorButton::Post);
        ASSERT_EQ(Combatants().State(), TDataSetState::dsBrowse);
        const QList<Glyph> glyphs = Glyphs(grid, grid.FocusedRow(), "tvInitInit");
        ASSERT_FALSE(glyphs.isEmpty());
        // A minus is a stroke a pixel or two high; a digit stands a whole line high.
        const int height = glyphs.first().Bottom - glyphs.first().Top + 1;
        if (Combatants().FieldByName(QStringLiteral("Init")).Value().toInt() < 0)
            EXPECT_LE(height, 2) << "the leftmost ink is no minus sign";
        else
            EXPECT_GT(height, 5);
        Combatants().Delete();
    }
    EXPECT_TRUE(boxTexts_.isEmpty()) << boxTexts_.join(QLatin1Char('|')).toStdString();
}

} // namespace
} // namespace trevalo
