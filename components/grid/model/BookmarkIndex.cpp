#include "components/grid/model/BookmarkIndex.h"

#include <bit>
#include <cstring>

namespace trevalo {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

/// Bookmarks are short and often counters: take them four bytes at a time, and let the
/// multiplication spread neighbouring values over the high bits that pick the slot.
std::uint64_t Hash(std::string_view bytes) {
    std::uint64_t hash = 0;
    std::size_t at = 0;
    for (; at + sizeof(std::uint32_t) <= bytes.size(); at += sizeof(std::uint32_t)) {
        std::uint32_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        hash = (hash ^ word) * kGolden;
    }
    for (; at < bytes.size(); ++at)
        hash = (hash ^ static_cast<unsigned char>(bytes[at])) * kGolden;
    return hash;
}

} // namespace

std::size_t BookmarkIndex::Slot(std::string_view bookmark) const {
    return static_cast<std::size_t>(Hash(bookmark) >> shift_);
}

void BookmarkIndex::Forget() {
    slots_.clear();
    lookups_ = 0;
}

int BookmarkIndex::Find(const RecordColumns& columns, const std::vector<std::uint8_t>& stored,
                        std::string_view bookmark) const {
    if (bookmark.empty() || bookmark.size() != columns.BookmarkSize)
        return -1;
    if (lookups_++ == 0)
        return Scan(columns, stored, bookmark);
    if (slots_.empty())
        Build(columns, stored);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = Slot(bookmark); slots_[slot] >= 0; slot = (slot + 1) & mask)
        if (columns.Bookmark(slots_[slot]) == bookmark)
            return slots_[slot];
    return -1;
}

int BookmarkIndex::Scan(const RecordColumns& columns, const std::vector<std::uint8_t>& stored,
                        std::string_view bookmark) {
    // Bookmarks are mostly counters, whose first bytes differ: one byte rules most records out.
    const std::size_t size = bookmark.size();
    const std::uint8_t* at = columns.Bookmarks.data();
    const auto first = static_cast<std::uint8_t>(bookmark.front());
    for (int record = 0; record < columns.Count; ++record, at += size)
        if (*at == first && (stored.empty() || stored[static_cast<std::size_t>(record)]) &&
            std::memcmp(at, bookmark.data(), size) == 0)
            return record;
    return -1;
}

void BookmarkIndex::Build(const RecordColumns& columns,
                          const std::vector<std::uint8_t>& stored) const {
    const std::size_t size = std::bit_ceil(2 * static_cast<std::size_t>(columns.Count) + 2);
    shift_ = 64 - std::countr_zero(size);
    slots_.assign(size, -1);
    const std::size_t mask = size - 1;
    for (int record = 0; record < columns.Count; ++record) {
        if (!stored.empty() && !stored[static_cast<std::size_t>(record)])
            continue;
        std::size_t slot = Slot(columns.Bookmark(record));
        while (slots_[slot] >= 0)
            slot = (slot + 1) & mask;
        slots_[slot] = record;
    }
}

} // namespace trevalo
