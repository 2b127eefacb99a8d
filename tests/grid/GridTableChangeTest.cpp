// Which one table event takes a screen reader from one picture of a grid to the next.
#include "components/grid/accessibility/GridTableChange.h"

#include <gtest/gtest.h>

namespace trevalo::test {
namespace {

using Kind = GridTableChange::Kind;

/// One row per letter, its one cell that letter; a digit after a letter changes its text.
GridTablePicture Picture(const char* rows, QStringList headers = {QStringLiteral("Name")}) {
    GridTablePicture picture;
    picture.Headers = std::move(headers);
    for (const QString& row : QString::fromLatin1(rows).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        picture.Rows.append(QStringList{row});
    return picture;
}

struct Case {
    const char* before;
    const char* after;
    GridTableChange expected;
};

TEST(GridTableChange, OneEventPerChange) {
    const Case cases[] = {
        {"A B C", "A B C", {}},
        {"", "", {}},
        {"A B C", "A X C", {Kind::DataChanged, 1, 1}},
        {"A B C", "X B Y", {Kind::DataChanged, 0, 2}},
        // A posted value that moves its row: one span of changed rows.
        {"A B C", "B C A2", {Kind::DataChanged, 0, 2}},
        {"A B C", "C A B", {Kind::Reset}},
        {"A B C", "A C B", {Kind::Reset}},
        {"A B", "A X B", {Kind::RowsInserted, 1, 1}},
        {"", "A", {Kind::RowsInserted, 0, 0}},
        {"A B", "A B X Y", {Kind::RowsInserted, 2, 3}},
        {"A B", "X A B", {Kind::RowsInserted, 0, 0}},
        // Two like rows: the new one counts as the first that differs.
        {"A A", "A A A", {Kind::RowsInserted, 2, 2}},
        {"A X B", "A B", {Kind::RowsRemoved, 1, 1}},
        {"A", "", {Kind::RowsRemoved, 0, 0}},
        {"A B C D", "A D", {Kind::RowsRemoved, 1, 2}},
        {"A B", "X A B2", {Kind::Reset}},
        {"A B C", "A", {Kind::RowsRemoved, 1, 2}},
        {"A B C", "B", {Kind::Reset}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CompareTables(Picture(c.before), Picture(c.after)), c.expected)
            << c.before << " -> " << c.after;
}

TEST(GridTableChange, OtherColumnsResetAndTheFocusIsNoChange) {
    EXPECT_EQ(CompareTables(Picture("A"), Picture("A", {"Name", "Init"})).What, Kind::Reset);
    EXPECT_EQ(CompareTables(Picture("A"), Picture("A", {"Init"})).What, Kind::Reset);
    GridTablePicture moved = Picture("A B");
    moved.FocusedRow = 1;
    moved.FocusedColumn = 0;
    EXPECT_EQ(CompareTables(Picture("A B"), moved).What, Kind::None);
}

} // namespace
} // namespace trevalo::test
