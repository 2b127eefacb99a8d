// The grid control's life, layout, painting, mouse and focus. Its keys and actions are in
// TDataGridActions.cpp, its header and group-row presses in TDataGridHeader.cpp.
#include "components/grid/control/TDataGrid.h"

#include "components/grid/control/GridPainter.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/navigator/TGridNavigator.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/Failures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace trevalo {

TDataGrid::TDataGrid(QWidget* parent)
    : QWidget(parent)
    , verticalBar_(new QScrollBar(Qt::Vertical, this))
    , horizontalBar_(new QScrollBar(Qt::Horizontal, this))
    , customizeButton_(new QPushButton(QStringLiteral("Customize..."), this))
    , editor_(new TInplaceEdit(this))
    , edit_(*this, *editor_) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // the sizing cursor over header edges
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (QScrollBar* bar : {verticalBar_, horizontalBar_})
        bar->setFocusPolicy(Qt::NoFocus);
    verticalBar_->hide();
    connect(verticalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        topRow_ = value;
        Relayout();
    });
    connect(horizontalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        scrollX_ = value;
        Relayout();
    });
    customizeButton_->setFocusPolicy(Qt::NoFocus);
    customizeButton_->hide();
    connect(customizeButton_, &QPushButton::clicked, this, [this] { OpenFilterDialog(nullptr); });
    editor_->OnGridKey = [this](QKeyEvent* event) {
        bool handled = true;
        Guard([&] { handled = HandleEditorKey(event); });
        return handled;
    };
    editor_->OnFocusOut = [this](QFocusEvent* event) { FocusLost(event); };
    connect(editor_, &QLineEdit::textEdited, this, [this] { edit_.TextEdited(); });

    const QFontMetrics metrics = fontMetrics();
    metrics_.RowHeight = std::max(metrics.height() + 6, 19); // room for a 16-pixel glyph
    metrics_.HeaderHeight = metrics.height() + 6;
    metrics_.GroupBoxHeight = metrics_.HeaderHeight + 16; // a grouped header 8 from the top
    metrics_.FilterBoxHeight = metrics.height() + 10;
    metrics_.ScrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    metrics_.DigitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
}

TDataGrid::~TDataGrid() {
    if (view_)
        view_->OnChanged = nullptr;
}

void TDataGrid::Loaded() {
    const auto* level = findChild<TGridLevel*>();
    if (!level || !level->GridView())
        return;
    view_ = level->GridView();
    edit_.SetView(view_);
    view_->OnChanged = [this] { ViewChanged(); };
    if (view_->OptionsView().Navigator) {
        navigator_ = new TGridNavigator(view_->NavigatorButtons(), *this, this);
        connect(navigator_, &TGridNavigator::ButtonEnabledChanged, this,
                [this](NavigatorButton button) {
                    if (observer_)
                        observer_->NavigatorButtonChanged(*navigator_, button);
                });
        navigator_->SetLineHeight(metrics_.ScrollBarExtent);
        navigator_->SetOffset(view_->OptionsView().NavigatorOffset());
        metrics_.NavigatorWidth = navigator_->sizeHint().width();
    }
    ViewChanged();
}

// ---- following the view ------------------------------------------------------------------

void TDataGrid::ViewChanged() {
    edit_.ViewChanged();
    Relayout();
    ScrollToFocus();
    if (navigator_)
        navigator_->UpdateButtons();
    if (observer_)
        observer_->GridChanged(*this);
}

void TDataGrid::Relayout() {
    if (!view_)
        return;
    geometry_.Compute(*view_, metrics_, size(), topRow_, scrollX_);
    topRow_ = geometry_.TopRow;
    scrollX_ = geometry_.ScrollX;
    PlaceScrollBars();
    if (navigator_)
        navigator_->setGeometry(geometry_.Navigator);
    PlaceCustomizeButton();
    edit_.Place(geometry_);
    update();
}

