#include "components/grid/GroupRows.h"

#include <algorithm>

namespace trevalo {

namespace {

GroupPath PathOf(const RecordCache& cache, int record, const QList<int>& grouping) {
    GroupPath path;
    path.reserve(static_cast<std::size_t>(grouping.size()));
    for (const int field : grouping)
        path.push_back(cache.Value(record, field));
    return path;
}

} // namespace

void GroupRows::Rebuild(const RecordCache& cache, const std::vector<int>& records,
                        const QList<int>& grouping, const EditPin& pin) {
    pinGroup_ = pin.Record >= 0 ? pin.Group : GroupPath{};
    rows_.clear();
    recordRows_.assign(static_cast<std::size_t>(cache.Count()), -1);
    shownRows_.assign(static_cast<std::size_t>(cache.Count()), -1);
    const std::size_t levels = static_cast<std::size_t>(grouping.size());
    GroupPath previous;
    // The outermost collapsed group that the records now stand in (-1: none).
    int collapsedRow = -1;
    std::size_t collapsedLevel = levels;
    for (const int record : records) {
        const GroupPath path = record == pin.Record ? pin.Group : PathOf(cache, record, grouping);
        const std::size_t changed =
            previous.empty()
                ? 0
                : static_cast<std::size_t>(
                      std::mismatch(path.cbegin(), path.cend(), previous.cbegin()).first -
                      path.cbegin());
        if (collapsedLevel >= changed) {
            collapsedRow = -1;
            collapsedLevel = levels;
        }
        for (std::size_t level = changed; level < levels; ++level) {
            const GroupPath prefix(path.cbegin(),
                                   path.cbegin() + static_cast<std::ptrdiff_t>(level) + 1);
            if (collapsedRow >= 0)
                break;
            rows_.push_back({-1, static_cast<int>(level), record, prefix});
            if (!IsExpanded(prefix)) {
                collapsedRow = Count() - 1;
                collapsedLevel = level;
            }
        }
        if (collapsedRow < 0) {
            recordRows_[static_cast<std::size_t>(record)] = Count();
            rows_.push_back({record, static_cast<int>(levels), record, {}});
        }
        shownRows_[static_cast<std::size_t>(record)] =
            collapsedRow < 0 ? recordRows_[static_cast<std::size_t>(record)] : collapsedRow;
        previous = path;
    }
}

void GroupRows::Clear() {
    rows_.clear();
    recordRows_.clear();
    shownRows_.clear();
}

int GroupRows::Record(int row) const {
    return Valid(row) ? At(row).Record : -1;
}

const GroupPath& GroupRows::Path(int row) const {
    static const GroupPath none;
    return Valid(row) ? At(row).Path : none;
}

int GroupRows::GroupEnd(int row) const {
    if (!IsGroup(row))
        return row + 1;
    int end = row + 1;
    while (end < Count() && At(end).Level > At(row).Level)
        ++end;
    return end;
}

int GroupRows::GroupRow(const GroupPath& path) const {
    const auto found = std::find_if(rows_.cbegin(), rows_.cend(), [&path](const Line& line) {
        return line.Record < 0 && line.Path == path;
    });
    return found == rows_.cend() ? -1 : static_cast<int>(found - rows_.cbegin());
}

bool GroupRows::IsExpanded(const GroupPath& path) const {
    const bool abovePin = !path.empty() && path.size() <= pinGroup_.size() &&
                          std::equal(path.cbegin(), path.cend(), pinGroup_.cbegin());
    return abovePin || expanded_.contains(path);
}

void GroupRows::SetExpanded(const GroupPath& path, bool expanded) {
    if (expanded)
        expanded_.insert(path);
    else
        expanded_.erase(path);
}

void GroupRows::PruneExpansion(const RecordCache& cache, const QList<int>& grouping) {
    std::set<GroupPath> present;
    for (int record = 0; record < cache.Count(); ++record) {
        GroupPath path = PathOf(cache, record, grouping);
        for (; !path.empty(); path.pop_back())
            present.insert(path);
    }
    std::erase_if(expanded_, [&present](const GroupPath& path) { return !present.contains(path); });
}

int GroupRows::Lookup(const std::vector<int>& rows, int record) {
    return record >= 0 && record < static_cast<int>(rows.size())
               ? rows[static_cast<std::size_t>(record)]
               : -1;
}

} // namespace trevalo
