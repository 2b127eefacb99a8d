/// \file
/// The table view's data controller: its sorted copy of the working view behind a data
/// source, kept in step with the working view's current record in both directions.
#pragma once

#include "components/data/TDataLink.h"
#include "components/data/TDataSource.h"
#include "components/grid/model/GroupRows.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>

namespace trevalo {

class TDBDataController final : public TDataLink {
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
    /// Sort keys, grouping fields and view filter conditions beyond the new field count are
    /// dropped.
    void SetFieldNames(const QStringList& names);
    int FieldCount() const { return static_cast<int>(fieldNames_.size()); }
    /// The bound field named \p name without regard to case, or -1.
    int FieldIndex(const QString& name) const;
    /// The working view's field bound at \p field, or null.
    TField* Field(int field) const;

    int RecordCount() const { return cache_.Count(); }
    CacheValue Value(int record, int field) const { return cache_.Value(record, field); }
    /// The working view's current record (the pinned one while editing or inserting), or -1.
    int CurrentRecord() const { return current_; }
    /// The record being edited or inserted, or -1.
    int PinnedRecord() const { return pin_.Record; }
    /// What tells \p record from every other record across reloads: its bookmark; empty for a
    /// record not stored yet, and for -1.
    QByteArray RecordBookmark(int record) const;

    /// The display rows: records, and group rows while grouped.
    int RowCount() const { return rows_.Count(); }
    /// The record shown in \p row; -1 for a group row.
    int RowRecord(int row) const { return rows_.Record(row); }
    /// -1 when \p record is not shown (filtered out or inside a collapsed group).
    int RecordRow(int record) const { return rows_.Row(record); }
    /// The focused group row; else the row of the current record, or of its outermost
    /// collapsed group; -1 when the view filter drops it or there is none.
    int FocusedRow() const;

    bool IsGroupRow(int row) const { return rows_.IsGroup(row); }
    /// A group row's grouping level (0 = outermost); a data row's is GroupingList().size().
    int RowLevel(int row) const { return rows_.Level(row); }
    /// The grouping field of a group row, or -1.
    int GroupField(int row) const;
    /// The value a group row stands for (null for any other row).
    const CacheValue& GroupValue(int row) const;
    bool IsExpanded(int row) const { return IsGroupRow(row) && rows_.IsExpanded(rows_.Path(row)); }
    /// Expands or collapses a group row. Collapsing the group that holds the focus, or
    /// changing the focused group row, leaves the focus on that group row.
    void SetExpanded(int row, bool expanded);

    const QList<SortKey>& SortList() const { return sortList_; }
    /// Replaces the sort list (keys with SortOrder::None and repeated fields are left out);
    /// the focused record stays focused. Every key names one of the field names.
    void SetSortList(const QList<SortKey>& keys);
    /// The direction the rows are sorted by \p field, grouping included.
    SortOrder FieldSortOrder(int field) const;
    /// A header click on \p field with Shift or Ctrl held, or neither.
    void ClickSort(int field, bool shift, bool ctrl);

    const QList<int>& GroupingList() const { return grouping_; }
    /// Groups the rows by \p fields, outermost first, each one of the field names (repeated
    /// fields are left out); a changed list forgets which groups were expanded.
    void SetGroupingList(const QList<int>& fields);

    const ViewFilter& Filter() const { return filter_; }
    /// Sets \p field's condition of the view filter; nullopt removes it.
    void SetColumnFilter(int field, std::optional<ColumnFilter> filter);
    void ClearFilter();
    /// The distinct non-null values of \p field over all cached records, shown or not,
    /// ascending; \p hasNull tells whether any of them is null there.
    QList<CacheValue> DistinctValues(int field, bool* hasNull) const;

    /// Makes the record of \p row (of a group row: its group's first record) the working
    /// view's current record, settling a pending edit first, and focuses the row. Nothing
    /// happens for an invalid or the focused row. Errors of the working view propagate.
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
    QList<const TField*> BoundFields() const;
    /// The fields of fieldNames_ in the working view, found again at each load and whenever the
    /// working view is another; asked for at every change a grid shows.
    const QList<QPointer<TField>>& Fields() const;
    void PinEdited();
    void PinInserted(const TWorkingView& view);
    void FocusRecord(TWorkingView& view, int record);
    /// \p group is taken by value: settling rebuilds the rows it would refer into.
    void FocusGroup(TWorkingView& view, GroupPath group);
    GroupPath GroupOf(int record) const;
    /// Re-sorts and lays the rows out again.
    void RebuildRows();
    /// Shows the sorted records under the pin and the view filter, and lays the rows out; for
    /// a change that leaves every value and sort key as it was.
    void PlaceRows();
    /// Lays the sorted records out again, as after a change of expansion.
    void LayOutRows();
    void Changed();

    QPointer<TDataSource> source_;
    QStringList fieldNames_;
    mutable QList<QPointer<TField>> fields_;
    mutable QPointer<TWorkingView> fieldsOf_; ///< the working view fields_ were found in
    RecordCache cache_;
    int current_ = -1; ///< the working view's current record in the cache
    EditPin pin_;
    QList<SortKey> sortList_;
    QList<int> grouping_;
    ViewFilter filter_;
    RowOrder order_;
    GroupRows rows_;
    GroupPath focusedGroup_; ///< the focused group row, kept while the current record stays
    bool locked_ = false;    ///< held while reloading: notifications count as scrolls by 0
};

} // namespace trevalo
