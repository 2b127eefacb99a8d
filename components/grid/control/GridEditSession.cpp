#include "components/grid/control/GridEditSession.h"

#include "components/data/IntegerText.h"
#include "components/data/TField.h"
#include "components/grid/control/GridGeometry.h"
#include "components/grid/control/TInplaceEdit.h"
#include "components/grid/view/TDBTableView.h"
#include "platform/Failures.h"

#include <QApplication>
#include <QKeyEvent>

namespace trevalo {

TInplaceEdit* GridEditSession::Editor() const {
    return column_ ? &editor_ : nullptr;
}

bool GridEditSession::IsButtonOpen() const {
    return view_ && button_.Column && button_.Column == view_->FocusedColumn() &&
           button_.Row == view_->DataController().FocusedRow();
}

QString GridEditSession::CellText() const {
    const TDBDataController& data = view_->DataController();
    const int field = view_->ColumnFieldIndex(*column_);
    const int record = data.RowRecord(data.FocusedRow());
    return field < 0 || record < 0 ? QString() : DisplayText(data.Value(record, field));
}

void GridEditSession::Open(const QKeyEvent* typed, const GridGeometry& geometry) {
    TDBColumn* column = view_->FocusedColumn();
    const int row = view_->DataController().FocusedRow();
    if (!column || view_->DataController().RowRecord(row) < 0)
        return;
    if (column->CellKind() == TDBColumn::Kind::Button) {
        if (!typed)
            OpenButton(column, row);
        return;
    }
    if (column->CellKind() != TDBColumn::Kind::Text || !view_->MayEditColumn(*column))
        return;
    const TField* field = view_->ColumnField(*column);
    column_ = column;
    row_ = row;
    dirty_ = false;
    editor_.SetCharacterLimit(field->DataType() == engine::FieldType::String
                                  ? std::optional<int>(field->Size())
                                  : std::nullopt);
    editor_.setText(CellText());
    Place(geometry);
    editor_.show();
    editor_.setFocus(Qt::OtherFocusReason);
    editor_.selectAll();
    if (typed) {
        QKeyEvent copy(typed->type(), typed->key(), typed->modifiers(), typed->text());
        QApplication::sendEvent(&editor_, &copy);
    }
}

void GridEditSession::Close() {
    if (!column_)
        return;
    column_ = nullptr;
    dirty_ = false;
    if (editor_.hasFocus())
        grid_.setFocus(Qt::OtherFocusReason);
    editor_.hide();
}

void GridEditSession::Write() {
    if (!column_ || !dirty_)
        return;
    TField* field = view_->ColumnField(*column_);
    const QString text = editor_.text();
    QVariant value;
    if (field->DataType() == engine::FieldType::Integer) {
        if (const std::optional<std::int32_t> number = ParseIntegerText(text, field->FieldName()))
            value = *number;
    } else if (!text.isEmpty()) {
        value = text;
    }
    field->SetValue(value);
    dirty_ = false;
}

bool GridEditSession::TakeFocus() {
    if (!Guard([this] { Write(); })) {
        editor_.setFocus(Qt::OtherFocusReason);
        return false;
    }
    Close();
    return true;
}

void GridEditSession::Leave() {
    if (view_->OptionsData().CancelOnExit && IsUntouchedNewRow()) {
        Close();
        view_->DataController().View()->Cancel();
        return;
    }
    TakeFocus();
}

void GridEditSession::TextEdited() {
    dirty_ = true;
    if (insertTyping_ == InsertTyping::Untouched)
        insertTyping_ = InsertTyping::Typed;
    TWorkingView* data = view_->DataController().View();
    if (data && data->State() == TDataSetState::dsBrowse)
        Guard([data] { data->Edit(); });
}

bool GridEditSession::IsUntouchedNewRow() const {
    const TWorkingView* data = view_->DataController().View();
    return data && data->State() == TDataSetState::dsInsert && !data->Modified() &&
           insertTyping_ != InsertTyping::Typed;
}

void GridEditSession::ViewChanged() {
    const TWorkingView* data = view_->DataController().View();
    if (!data || data->State() != TDataSetState::dsInsert)
        insertTyping_ = InsertTyping::NotInserting;
    else if (insertTyping_ == InsertTyping::NotInserting)
        insertTyping_ = InsertTyping::Untouched;
    if (!column_)
        return;
    const int row = view_->DataController().FocusedRow();
    const bool keep =
        dirty_ ? view_->IsEditing() && row == row_ : row == row_ && editor_.text() == CellText();
    if (!keep)
        Close();
}

void GridEditSession::Place(const GridGeometry& geometry) {
    if (column_)
        editor_.setGeometry(geometry.CellRect(view_->DataController().FocusedRow(), column_)
                                .adjusted(0, 0, -1, -1));
}

} // namespace trevalo