void TDataGrid::PlaceScrollBars() {
    const QSignalBlocker blockVertical(verticalBar_);
    verticalBar_->setVisible(!geometry_.VerticalBar.isEmpty());
    verticalBar_->setGeometry(geometry_.VerticalBar);
    verticalBar_->setRange(0, std::max(geometry_.RowCount - geometry_.PageRows, 0));
    verticalBar_->setPageStep(geometry_.PageRows);
    verticalBar_->setValue(topRow_);

    const QSignalBlocker blockHorizontal(horizontalBar_);
    horizontalBar_->setGeometry(geometry_.HorizontalBar);
    horizontalBar_->setRange(0, std::max(geometry_.ContentWidth - geometry_.Rows.width(), 0));
    horizontalBar_->setPageStep(std::max(geometry_.Rows.width(), 1));
    horizontalBar_->setValue(scrollX_);
}

void TDataGrid::PlaceCustomizeButton() {
    const QRect box = geometry_.FilterBox;
    customizeButton_->setVisible(!box.isEmpty());
    if (box.isEmpty())
        return;
    const QSize size = customizeButton_->sizeHint();
    customizeButton_->setGeometry(box.right() - size.width() - 2, box.top() + 2, size.width(),
                                  box.height() - 3);
}

void TDataGrid::ScrollToFocus() {
    const int row = view_->DataController().FocusedRow();
    // Only a move of the focus scrolls; the user's own scrolling stays put otherwise.
    if (row == scrolledToRow_ && view_->FocusedColumn() == scrolledToColumn_)
        return;
    scrolledToRow_ = row;
    scrolledToColumn_ = view_->FocusedColumn();
    const int top = row < 0 ? topRow_ : geometry_.TopRowShowing(row);
    const int scrollX = geometry_.ScrollXShowing(view_->FocusedColumn());
    if (top == topRow_ && scrollX == scrollX_)
        return;
    topRow_ = top;
    scrollX_ = scrollX;
    Relayout();
}

void TDataGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void TDataGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!view_) {
        painter.fillRect(rect(), palette().button());
        return;
    }
    PaintState state;
    state.HasFocus = hasFocus() || editor_->hasFocus();
    state.PressedHeader = header_.PressedColumn();
    state.DraggedHeader = header_.DraggedColumn();
    if (state.DraggedHeader)
        state.DragRect = header_.DragRect(geometry_.Header.height());
    state.PressedButtonColumn = cellPress_ == CellPress::ButtonHeld ? pressedColumn_ : nullptr;
    GridPainter(painter, palette(), *view_, geometry_).Paint(state);
}

// ---- mouse --------------------------------------------------------------------------------

void TDataGrid::mousePressEvent(QMouseEvent* event) {
    Guard([&] {
        if (!view_ || event->button() != Qt::LeftButton)
            return;
        // What the user pointed at, before closing the editor changes anything.
        const QPoint point = event->position().toPoint();
        const GridGeometry::Hit hit = geometry_.HitTest(point);
        const TDBDataController& data = view_->DataController();
        pressedRecord_ = hit.Where == GridGeometry::Area::Cell
                             ? data.RecordBookmark(data.RowRecord(hit.Row))
                             : QByteArray();
        if (!edit_.TakeFocus())
            return;
        setFocus(Qt::MouseFocusReason);
        switch (hit.Where) {
        case GridGeometry::Area::Header:
        case GridGeometry::Area::GroupedHeader:
        case GridGeometry::Area::HeaderEdge:
        case GridGeometry::Area::FilterButton:
            PressHeader(hit, point);
            break;
        case GridGeometry::Area::Cell:
        case GridGeometry::Area::Rows:
            if (hit.Row >= 0 && data.IsGroupRow(hit.Row))
                PressGroupRow(hit.Row, point, false);
            else if (hit.Where == GridGeometry::Area::Cell)
                PressCell(hit, event->modifiers());
            break;
        case GridGeometry::Area::GroupBox:
        case GridGeometry::Area::None:
            break;
        }
    });
}

void TDataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    Guard([&] {
        // A second click on a cell acts as a first one; on a header it is no click at all.
        if (!view_ || event->button() != Qt::LeftButton)
            return;
        const GridGeometry::Hit hit = geometry_.HitTest(event->position().toPoint());
        const TDBDataController& data = view_->DataController();
        if (hit.Row >= 0 && data.IsGroupRow(hit.Row)) {
            PressGroupRow(hit.Row, event->position().toPoint(), true);
            return;
        }
        if (hit.Where != GridGeometry::Area::Cell)
            return;
        // The first click may have taken its row away and slid the next one under the
        // pointer: a button acts again only on the record it pressed first.
        const bool sameRecord = data.RecordBookmark(data.RowRecord(hit.Row)) == pressedRecord_;
        if (sameRecord || hit.Column->CellKind() != TDBColumn::Kind::Button)
            mousePressEvent(event);
    });
}

