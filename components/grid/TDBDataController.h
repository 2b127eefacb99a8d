/// \file
/// The table view's data controller: its sorted copy of the working view behind a data
/// source, kept in step with the working view's current record in both directions.
#pragma once

#include "components/data/TDataLink.h"
#include "components/data/TDataSource.h"
#include "components/grid/RowOrder.h"

#include <QPointer>
#include <QStringList>
#include <functional>

namespace trevalo {

class TDBDataController : public TDataLink {
public:
    TDBDataController();
    ~TDBDataController();
    TDBDataController(const TDBDataController&) = delete;
    TDBDataController& operator=(const TDBDataController&) = delete;

    /// Called after any change of the rows, values, focus, pin or state.
    std::function<void()> OnChanged;

    /// Links to \p source (null: to none) and loads its working view when it is open.
    void SetDataSource(TDataSource* source);
    TDataSource* DataSource() const { return source_; }
    /// The data source's working view, or null.
    TWorkingView* View() const;

    /// The bound fields in column order, hidden ones included; reloads when the view is open.
    /// Sort keys beyond the new field count are dropped.
    void SetFieldNames(const QStringList& names);
    int FieldCount() const { return static_cast<int>(fieldNames_.size()); }
    /// The bound field named \p name without regard to case, or -1.
    int FieldIndex(const QString& name) const;
    /// The working view's field bound at \p field, or null.
    TField* Field(int field) const;

    int RecordCount() const { return cache_.Count(); }
    const CacheValue& Value(int record, int field) const { return cache_.Value(record, field); }
    /// The working view's current record (the pinned one while editing or inserting), or -1.
    int CurrentRecord() const { return current_; }
    /// The record being edited or inserted, or -1.
    int PinnedRecord() const { return pin_.Record; }

    int RowCount() const { return rows_.Count(); }
    int RowRecord(int row) const { return rows_.Record(row); }
    /// -1 when \p record is not shown.
    int RecordRow(int record) const { return rows_.Row(record); }
    /// The row of the current record, or -1.
    int FocusedRow() const { return rows_.Row(current_); }

    const QList<SortKey>& SortList() const { return sortList_; }
    /// Replaces the sort list (keys with SortOrder::None and repeated fields are left out);
    /// the focused record stays focused.
    void SetSortList(const QList<SortKey>& keys);
    SortOrder FieldSortOrder(int field) const { return SortOrderOf(sortList_, field); }
    /// A header click on \p field with Shift or Ctrl held, or neither.
    void ClickSort(int field, bool shift, bool ctrl);

    /// Makes the record of \p row the working view's current record, settling a pending edit
    /// first. Nothing happens for an invalid or the focused row. Errors of the working view
    /// propagate.
    void FocusRow(int row);

    void StateChanged() override;
    void DataSetChanged() override;
    void RecordChanged(const TField* field) override;
    void Scrolled(int distance) override;

private:
    /// Reloads when the working view is open, else empties the cache.
    void Load();
    void Reload(TWorkingView& view);
    /// Reads under the lock, with the working view's notifications off.
    void ReadLocked(TWorkingView& view);
    void ReadRecords(TWorkingView& view);
    void Clear();
    QList<TField*> BoundFields() const;
    void PinEdited();
    void PinInserted(const TWorkingView& view);
    void RebuildRows();
    void Changed();

    QPointer<TDataSource> source_;
    QStringList fieldNames_;
    RecordCache cache_;
    int current_ = -1; ///< the working view's current record in the cache
    EditPin pin_;
    QList<SortKey> sortList_;
    RowOrder rows_;
    bool locked_ = false; ///< held while reloading: notifications count as scrolls by 0
};

} // namespace trevalo
