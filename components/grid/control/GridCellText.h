/// \file
/// What a grid's cells hold, read once for the painter and for assistive technology alike.
#pragma once

#include "components/grid/model/CacheValue.h"

#include <QString>

namespace trevalo {

class TDBColumn;
class TDBTableView;

/// The value in \p row's cell of \p column; null for a group row or an unbound column.
CacheValue CellValue(const TDBTableView& view, int row, const TDBColumn& column);
/// A group row's text: the grouped column's header, " : ", the group's value.
QString GroupRowText(const TDBTableView& view, int row);

} // namespace trevalo