void TDataGrid::ClickButtonCell(int row, TDBColumn& column) {
    Guard([&] {
        if (!view_ || !edit_.TakeFocus())
            return;
        setFocus(Qt::OtherFocusReason);
        PressCell({GridGeometry::Area::Cell, &column, row}, Qt::NoModifier);
        cellPress_ = CellPress::None;
        update();
        ClickButton();
    });
}

void TDataGrid::PressCell(const GridGeometry::Hit& hit, Qt::KeyboardModifiers modifiers) {
    edit_.CloseButton();
    // Settling the row being edited may re-sort the rows under the pointer; the button
    // pressed is the one that was there.
    pressedCell_ = geometry_.CellRect(hit.Row, hit.Column);
    view_->FocusRow(hit.Row);
    if (hit.Column->Options().Focusing)
        view_->SetFocusedColumn(hit.Column);
    pressedColumn_ = hit.Column;
    if (hit.Column->CellKind() == TDBColumn::Kind::Button &&
        !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier))) {
        edit_.OpenButton(hit.Column, view_->DataController().FocusedRow());
        cellPress_ = CellPress::ButtonHeld;
        update();
    } else if (hit.Column->CellKind() == TDBColumn::Kind::Text) {
        cellPress_ = CellPress::Text;
    }
}

void TDataGrid::mouseMoveEvent(QMouseEvent* event) {
    Guard([&] {
        const QPoint point = event->position().toPoint();
        if (header_.Active()) {
            header_.Move(*view_, point);
            update();
        } else if (cellPress_ == CellPress::ButtonHeld || cellPress_ == CellPress::ButtonAway) {
            const CellPress now =
                pressedCell_.contains(point) ? CellPress::ButtonHeld : CellPress::ButtonAway;
            if (std::exchange(cellPress_, now) != now)
                update();
        } else if (cellPress_ == CellPress::None && view_) {
            const bool onEdge = geometry_.HitTest(point).Where == GridGeometry::Area::HeaderEdge;
            setCursor(onEdge ? Qt::SplitHCursor : Qt::ArrowCursor);
        }
    });
}

void TDataGrid::mouseReleaseEvent(QMouseEvent* event) {
    Guard([&] {
        if (event->button() != Qt::LeftButton)
            return;
        const QPoint point = event->position().toPoint();
        update();
        if (header_.Active())
            header_.Release(*view_, geometry_, point, event->modifiers());
        else
            ReleaseCell(std::exchange(cellPress_, CellPress::None), point);
    });
}

void TDataGrid::ReleaseCell(CellPress press, QPoint point) {
    if (press == CellPress::ButtonHeld || press == CellPress::ButtonAway) {
        if (pressedCell_.contains(point))
            ClickButton();
        return;
    }
    if (press != CellPress::Text)
        return;
    const GridGeometry::Hit hit = geometry_.HitTest(point);
    if (hit.Where == GridGeometry::Area::Cell && hit.Column == pressedColumn_ &&
        hit.Row == view_->DataController().FocusedRow() && view_->OptionsBehavior().ImmediateEditor)
        OpenEditor(nullptr);
}

void TDataGrid::wheelEvent(QWheelEvent* event) {
    if (verticalBar_->isVisible())
        QApplication::sendEvent(verticalBar_, event);
}

// ---- focus --------------------------------------------------------------------------------

void TDataGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    if (observer_)
        observer_->GridFocused(*this);
}

void TDataGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
    FocusLost(event);
}

void TDataGrid::FocusLost(QFocusEvent* event) {
    // A box, a popup or the menu bar taking the focus for a moment is not leaving the grid: the
    // editor stays open with its text, and gets the focus back when they are done.
    const bool passing = event->reason() == Qt::PopupFocusReason ||
                         event->reason() == Qt::ActiveWindowFocusReason ||
                         event->reason() == Qt::MenuBarFocusReason;
    const QWidget* now = QApplication::focusWidget();
    if (view_ && !passing && !(now && (now == this || isAncestorOf(now))))
        Guard([this] { edit_.Leave(); });
}

bool TDataGrid::WritePendingInput() {
    return edit_.TakeFocus();
}

} // namespace trevalo
