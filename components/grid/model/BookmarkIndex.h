/// \file
/// The records of the grid's cache by bookmark: an open-addressing table over the cache's flat
/// bookmark bytes, made in one pass at each reload.
#pragma once

#include "components/data/RecordColumns.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace trevalo {

class BookmarkIndex {
public:
    /// Indexes the records of \p columns; with \p stored not empty, only those it marks 1.
    void Rebuild(const RecordColumns& columns, const std::vector<std::uint8_t>& stored);
    /// The record of \p columns (as last indexed) with \p bookmark, or -1; an empty bookmark is
    /// never found.
    int Find(const RecordColumns& columns, std::string_view bookmark) const;

private:
    std::size_t Slot(std::string_view bookmark) const;

    std::vector<std::int32_t> slots_; ///< a record or -1; a power of two, at most half full
    int shift_ = 63;                  ///< 64 - log2(slots_.size())
};

} // namespace trevalo
