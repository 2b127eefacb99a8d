#include "components/grid/model/TDBDataController.h"

#include "components/data/TField.h"

#include <QScopeGuard>
#include <QScopedValueRollback>
#include <algorithm>

namespace trevalo {

namespace {

void ReadInto(RecordCache& cache, int record, const QList<const TField*>& fields) {
    for (int field = 0; field < fields.size(); ++field)
        cache.SetValue(record, field,
                       fields[field] ? ReadCacheValue(*fields[field]) : CacheValue{});
}

} // namespace

TDBDataController::TDBDataController() = default;

TDBDataController::~TDBDataController() {
    if (source_)
        source_->RemoveLink(this);
}

void TDBDataController::SetDataSource(TDataSource* source) {
    if (source_ == source)
        return;
    if (source_)
        source_->RemoveLink(this);
    source_ = source;
    if (source_)
        source_->AddLink(this);
    Load();
}

TWorkingView* TDBDataController::View() const {
    return source_ ? source_->DataSet() : nullptr;
}

void TDBDataController::SetFieldNames(const QStringList& names) {
    fieldNames_ = names;
    sortList_.removeIf([this](const SortKey& key) { return key.Field >= FieldCount(); });
    if (grouping_.removeIf([this](int field) { return field >= FieldCount(); }) > 0)
        rows_.ForgetExpansion();
    filter_.Truncate(FieldCount());
    Load();
}

int TDBDataController::FieldIndex(const QString& name) const {
    for (int field = 0; field < FieldCount(); ++field)
        if (SameFieldName(fieldNames_[field], name))
            return field;
    return -1;
}

TField* TDBDataController::Field(int field) const {
    return field >= 0 && field < FieldCount() ? Fields()[field].data() : nullptr;
}

const QList<QPointer<TField>>& TDBDataController::Fields() const {
    TWorkingView* view = View();
    if (fieldsOf_ != view || fields_.size() != fieldNames_.size()) {
        fields_.clear();
        for (const QString& name : fieldNames_)
            fields_.append(view ? view->FindField(name) : nullptr);
        fieldsOf_ = view;
    }
    return fields_;
}

QList<const TField*> TDBDataController::BoundFields() const {
    QList<const TField*> fields;
    for (const QPointer<TField>& field : Fields())
        fields.append(field.data());
    return fields;
}

// ---- sorting -------------------------------------------------------------------------------

void TDBDataController::SetSortList(const QList<SortKey>& keys) {
    QList<SortKey> accepted;
    for (const SortKey& key : keys) {
        Q_ASSERT_X(key.Field >= 0 && key.Field < FieldCount(), "TDBDataController::SetSortList",
                   "a sort key names a field outside the field names");
        if (key.Order != SortOrder::None && SortOrderOf(accepted, key.Field) == SortOrder::None)
            accepted.append(key);
    }
    sortList_ = accepted;
    RebuildRows();
    Changed();
}

SortOrder TDBDataController::FieldSortOrder(int field) const {
    return SortOrderOf(RowSortKeys(sortList_, grouping_), field);
}

void TDBDataController::ClickSort(int field, bool shift, bool ctrl) {
    if (field < 0 || field >= FieldCount())
        return;
    ApplyHeaderClick(sortList_, field, shift, ctrl, grouping_);
    RebuildRows();
    Changed();
}

// ---- grouping and the view filter ----------------------------------------------------------

void TDBDataController::SetGroupingList(const QList<int>& fields) {
    QList<int> accepted;
    for (const int field : fields) {
        Q_ASSERT_X(field >= 0 && field < FieldCount(), "TDBDataController::SetGroupingList",
                   "a grouping field lies outside the field names");
        if (!accepted.contains(field))
            accepted.append(field);
    }
    if (accepted == grouping_)
        return;
    grouping_ = accepted;
    rows_.ForgetExpansion();
    focusedGroup_.clear();
    // The pinned row stays in the group its values now give it.
    pin_.Group = GroupOf(pin_.Record);
    RebuildRows();
    Changed();
}

int TDBDataController::GroupField(int row) const {
    return IsGroupRow(row) ? grouping_.value(RowLevel(row), -1) : -1;
}

const CacheValue& TDBDataController::GroupValue(int row) const {
    static const CacheValue null;
    const GroupPath& path = rows_.Path(row);
    return path.empty() ? null : path.back();
}

void TDBDataController::SetExpanded(int row, bool expanded) {
    if (!IsGroupRow(row) || IsExpanded(row) == expanded)
        return;
    const int focused = FocusedRow();
    if (focused >= row && focused < rows_.GroupEnd(row))
        focusedGroup_ = rows_.Path(row);
    rows_.SetExpanded(rows_.Path(row), expanded);
    LayOutRows();
    Changed();
}

void TDBDataController::SetColumnFilter(int field, std::optional<ColumnFilter> filter) {
    if (field < 0 || field >= FieldCount())
        return;
    if (filter)
        filter_.Set(field, *filter);
    else
        filter_.Remove(field);
    PlaceRows();
    Changed();
}

void TDBDataController::ClearFilter() {
    filter_.Clear();
    PlaceRows();
    Changed();
}

QList<CacheValue> TDBDataController::DistinctValues(int field, bool* hasNull) const {
    QList<CacheValue> values;
    bool null = false;
    for (int record = 0; field >= 0 && field < FieldCount() && record < RecordCount(); ++record) {
        CacheValue value = Value(record, field);
        if (std::holds_alternative<std::monostate>(value))
            null = true;
        else
            values.append(std::move(value));
    }
    const auto less = [](const CacheValue& a, const CacheValue& b) {
        return CompareCacheValues(a, b) < 0;
    };
    std::sort(values.begin(), values.end(), less);
    values.erase(std::unique(values.begin(), values.end()), values.end());
    if (hasNull)
        *hasNull = null;
    return values;
}

// ---- rows ----------------------------------------------------------------------------------

GroupPath TDBDataController::GroupOf(int record) const {
    GroupPath path;
    for (const int field : grouping_)
        path.push_back(record >= 0 ? Value(record, field) : CacheValue{});
    return path;
}

void TDBDataController::RebuildRows() {
    order_.Sort(cache_, RowSortKeys(sortList_, grouping_));
    PlaceRows();
}

void TDBDataController::PlaceRows() {
    order_.LayOut(cache_, static_cast<int>(grouping_.size()), pin_, filter_);
    LayOutRows();
}

void TDBDataController::LayOutRows() {
    rows_.Rebuild(cache_, order_.Records(), grouping_, pin_);
    if (rows_.GroupRow(focusedGroup_) < 0)
        focusedGroup_.clear();
}

int TDBDataController::FocusedRow() const {
    const int group = focusedGroup_.empty() ? -1 : rows_.GroupRow(focusedGroup_);
    return group >= 0 ? group : rows_.ShownRow(current_);
}

QByteArray TDBDataController::RecordBookmark(int record) const {
    return record < 0 || record >= RecordCount() ? QByteArray()
                                                 : cache_.Bookmark(record).toByteArray();
}

// ---- the view leads ------------------------------------------------------------------------

void TDBDataController::FocusRow(int row) {
    TWorkingView* view = View();
    // The row being inserted is the focused one, so a click on it moves nothing either.
    if (row < 0 || row >= RowCount() || row == FocusedRow() || !view)
        return;
    if (IsGroupRow(row))
        FocusGroup(*view, rows_.Path(row));
    else
        FocusRecord(*view, RowRecord(row));
}

void TDBDataController::FocusRecord(TWorkingView& view, int record) {
    const QByteArray bookmark = cache_.Bookmark(record).toByteArray();
    focusedGroup_.clear();
    view.Settle();
    // Settling reloaded the cache, and the edited record may have left the view: aim at the
    // clicked record by its bookmark, not by its old index.
    const int index = cache_.IndexOf(bookmark);
    if (index == current_)
        Changed();
    else if (index >= 0)
        view.MoveBy(index - current_);
}

void TDBDataController::FocusGroup(TWorkingView& view, GroupPath group) {
    view.Settle();
    // Settling may have emptied the group, or moved rows.
    const int row = rows_.GroupRow(group);
    if (row < 0)
        return;
    const int first = rows_.FirstRecord(row);
    if (first != current_)
        view.MoveBy(first - current_);
    focusedGroup_ = std::move(group);
    Changed();
}

// ---- the working view leads ----------------------------------------------------------------

void TDBDataController::StateChanged() {
    const TWorkingView* view = View();
    if (!view)
        return;
    switch (view->State()) {
    case TDataSetState::dsEdit:
        PinEdited();
        break;
    case TDataSetState::dsInsert:
        PinInserted(*view);
        break;
    case TDataSetState::dsBrowse:
    case TDataSetState::dsInactive:
        // The change notice that always follows the end of an edit reloads, and its sort puts
        // the record in its place; a sort here would be undone at once.
        pin_ = {};
        break;
    }
}

void TDBDataController::DataSetChanged() {
    // While reloading, the change notice that resuming notifications sends is a scroll by 0.
    if (locked_)
        return;
    const TWorkingView* view = View();
    if (view && view->State() == TDataSetState::dsInsert)
        PinInserted(*view);
    else if (!view || view->State() != TDataSetState::dsEdit)
        Load();
}

void TDBDataController::RecordChanged(const TField*) {
    if (pin_.Record < 0 || locked_)
        return;
    ReadInto(cache_, pin_.Record, BoundFields());
    Changed();
}

void TDBDataController::Scrolled(int distance) {
    if (locked_)
        return;
    const TWorkingView* view = View();
    focusedGroup_.clear();
    if (distance != 0)
        current_ += distance;
    else if (view && pin_.Record < 0)
        current_ = cache_.IndexOf(view->GetBookmark());
    Changed();
}

void TDBDataController::PinEdited() {
    if (pin_.Record >= 0 || current_ < 0)
        return;
    pin_ = {current_, order_.Following(current_), GroupOf(current_)};
    focusedGroup_.clear();
    PlaceRows();
    Changed();
}

void TDBDataController::PinInserted(const TWorkingView& view) {
    if (pin_.Record >= 0)
        return;
    const bool atEnd = view.Eof() || current_ < 0;
    const int record = atEnd ? cache_.Count() : current_;
    // A new row joins the group it is begun in: its anchor's, or at the end the last one.
    const int last = order_.Records().empty() ? -1 : order_.Records().back();
    cache_.Insert(record);
    ReadInto(cache_, record, BoundFields());
    const int anchor = atEnd ? -1 : record + 1;
    pin_ = {record, anchor, GroupOf(atEnd ? (last >= 0 ? last : record) : anchor)};
    current_ = record;
    focusedGroup_.clear();
    RebuildRows();
    Changed();
}

// ---- loading -------------------------------------------------------------------------------

void TDBDataController::Load() {
    // A working view binds its fields as it opens.
    fields_.clear();
    TWorkingView* view = View();
    if (view && view->IsOpen())
        Reload(*view);
    else
        Clear();
}

void TDBDataController::Reload(TWorkingView& view) {
    // What was read is neither whole nor current; the next change notice reads again.
    auto clearOnFailure = qScopeGuard([this] { Clear(); });
    ReadLocked(view);
    clearOnFailure.dismiss();
    RebuildRows();
    Changed();
}

void TDBDataController::ReadLocked(TWorkingView& view) {
    const QScopedValueRollback lock(locked_, true);
    focusedGroup_.clear();
    view.DisableControls();
    auto enableOnFailure = qScopeGuard([&view] { view.EnableControls(); });
    ReadRecords(view);
    enableOnFailure.dismiss();
    view.EnableControls();
}

void TDBDataController::ReadRecords(TWorkingView& view) {
    if (view.IsEditing())
        view.Cancel();
    const QList<const TField*> fields = BoundFields();
    for (const TField* field : fields)
        if (field)
            CheckCacheable(*field);
    cache_.Refill([&](RecordColumns old) { return view.ReadColumns(fields, std::move(old)); });
    pin_ = {};
    current_ = cache_.IndexOf(view.GetBookmark());
    rows_.PruneExpansion(cache_, grouping_);
}

void TDBDataController::Clear() {
    std::vector<engine::FieldType> types;
    for (const TField* field : BoundFields())
        types.push_back(field ? field->DataType() : engine::FieldType::Integer);
    cache_ = RecordCache(types);
    current_ = -1;
    pin_ = {};
    focusedGroup_.clear();
    order_.Clear();
    rows_.Clear();
    Changed();
}

void TDBDataController::Changed() {
    if (OnChanged)
        OnChanged();
}

} // namespace trevalo
