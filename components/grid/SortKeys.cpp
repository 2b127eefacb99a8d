#include "components/grid/SortKeys.h"

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
    const SortOrder old = SortOrderOf(keys, field);
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

} // namespace trevalo
