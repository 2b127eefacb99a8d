#include "components/grid/model/SortKeys.h"

#include <algorithm>

namespace trevalo {

namespace {

auto KeyOf(QList<SortKey>& keys, int field) {
    return std::find_if(keys.begin(), keys.end(),
                        [field](const SortKey& key) { return key.Field == field; });
}

} // namespace

SortOrder SortOrderOf(const QList<SortKey>& keys, int field) {
    for (const SortKey& key : keys)
        if (key.Field == field)
            return key.Order;
    return SortOrder::None;
}

void ApplyHeaderClick(QList<SortKey>& keys, int field, bool shift, bool ctrl,
                      const QList<int>& grouping) {
    if (ctrl) {
        keys.removeIf([field](const SortKey& key) { return key.Field == field; });
        return;
    }
    const SortOrder listed = SortOrderOf(keys, field);
    // A grouped field shows ascending before it is ever clicked, so the first click turns it.
    const SortOrder old =
        listed == SortOrder::None && grouping.contains(field) ? SortOrder::Ascending : listed;
    if (!shift && !grouping.contains(field))
        keys.removeIf([&grouping](const SortKey& key) { return !grouping.contains(key.Field); });
    const SortOrder order =
        old == SortOrder::Ascending ? SortOrder::Descending : SortOrder::Ascending;
    const auto found = KeyOf(keys, field);
    if (found != keys.end())
        found->Order = order;
    else
        keys.append({field, order});
}

QList<SortKey> RowSortKeys(const QList<SortKey>& sortList, const QList<int>& grouping) {
    QList<SortKey> keys;
    for (const int field : grouping) {
        const SortOrder listed = SortOrderOf(sortList, field);
        keys.append({field, listed == SortOrder::None ? SortOrder::Ascending : listed});
    }
    for (const SortKey& key : sortList)
        if (!grouping.contains(key.Field))
            keys.append(key);
    return keys;
}

} // namespace trevalo
