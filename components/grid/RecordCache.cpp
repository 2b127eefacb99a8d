#include "components/grid/RecordCache.h"

#include <algorithm>

namespace trevalo {

void RecordCache::Insert(int record, const QByteArray& bookmark) {
    const auto at = static_cast<std::ptrdiff_t>(Slot(record, 0));
    values_.insert(values_.begin() + at, static_cast<std::size_t>(fieldCount_), CacheValue{});
    bookmarks_.insert(bookmarks_.begin() + record, bookmark);
}

int RecordCache::Append(const QByteArray& bookmark) {
    const int record = Count();
    Insert(record, bookmark);
    return record;
}

int RecordCache::IndexOf(const QByteArray& bookmark) const {
    if (bookmark.isEmpty())
        return -1;
    const auto found = std::find(bookmarks_.cbegin(), bookmarks_.cend(), bookmark);
    return found == bookmarks_.cend() ? -1 : static_cast<int>(found - bookmarks_.cbegin());
}

} // namespace trevalo
