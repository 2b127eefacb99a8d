// The grid's in-place text editor: opening it over the focused cell, writing its text into
// the record, and what closing it or leaving the grid does to a row being edited or inserted.
#include "components/data/IntegerText.h"
#include "components/data/TField.h"
#include "components/grid/TDBTableView.h"
#include "components/grid/TDataGrid.h"
#include "components/grid/TInplaceEdit.h"
#include "platform/TApplication.h"

#include <QApplication>
#include <QKeyEvent>

namespace trevalo {

QString TDataGrid::CellText() const {
    const TDBDataController& data = view_->DataController();
    const int field = view_->ColumnFieldIndex(*editorColumn_);
    const int record = data.RowRecord(data.FocusedRow());
    return field < 0 || record < 0 ? QString() : DisplayText(data.Value(record, field));
}

void TDataGrid::OpenEditor(QKeyEvent* typed) {
    TDBColumn* column = view_->FocusedColumn();
    const int row = view_->DataController().FocusedRow();
    if (!column || view_->DataController().RowRecord(row) < 0)
        return;
    if (column->CellKind() == TDBColumn::Kind::Button) {
        if (!typed)
            buttonEditor_ = {column, row};
        return;
    }
    if (column->CellKind() != TDBColumn::Kind::Text || !view_->MayEditColumn(*column))
        return;
    const TField* field = view_->ColumnField(*column);
    editorColumn_ = column;
    editorRow_ = row;
    editorDirty_ = false;
    editor_->setMaxLength(field->DataType() == engine::FieldType::String ? field->Size() : 32767);
    editor_->setText(CellText());
    Relayout();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
    if (typed) {
        QKeyEvent copy(typed->type(), typed->key(), typed->modifiers(), typed->text());
        QApplication::sendEvent(editor_, &copy);
    }
}

void TDataGrid::CloseEditor() {
    if (!editorColumn_)
        return;
    editorColumn_ = nullptr;
    editorDirty_ = false;
    if (editor_->hasFocus())
        setFocus(Qt::OtherFocusReason);
    editor_->hide();
}

void TDataGrid::EditorTextEdited() {
    editorDirty_ = true;
    typedIntoInsert_ = true;
    TWorkingView* data = view_->DataController().View();
    if (data && data->State() == TDataSetState::dsBrowse) {
        try {
            data->Edit();
        } catch (const std::exception& error) {
            TApplication::HandleException(error);
        }
    }
}

void TDataGrid::WriteEditor() {
    if (!editorColumn_ || !editorDirty_)
        return;
    TField* field = view_->ColumnField(*editorColumn_);
    const QString text = editor_->text();
    QVariant value;
    if (field->DataType() == engine::FieldType::Integer) {
        if (const std::optional<std::int32_t> number = ParseIntegerText(text, field->FieldName()))
            value = *number;
    } else if (!text.isEmpty()) {
        value = text;
    }
    field->SetValue(value);
    editorDirty_ = false;
}

bool TDataGrid::TakeFocusFromEditor() {
    try {
        WriteEditor();
    } catch (const std::exception& error) {
        TApplication::HandleException(error);
        editor_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    CloseEditor();
    return true;
}

bool TDataGrid::WritePendingInput() {
    return !editorColumn_ || TakeFocusFromEditor();
}

bool TDataGrid::HandleEditorKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & kModifiers;
    switch (event->key()) {
    case Qt::Key_Escape:
        CloseEditor();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (modifiers != Qt::ControlModifier)
            TakeFocusFromEditor();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        if (TakeFocusFromEditor())
            HandleGridKey(event);
        return true;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier && TakeFocusFromEditor())
            HandleGridKey(event);
        return modifiers == Qt::NoModifier;
    case Qt::Key_Delete:
        if (modifiers == Qt::ControlModifier)
            AskAndDelete();
        return modifiers == Qt::ControlModifier;
    default:
        return false;
    }
}

bool TDataGrid::IsUntouchedNewRow() const {
    const TWorkingView* data = view_->DataController().View();
    return data && data->State() == TDataSetState::dsInsert && !data->Modified() &&
           !typedIntoInsert_;
}

void TDataGrid::LeaveGrid() {
    if (view_->OptionsData().CancelOnExit && IsUntouchedNewRow()) {
        CloseEditor();
        view_->DataController().View()->Cancel();
        return;
    }
    try {
        WriteEditor();
    } catch (const std::exception& error) {
        TApplication::HandleException(error);
        editor_->setFocus(Qt::OtherFocusReason);
        return;
    }
    CloseEditor();
}

void TDataGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TDataGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
    FocusLost(event);
}

void TDataGrid::FocusLost(QFocusEvent* event) {
    // A box or menu taking the focus for a moment is not leaving the grid.
    const bool passing =
        event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
    const QWidget* now = QApplication::focusWidget();
    if (view_ && !passing && !(now && (now == this || isAncestorOf(now))))
        TApplication::Guard([this] { LeaveGrid(); });
}

} // namespace trevalo
