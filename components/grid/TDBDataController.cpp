#include "components/grid/TDBDataController.h"

#include <QScopedValueRollback>

namespace trevalo {

namespace {

void ReadInto(RecordCache& cache, int record, const QList<TField*>& fields) {
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
    Load();
}

int TDBDataController::FieldIndex(const QString& name) const {
    for (int field = 0; field < FieldCount(); ++field)
        if (fieldNames_[field].compare(name, Qt::CaseInsensitive) == 0)
            return field;
    return -1;
}

TField* TDBDataController::Field(int field) const {
    const TWorkingView* view = View();
    return view && field >= 0 && field < FieldCount() ? view->FindField(fieldNames_[field])
                                                      : nullptr;
}

QList<TField*> TDBDataController::BoundFields() const {
    QList<TField*> fields;
    for (int field = 0; field < FieldCount(); ++field)
        fields.append(Field(field));
    return fields;
}

// ---- sorting -------------------------------------------------------------------------------

void TDBDataController::SetSortList(const QList<SortKey>& keys) {
    QList<SortKey> accepted;
    for (const SortKey& key : keys) {
        Q_ASSERT_X(key.Field >= 0 && key.Field < FieldCount(), "SetSortList",
                   "a sort key names a field that is not bound");
        if (key.Order != SortOrder::None && key.Field >= 0 && key.Field < FieldCount() &&
            SortOrderOf(accepted, key.Field) == SortOrder::None)
            accepted.append(key);
    }
    sortList_ = accepted;
    RebuildRows();
    Changed();
}

void TDBDataController::ClickSort(int field, bool shift, bool ctrl) {
    if (field < 0 || field >= FieldCount())
        return;
    ApplyHeaderClick(sortList_, field, shift, ctrl, /*grouping=*/{});
    RebuildRows();
    Changed();
}

void TDBDataController::RebuildRows() {
    rows_.Rebuild(cache_, sortList_, pin_);
}

// ---- the view leads ------------------------------------------------------------------------

void TDBDataController::FocusRow(int row) {
    // The row being inserted is the focused one, so a click on it moves nothing either.
    const int target = RowRecord(row);
    TWorkingView* view = View();
    if (target < 0 || row == FocusedRow() || !view)
        return;
    const QByteArray bookmark = cache_.Bookmark(target);
    if (view->IsEditing()) {
        if (view->Modified())
            view->Post();
        else
            view->Cancel();
    }
    // Settling reloaded the cache, and the edited record may have left the view: aim at the
    // clicked record by its bookmark, not by its old index.
    const int index = cache_.IndexOf(bookmark);
    if (index >= 0)
        view->MoveBy(index - current_);
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
        if (pin_.Record < 0)
            return;
        pin_ = {};
        if (locked_)
            return;
        RebuildRows();
        Changed();
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
    if (distance != 0)
        current_ += distance;
    else if (view && pin_.Record < 0)
        current_ = cache_.IndexOf(view->GetBookmark());
    Changed();
}

void TDBDataController::PinEdited() {
    if (pin_.Record >= 0 || current_ < 0)
        return;
    pin_ = {current_, RowRecord(FocusedRow() + 1)};
    Changed();
}

void TDBDataController::PinInserted(const TWorkingView& view) {
    if (pin_.Record >= 0)
        return;
    const bool atEnd = view.Eof() || current_ < 0;
    const int record = atEnd ? cache_.Count() : current_;
    cache_.Insert(record, {});
    ReadInto(cache_, record, BoundFields());
    pin_ = {record, atEnd ? -1 : record + 1};
    current_ = record;
    RebuildRows();
    Changed();
}

// ---- loading -------------------------------------------------------------------------------

void TDBDataController::Load() {
    TWorkingView* view = View();
    if (view && view->IsOpen())
        Reload(*view);
    else
        Clear();
}

void TDBDataController::Reload(TWorkingView& view) {
    try {
        ReadLocked(view);
    } catch (...) {
        // What was read is neither whole nor current; the next change notice reads again.
        Clear();
        throw;
    }
    RebuildRows();
    Changed();
}

void TDBDataController::ReadLocked(TWorkingView& view) {
    const QScopedValueRollback lock(locked_, true);
    view.DisableControls();
    try {
        ReadRecords(view);
    } catch (...) {
        view.EnableControls();
        throw;
    }
    view.EnableControls();
}

void TDBDataController::ReadRecords(TWorkingView& view) {
    if (view.IsEditing())
        view.Cancel();
    const TCursorPosition position = view.SavePosition();
    const QList<TField*> fields = BoundFields();
    RecordCache fresh(FieldCount());
    for (view.First(); !view.Eof(); view.Next())
        ReadInto(fresh, fresh.Append(view.GetBookmark()), fields);
    view.RestorePosition(position);
    cache_ = std::move(fresh);
    pin_ = {};
    current_ = cache_.IndexOf(view.GetBookmark());
}

void TDBDataController::Clear() {
    cache_ = RecordCache(FieldCount());
    current_ = -1;
    pin_ = {};
    rows_.Clear();
    Changed();
}

void TDBDataController::Changed() {
    if (OnChanged)
        OnChanged();
}

} // namespace trevalo
