/// \file
/// The records of the grid's cache by bookmark: an open-addressing table over the cache's flat
/// bookmark bytes, made when a second record is looked up after the records changed. A reload
/// mostly looks up one record, its current one, and one pass over the bookmarks costs less
/// than making the table.
#pragma once

#include "components/data/RecordColumns.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace trevalo {

class BookmarkIndex {
public:
    /// The records changed: the next lookups index them afresh.
    void Forget();
    /// The record of \p columns with \p bookmark, or -1; with \p stored not empty, only those it
    /// marks 1 are found. An empty bookmark is never found. \p columns and \p stored are the
    /// same from one Forget to the next.
    int Find(const RecordColumns& columns, const std::vector<std::uint8_t>& stored,
             std::string_view bookmark) const;

private:
    static int Scan(const RecordColumns& columns, const std::vector<std::uint8_t>& stored,
                    std::string_view bookmark);
    void Build(const RecordColumns& columns, const std::vector<std::uint8_t>& stored) const;
    std::size_t Slot(std::string_view bookmark) const;

    /// A record or -1; a power of two, at most half full. Empty until built.
    mutable std::vector<std::int32_t> slots_;
    mutable int shift_ = 63;  ///< 64 - log2(slots_.size())
    mutable int lookups_ = 0; ///< since the records changed
};

} // namespace trevalo
