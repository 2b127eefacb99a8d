/// \file
/// The grid's display rows: group rows while grouped, and the records under expanded groups.
#pragma once

#include "components/grid/model/RowOrder.h"

#include <set>

namespace trevalo {

class GroupRows {
public:
    /// Lays out \p records (in display order) under one group row per grouping value and level
    /// of \p grouping; a record shows only while every group above it is expanded. The pinned
    /// record stands in its pin's group, and that group shows expanded while pinned.
    void Rebuild(const RecordCache& cache, const std::vector<int>& records,
                 const QList<int>& grouping, const EditPin& pin);
    void Clear();

    int Count() const { return static_cast<int>(rows_.size()); }
    /// The record shown in \p row; -1 for a group row or an invalid row.
    int Record(int row) const { return Valid(row) && At(row) >= 0 ? At(row) : -1; }
    bool IsGroup(int row) const { return Valid(row) && At(row) < 0; }
    /// A group row's level (0 = outermost); a data row's is the number of grouping fields.
    int Level(int row) const;
    /// A group row's grouping values down to its own level; empty for any other row.
    const GroupPath& Path(int row) const;
    /// The first record of a group row's group in display order (a data row's own record).
    int FirstRecord(int row) const;
    /// The row after the last one shown inside \p row's group (\p row + 1 for a data row).
    int GroupEnd(int row) const;

    /// The row showing \p record, or -1.
    int Row(int record) const { return Lookup(recordRows_, record); }
    /// The row showing \p record, else the row of its outermost collapsed group, else -1.
    int ShownRow(int record) const { return Lookup(shownRows_, record); }
    /// The group row of \p path, or -1 when it is not shown.
    int GroupRow(const GroupPath& path) const;

    bool IsExpanded(const GroupPath& path) const;
    void SetExpanded(const GroupPath& path, bool expanded);
    void ForgetExpansion() { expanded_.clear(); }
    /// Forgets the state of the groups that no record of \p cache falls in any more.
    void PruneExpansion(const RecordCache& cache, const QList<int>& grouping);

private:
    struct Group {
        int Row;
        int Level;
        int First; ///< its first record in display order
        GroupPath Path;
    };

    /// Without grouping each record is a row of its own.
    void LayOutFlat(const std::vector<int>& records);
    bool Valid(int row) const { return row >= 0 && row < Count(); }
    int At(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    /// The group of group row \p row.
    const Group& GroupAt(int row) const { return groups_[static_cast<std::size_t>(-1 - At(row))]; }
    static int Lookup(const std::vector<int>& rows, int record);

    std::vector<int> rows_;       ///< per row its record, or -1 - its group's place in groups_
    std::vector<Group> groups_;   ///< the group rows, in row order
    int levels_ = 0;              ///< the grouping's levels at the last lay-out
    std::vector<int> recordRows_; ///< per record its row, or -1
    std::vector<int> shownRows_;  ///< per record its row or that of its outermost collapsed group
    std::set<GroupPath> expanded_;
    GroupPath pinGroup_; ///< shown expanded, with all groups above it
};

} // namespace trevalo
