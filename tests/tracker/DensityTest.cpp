// The main window moved to a screen of twice the density: the combatants grid's lines, its row
// buttons' glyphs and its navigator show their 1× pictures in blocks of 2 × 2 device pixels.
#include "components/grid/control/TDataGrid.h"
#include "components/grid/navigator/TGridNavigator.h"
#include "components/grid/view/TDBColumn.h"
#include "tests/support/DenseScreen.h"
#include "tests/support/TrackerFixture.h"

namespace trevalo {
namespace {

class DensityTest : public TrackerFixture {};

/// The places of \p grid that hold no text: header and cell edges, filter buttons and the
/// cells of button columns, each with a name for the failure message.
QList<std::pair<QString, QRect>> PatternAreas(const TDataGrid& grid) {
    const GridGeometry& geometry = grid.Geometry();
    QList<std::pair<QString, QRect>> areas;
    for (const ColumnSpan& span : geometry.Columns) {
        const QString name = span.Column->objectName();
        const QRect header = geometry.HeaderRect(span.Column);
        areas.append({name + QStringLiteral(" header top"),
                      QRect(header.topLeft(), QSize(header.width(), 1))});
        areas.append({name + QStringLiteral(" header left"),
                      QRect(header.topLeft(), QSize(1, header.height()))});
        areas.append({name + QStringLiteral(" header right"),
                      QRect(header.topRight(), QSize(1, header.height()))});
        areas.append({name + QStringLiteral(" header bottom"),
                      QRect(header.bottomLeft(), QSize(header.width(), 1))});
        if (span.Filterable)
            areas.append(
                {name + QStringLiteral(" filter button"), geometry.FilterButtonRect(span.Column)});
        const int last = std::min(geometry.RowCount, geometry.TopRow + geometry.PageRows);
        for (int row = geometry.TopRow; row < last; ++row) {
            const QRect cell(span.Left, geometry.RowRect(row).top(), span.Width,
                             geometry.RowHeight);
            const QString at = QStringLiteral(" row %1").arg(row);
            if (span.Column->CellKind() == TDBColumn::Kind::Button)
                areas.append({name + at + QStringLiteral(" glyph"), cell});
            areas.append({name + at + QStringLiteral(" right line"),
                          QRect(cell.topRight(), QSize(1, cell.height()))});
            areas.append({name + at + QStringLiteral(" bottom line"),
                          QRect(cell.bottomLeft(), QSize(cell.width(), 1))});
        }
    }
    return areas;
}

TEST_F(DensityTest, GridLinesGlyphsAndNavigatorDoubleInWholeDevicePixels) {
    AddCombatant(QStringLiteral("Street Samurai"), 17, 3);
    AddCombatant(QStringLiteral("Troll Bouncer"), 7);
    auto& grid = Component<TDataGrid>("grdInit");
    ASSERT_NE(grid.Navigator(), nullptr);
    PutOnScreen(*main_, 1);
    const QImage normal = grid.grab().toImage();
    const QImage normalNavigator = grid.Navigator()->grab().toImage();

    PutOnScreen(*main_, 2);
    const QImage dense = grid.grab().toImage();
    ASSERT_EQ(dense.size(), normal.size() * 2);

    const auto areas = PatternAreas(grid);
    ASSERT_GT(areas.size(), 20);
    for (const auto& [name, area] : areas)
        EXPECT_EQ(PixelsNotInBlocks(normal, dense, area.intersected(normal.rect())), 0)
            << name.toStdString();
    EXPECT_EQ(PixelsNotInBlocks(normalNavigator, grid.Navigator()->grab().toImage(),
                                normalNavigator.rect()),
              0);
}

} // namespace
} // namespace trevalo
