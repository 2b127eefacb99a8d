#include "components/grid/TDBTableView.h"

#include "components/data/TField.h"

#include <algorithm>

namespace trevalo {

namespace {

SortOrder FromColumn(TDBColumn::TSortOrder order) {
    switch (order) {
    case TDBColumn::soAscending:
        return SortOrder::Ascending;
    case TDBColumn::soDescending:
        return SortOrder::Descending;
    case TDBColumn::soNone:
        break;
    }
    return SortOrder::None;
}

/// Characters a field's value takes on screen, for the width rule.
int DisplayChars(const TField& field) {
    switch (field.DataType()) {
    case engine::FieldType::String:
        return field.Size();
    case engine::FieldType::Boolean:
        return 5;
    default:
        return 10;
    }
}

constexpr int kUnboundWidth = 64;

} // namespace

TDBTableView::TDBTableView(QObject* parent)
    : QObject(parent) {
    navigatorButtons_.SetConfirmDelete(false);
    controller_.OnChanged = [this] {
        if (OnChanged)
            OnChanged();
    };
}

TDBTableView::~TDBTableView() {
    controller_.SetDataSource(nullptr);
}

void TDBTableView::SetDataSource(TDataSource* source) {
    dataSource_ = source;
    if (!Loading())
        controller_.SetDataSource(source);
}

void TDBTableView::Loaded() {
    QStringList fields;
    const QList<TDBColumn*> columns = findChildren<TDBColumn*>(Qt::FindDirectChildrenOnly);
    for (TDBColumn* column : columns) {
        if (!column->FieldName().isEmpty() && !fields.contains(column->FieldName()))
            fields.append(column->FieldName());
        connect(column, &TDBColumn::VisibleChanged, this, [this] {
            if (focusedColumn_ && !focusedColumn_->Visible())
                SetFocusedColumn(nullptr);
            if (OnChanged)
                OnChanged();
        });
    }
    controller_.SetFieldNames(fields);
    QList<SortKey> sort;
    for (TDBColumn* column : columns) {
        const SortOrder order = FromColumn(column->SortOrder());
        if (order != SortOrder::None && ColumnFieldIndex(*column) >= 0)
            sort.append({ColumnFieldIndex(*column), order});
    }
    controller_.SetSortList(sort);
    controller_.SetDataSource(dataSource_);
    SetFocusedColumn(nullptr);
}

QList<TDBColumn*> TDBTableView::VisibleColumns() const {
    QList<TDBColumn*> visible = findChildren<TDBColumn*>(Qt::FindDirectChildrenOnly);
    visible.removeIf([](const TDBColumn* column) { return !column->Visible(); });
    return visible;
}

int TDBTableView::ColumnFieldIndex(const TDBColumn& column) const {
    return column.FieldName().isEmpty() ? -1 : controller_.FieldIndex(column.FieldName());
}

TField* TDBTableView::ColumnField(const TDBColumn& column) const {
    const int field = ColumnFieldIndex(column);
    return field < 0 ? nullptr : controller_.Field(field);
}

int TDBTableView::ColumnWidth(const TDBColumn& column, int digitWidth) const {
    const TField* field = ColumnField(column);
    return column.DisplayWidth(field ? DisplayChars(*field) * digitWidth + 4 : kUnboundWidth);
}

SortOrder TDBTableView::ColumnSortOrder(const TDBColumn& column) const {
    const int field = ColumnFieldIndex(column);
    return field < 0 ? SortOrder::None : controller_.FieldSortOrder(field);
}

void TDBTableView::SetFocusedColumn(TDBColumn* column) {
    // Without a choice yet, typing goes to the first column that holds a value.
    if (!column) {
        const QList<TDBColumn*> focusable = FocusableColumns();
        const auto bound = std::find_if(focusable.begin(), focusable.end(),
                                        [this](auto* c) { return ColumnFieldIndex(*c) >= 0; });
        column =
            bound != focusable.end() ? *bound : (focusable.isEmpty() ? nullptr : focusable.first());
    }
    if (focusedColumn_ == column)
        return;
    focusedColumn_ = column;
    if (OnChanged)
        OnChanged();
}

QList<TDBColumn*> TDBTableView::FocusableColumns() const {
    QList<TDBColumn*> columns = VisibleColumns();
    columns.removeIf([](const TDBColumn* column) { return !column->Options().Focusing; });
    return columns;
}

bool TDBTableView::StepFocusedColumn(int step) {
    const QList<TDBColumn*> columns = FocusableColumns();
    const qsizetype at = columns.indexOf(focusedColumn_);
    const qsizetype next = at + step;
    if (at < 0 || controller_.FocusedRow() < 0 || next < 0 || next >= columns.size())
        return false;
    SetFocusedColumn(columns[next]);
    return true;
}

void TDBTableView::FocusEdgeColumn(bool last) {
    const QList<TDBColumn*> columns = FocusableColumns();
    if (!columns.isEmpty())
        SetFocusedColumn(last ? columns.last() : columns.first());
}

void TDBTableView::FocusRow(int row) {
    controller_.FocusRow(std::clamp(row, 0, controller_.RowCount() - 1));
}

void TDBTableView::ClickHeader(const TDBColumn& column, bool shift, bool ctrl) {
    const int field = ColumnFieldIndex(column);
    if (field < 0 || !column.Options().Sorting || column.CellKind() != TDBColumn::Kind::Text)
        return;
    controller_.ClickSort(field, shift, ctrl);
}

bool TDBTableView::MayInsert() const {
    return View() && View()->IsOpen() && View()->CanModify() && optionsData_.Inserting;
}

bool TDBTableView::MayEdit() const {
    return focusedColumn_ && optionsData_.Editing && View() && View()->IsOpen() &&
           View()->CanModify();
}

bool TDBTableView::MayDelete() const {
    return View() && View()->IsOpen() && View()->CanModify() && !View()->IsEmpty() &&
           optionsData_.Deleting;
}

bool TDBTableView::IsEditing() const {
    return View() && View()->IsEditing();
}

bool TDBTableView::MayEditColumn(const TDBColumn& column) const {
    const TField* field = ColumnField(column);
    return field && !field->ReadOnly() && column.Options().Editing && MayEdit() &&
           !(column.CellKind() == TDBColumn::Kind::CheckBox && column.Properties().ReadOnly);
}

void TDBTableView::InsertRecord() {
    if (!MayInsert())
        return;
    if (View()->State() == TDataSetState::dsInsert)
        View()->Modified() ? View()->Post() : View()->Cancel();
    View()->Insert();
}

void TDBTableView::PostRecord() {
    if (IsEditing())
        View()->Post();
}

void TDBTableView::CancelRecord() {
    if (!IsEditing())
        return;
    const int row = controller_.FocusedRow();
    View()->Cancel();
    if (row >= 0 && controller_.RowCount() > 0)
        FocusRow(std::min(row, controller_.RowCount() - 1));
}

void TDBTableView::DeleteFocusedRecord() {
    if (MayDelete())
        View()->Delete();
}

} // namespace trevalo
