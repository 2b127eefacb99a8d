#include "tests/support/GridDriver.h"

#include "tests/support/ChildOf.h"
#include "tests/support/PaintedText.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace trevalo {

GridDriver::GridDriver(TDataGrid& grid)
    : grid_(grid) {}

TDBColumn& GridDriver::Column(const char* name) const {
    return test::ChildOf<TDBColumn>(grid_, QLatin1String(name));
}

QPoint GridDriver::CellCenter(int row, const char* column) const {
    const GridGeometry& geometry = grid_.Geometry();
    QScrollBar* vertical = nullptr;
    QScrollBar* horizontal = nullptr;
    for (QScrollBar* bar : grid_.findChildren<QScrollBar*>())
        (bar->orientation() == Qt::Vertical ? vertical : horizontal) = bar;
    if (row < geometry.TopRow || row >= geometry.TopRow + geometry.PageRows)
        vertical->setValue(std::max(row - geometry.PageRows / 2, 0));
    horizontal->setValue(geometry.ScrollXShowing(&Column(column)));
    return grid_.Geometry().CellRect(row, &Column(column)).center();
}

void GridDriver::ClickCell(int row, const char* column, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(&grid_, Qt::LeftButton, modifiers, CellCenter(row, column));
}

void GridDriver::ClickHeader(const char* column, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(&grid_, Qt::LeftButton, modifiers,
                      grid_.Geometry().HeaderRect(&Column(column)).center());
}

void GridDriver::ClickNavigator(NavigatorButton button) {
    TGridNavigator* navigator = grid_.Navigator();
    QTest::mouseClick(navigator, Qt::LeftButton, {}, navigator->ButtonRect(button).center());
}

void GridDriver::Drag(QPoint from, QPoint to) {
    QTest::mousePress(&grid_, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        QMouseEvent move(QEvent::MouseMove, at, grid_.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&grid_, &move);
    }
    QTest::mouseRelease(&grid_, Qt::LeftButton, {}, to);
}

QPoint GridDriver::HeaderCenter(const char* column) const {
    const GridGeometry& geometry = grid_.Geometry();
    const QRect header = geometry.HeaderRect(&Column(column));
    return header.isEmpty() ? geometry.GroupedHeaderRect(&Column(column)).center()
                            : header.center();
}

QListWidget* GridDriver::OpenFilter(const char* column) {
    QTest::mouseClick(&grid_, Qt::LeftButton, {},
                      grid_.Geometry().FilterButtonRect(&Column(column)).center());
    return qobject_cast<QListWidget*>(QApplication::activePopupWidget());
}

QWidget* GridDriver::FocusTarget() const {
    return grid_.Editor() ? static_cast<QWidget*>(grid_.Editor()) : &grid_;
}

void GridDriver::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(FocusTarget(), key, modifiers);
}

void GridDriver::Type(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A letter beyond ASCII has no key code of its own: a keyboard layout sends it as text,
        // a character beyond the basic plane whole, as its surrogate pair.
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        const QString character = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        if (character[0].unicode() < 0x80)
            QTest::keyClicks(FocusTarget(), character);
        else
            QTest::sendKeyEvent(QTest::Click, FocusTarget(), Qt::Key_unknown, character,
                                Qt::NoModifier);
    }
}

QStringList GridDriver::Texts(const char* column) const {
    QScrollBar* vertical = nullptr;
    QScrollBar* horizontal = nullptr;
    for (QScrollBar* bar : grid_.findChildren<QScrollBar*>())
        (bar->orientation() == Qt::Vertical ? vertical : horizontal) = bar;
    const int top = vertical->value();
    const int left = horizontal->value();
    QStringList texts;
    QList<PaintedText> painted;
    int paintedTop = -1;
    for (int row = 0; row < View().DataController().RowCount(); ++row) {
        CellCenter(row, column);
        if (grid_.Geometry().TopRow != paintedTop) {
            painted = PaintedTexts(grid_);
            paintedTop = grid_.Geometry().TopRow;
        }
        texts.append(TextIn(painted, grid_.Geometry().CellRect(row, &Column(column))));
    }
    // Reading leaves the grid scrolled as it was.
    vertical->setValue(top);
    horizontal->setValue(left);
    return texts;
}

QColor GridDriver::Background(int row, const char* column) const {
    CellCenter(row, column); // scrolled into view
    const QRect cell = grid_.Geometry().CellRect(row, &Column(column));
    // Above the text, which a number takes to its cell's right margin.
    return grid_.grab().toImage().pixelColor(cell.right() - 2, cell.top() + 1);
}

} // namespace trevalo
