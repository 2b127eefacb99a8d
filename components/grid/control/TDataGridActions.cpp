// The grid's keys, its navigator's buttons and the one place that carries out what both ask.
#include "components/grid/control/TDataGrid.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/navigator/TGridNavigator.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/Failures.h"
#include "platform/QuestionBox.h"

#include <QKeyEvent>

namespace trevalo {

namespace {

/// The modifiers the keys' rules look at.
constexpr Qt::KeyboardModifiers kModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// Printable text, Backspace, and pasting or cutting open the editor with the key.
bool IsTyping(const QKeyEvent& event, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers == Qt::ControlModifier;
    return event.key() == Qt::Key_Backspace ||
           (!event.text().isEmpty() && event.text().front().isPrint() &&
            !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) ||
           (ctrl && (event.key() == Qt::Key_V || event.key() == Qt::Key_X));
}

} // namespace

bool TDataGrid::event(QEvent* event) {
    // Tab moves between cells and never leaves the grid, so it is taken before the focus chain.
    if (event->type() == QEvent::KeyPress && view_) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            Guard([&] { HandleGridKey(key); });
            return true;
        }
    }
    return QWidget::event(event);
}

void TDataGrid::keyPressEvent(QKeyEvent* event) {
    bool handled = false;
    Guard([&] { handled = view_ && HandleGridKey(event); });
    if (!handled)
        QWidget::keyPressEvent(event);
}

bool TDataGrid::HandleGridKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & kModifiers;
    const TDBDataController& data = view_->DataController();
    const bool onGroupRow = data.FocusedRow() >= 0 && data.IsGroupRow(data.FocusedRow());
    if (const std::optional<GridAction> action = KeyAction(event->key(), modifiers, onGroupRow)) {
        Perform(*action);
        return true;
    }
    if (event->key() == Qt::Key_Space && modifiers == Qt::NoModifier && OnButtonCell()) {
        // Space presses a button cell, as Enter then Ctrl+Enter do.
        Perform(GridAction::OpenEditor);
        Perform(GridAction::ClickButton);
        return true;
    }
    if (!IsTyping(*event, modifiers))
        return false;
    OpenEditor(event);
    return true;
}

bool TDataGrid::HandleEditorKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & kModifiers;
    switch (event->key()) {
    case Qt::Key_Escape:
        edit_.Close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::ControlModifier)
            edit_.TakeFocus();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (edit_.TakeFocus())
            HandleGridKey(event);
        return true;
    case Qt::Key_Insert:
    case Qt::Key_N: {
        const bool newRow = KeyAction(event->key(), modifiers, false) == GridAction::Insert;
        if (newRow && edit_.TakeFocus())
            HandleGridKey(event);
        return newRow;
    }
    case Qt::Key_Delete:
        if (modifiers == Qt::ControlModifier)
            AskAndDelete();
        return modifiers == Qt::ControlModifier;
    default:
        return false;
    }
}

void TDataGrid::Perform(GridAction action) {
    switch (BandOf(action)) {
    case GridActionBand::None:
        break;
    case GridActionBand::Move:
        MoveFocus(action);
        break;
    case GridActionBand::Record:
        ChangeRecord(action);
        break;
    case GridActionBand::Cell:
        ActOnCell(action);
        break;
    }
}

void TDataGrid::MoveFocus(GridAction action) {
    const int forward = IsForward(action) ? 1 : -1;
    switch (action) {
    case GridAction::FirstRow:
    case GridAction::LastRow:
        FocusEdgeRow(forward > 0);
        break;
    case GridAction::PriorPage:
    case GridAction::NextPage:
        MoveRowBy(forward * geometry_.PageRows);
        break;
    case GridAction::PriorRow:
    case GridAction::NextRow:
        MoveRowBy(forward);
        break;
    case GridAction::FirstColumn:
    case GridAction::LastColumn:
        view_->FocusEdgeColumn(forward > 0);
        break;
    case GridAction::PriorCell:
    case GridAction::NextCell:
        // Tab moves the focus only where the view says so, and never leaves the grid.
        if (view_->OptionsBehavior().FocusCellOnTab)
            view_->StepFocusedColumn(forward);
        break;
    default:
        view_->StepFocusedColumn(forward);
        break;
    }
}

void TDataGrid::ChangeRecord(GridAction action) {
    TWorkingView* data = view_->DataController().View();
    switch (action) {
    case GridAction::Insert:
        view_->InsertRecord();
        break;
    case GridAction::Delete:
        AskAndDelete();
        break;
    case GridAction::Edit:
        if (data)
            data->Edit();
        break;
    case GridAction::Post:
        view_->PostRecord();
        break;
    case GridAction::Cancel:
        view_->CancelRecord();
        break;
    default:
        if (view_->IsEditing())
            data->Cancel();
        break;
    }
}

void TDataGrid::ActOnCell(GridAction action) {
    if (action == GridAction::OpenEditor)
        OpenEditor(nullptr);
    else if (action == GridAction::ClickButton && IsButtonEditorOpen())
        ClickButton();
    else if (action == GridAction::ToggleGroup)
        ToggleGroup(std::nullopt);
    else if (action == GridAction::Expand || action == GridAction::Collapse)
        ToggleGroup(action == GridAction::Expand);
}

void TDataGrid::MoveRowBy(int rows) {
    const int focused = view_->DataController().FocusedRow();
    if (focused >= 0)
        view_->FocusRow(focused + rows);
}

void TDataGrid::FocusEdgeRow(bool last) {
    const int count = view_->DataController().RowCount();
    if (count > 0)
        view_->FocusRow(last ? count - 1 : 0);
}

void TDataGrid::AskAndDelete() {
    if (!view_->MayDelete())
        return;
    if (view_->OptionsData().DeletingConfirmation &&
        !AskOkCancel(QStringLiteral("Delete record?"), QStringLiteral("Confirm"), this))
        return;
    edit_.Close();
    view_->DeleteFocusedRecord();
}

bool TDataGrid::OnButtonCell() const {
    const TDBColumn* column = view_->FocusedColumn();
    const TDBDataController& data = view_->DataController();
    return column && column->CellKind() == TDBColumn::Kind::Button && data.FocusedRow() >= 0 &&
           !data.IsGroupRow(data.FocusedRow());
}

void TDataGrid::ClickButton() {
    if (TDBColumn* column = view_->FocusedColumn();
        column && column->CellKind() == TDBColumn::Kind::Button)
        Fire(column->OnButtonClick, this);
}

void TDataGrid::OpenEditor(const QKeyEvent* typed) {
    edit_.Open(typed, geometry_);
}

// ---- the navigator's host -----------------------------------------------------------------

bool TDataGrid::MayInsert() const {
    return view_->MayInsert();
}
bool TDataGrid::MayEdit() const {
    return view_->MayEdit();
}
bool TDataGrid::MayDelete() const {
    return view_->MayDelete();
}
bool TDataGrid::IsEditing() const {
    return view_->IsEditing();
}
bool TDataGrid::AtFirstRow() const {
    const TWorkingView* data = view_->DataController().View();
    return !data || data->Bof();
}
bool TDataGrid::AtLastRow() const {
    const TWorkingView* data = view_->DataController().View();
    return !data || data->Eof();
}

void TDataGrid::FocusGridForNavigator() {
    edit_.Write();
    edit_.Close();
    setFocus(Qt::MouseFocusReason);
}

void TDataGrid::DoNavigatorAction(NavigatorButton button) {
    Perform(ButtonAction(button));
    if (navigator_)
        navigator_->UpdateButtons();
}

} // namespace trevalo
