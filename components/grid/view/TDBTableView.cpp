#include "components/grid/view/TDBTableView.h"

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
    columnOrder_ = columns;
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
    QList<TDBColumn*> visible = columnOrder_;
    const QList<int>& grouping = controller_.GroupingList();
    visible.removeIf([this, &grouping](const TDBColumn* column) {
        return !column->Visible() || grouping.contains(ColumnFieldIndex(*column));
    });
    return visible;
}

QList<TDBColumn*> TDBTableView::GroupedColumns() const {
    QList<TDBColumn*> grouped;
    for (const int field : controller_.GroupingList()) {
        for (TDBColumn* column : columnOrder_) {
            if (ColumnFieldIndex(*column) == field) {
                grouped.append(column);
                break;
            }
        }
    }
    return grouped;
}

bool TDBTableView::MayGroup(const TDBColumn& column) const {
    return column.Options().Grouping && ColumnFieldIndex(column) >= 0 &&
           column.CellKind() == TDBColumn::Kind::Text;
}

bool TDBTableView::MayMove(const TDBColumn& column) const {
    return column.Options().Moving;
}

bool TDBTableView::MaySize(const TDBColumn& column) const {
    return column.Options().HorzSizing;
}

bool TDBTableView::MayFilter(const TDBColumn& column) const {
    return column.Options().Filtering && ColumnFieldIndex(column) >= 0 &&
           column.CellKind() == TDBColumn::Kind::Text;
}

void TDBTableView::MoveColumn(TDBColumn& column, int position) {
    const QList<TDBColumn*> header = VisibleColumns();
    PlaceBefore(column, position < header.size() ? header[position] : nullptr);
}

void TDBTableView::PlaceBefore(TDBColumn& column, TDBColumn* before) {
    if (&column == before)
        return;
    columnOrder_.removeOne(&column);
    const qsizetype at = before ? columnOrder_.indexOf(before) : columnOrder_.size();
    columnOrder_.insert(at, &column);
    if (OnChanged)
        OnChanged();
}

void TDBTableView::SizeColumn(TDBColumn& column, int width) {
    column.SetWidth(std::max(width, column.MinWidth()));
    if (OnChanged)
        OnChanged();
}

void TDBTableView::GroupBy(TDBColumn& column, int level) {
    QList<int> grouping = controller_.GroupingList();
    const int field = ColumnFieldIndex(column);
    grouping.removeAll(field);
    grouping.insert(std::clamp<qsizetype>(level, 0, grouping.size()), field);
    if (focusedColumn_ == &column)
        SetFocusedColumn(nullptr);
    controller_.SetGroupingList(grouping);
}

void TDBTableView::Ungroup(TDBColumn& column, int position) {
    const QList<TDBColumn*> header = VisibleColumns();
    TDBColumn* before = position < header.size() ? header[position] : nullptr;
    QList<int> grouping = controller_.GroupingList();
    grouping.removeAll(ColumnFieldIndex(column));
    controller_.SetGroupingList(grouping);
    PlaceBefore(column, before);
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

QStringList TDBTableView::FilterEntries(const TDBColumn& column) const {
    bool hasNull = false;
    const QList<CacheValue> values = controller_.DistinctValues(ColumnFieldIndex(column), &hasNull);
    QStringList entries{QStringLiteral("(All)"), QStringLiteral("(Custom...)")};
    if (hasNull)
        entries << QStringLiteral("(Blanks)") << QStringLiteral("(NonBlanks)");
    for (const CacheValue& value : values)
        entries.append(DisplayText(value));
    return entries;
}

bool TDBTableView::ChooseFilterEntry(const TDBColumn& column, int index) {
    const int field = ColumnFieldIndex(column);
    bool hasNull = false;
    const QList<CacheValue> values = controller_.DistinctValues(field, &hasNull);
    const int blanks = hasNull ? 2 : 0;
    if (index == 0) {
        controller_.SetColumnFilter(field, std::nullopt);
    } else if (index == 1) {
        return false;
    } else if (index < 2 + blanks) {
        const FilterOperator op = index == 2 ? FilterOperator::Blank : FilterOperator::NonBlank;
        controller_.SetColumnFilter(field, ColumnFilter{{{op, {}}}, false});
    } else if (index - 2 - blanks < values.size()) {
        controller_.SetColumnFilter(
            field, ColumnFilter{{{FilterOperator::Equal, values[index - 2 - blanks]}}, false});
    }
    return true;
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
    if (MayInsert())
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
