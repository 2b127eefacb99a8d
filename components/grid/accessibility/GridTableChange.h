/// \file
/// What changed in a grid as assistive technology sees it: two pictures of the shown table,
/// its header names, cell texts and focused cell, and the one table event between them.
#pragma once

#include <QList>
#include <QStringList>

namespace trevalo {

struct GridTablePicture {
    QStringList Headers;
    QList<QStringList> Rows; ///< the cells' texts, top to bottom
    int FocusedRow = -1;
    int FocusedColumn = -1;

    bool operator==(const GridTablePicture&) const = default;
};

struct GridTableChange {
    enum class Kind {
        None,
        Reset,        ///< the columns changed, or the rows re-sorted or changed too much
        DataChanged,  ///< texts of rows First..Last changed
        RowsInserted, ///< rows First..Last are new
        RowsRemoved,  ///< the old rows First..Last went away
    };
    Kind What = Kind::None;
    int First = -1;
    int Last = -1;

    bool operator==(const GridTableChange&) const = default;
};

/// The one event that takes a reader of \p before to \p after; the focus is not compared.
GridTableChange CompareTables(const GridTablePicture& before, const GridTablePicture& after);

} // namespace trevalo
