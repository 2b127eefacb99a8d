#include "components/grid/model/GroupRows.h"

#include <algorithm>

namespace trevalo {

namespace {

/// \p record's values of the first \p depth grouping fields.
GroupPath PathOf(const RecordCache& cache, int record, const QList<int>& grouping,
                 qsizetype depth) {
    GroupPath path;
    path.reserve(static_cast<std::size_t>(depth));
    for (qsizetype level = 0; level < depth; ++level)
        path.push_back(cache.Value(record, grouping[level]));
    return path;
}

/// Reads the grouping values of the cache's records, the pinned one's from its pin.
class Grouping {
public:
    Grouping(const RecordCache& cache, const QList<int>& grouping, const EditPin& pin)
        : cache_(cache)
        , grouping_(grouping)
        , pin_(pin) {}

    qsizetype Levels() const { return grouping_.size(); }

    GroupPath Path(int record, qsizetype depth) const {
        if (record != pin_.Record)
            return PathOf(cache_, record, grouping_, depth);
        return {pin_.Group.cbegin(), pin_.Group.cbegin() + depth};
    }

    /// The first level at which the groups of \p a and \p b differ; Levels() when none does.
    qsizetype FirstDifference(int a, int b) const {
        qsizetype level = 0;
        while (level < Levels() && Same(a, b, level))
            ++level;
        return level;
    }

private:
    bool Same(int a, int b, qsizetype level) const {
        if (a != pin_.Record && b != pin_.Record)
            return cache_.Equal(a, b, grouping_[level]);
        return Value(a, level) == Value(b, level);
    }

    CacheValue Value(int record, qsizetype level) const {
        return record == pin_.Record ? pin_.Group[static_cast<std::size_t>(level)]
                                     : cache_.Value(record, grouping_[level]);
    }

    const RecordCache& cache_;
    const QList<int>& grouping_;
    const EditPin& pin_;
};

} // namespace

void GroupRows::Rebuild(const RecordCache& cache, const std::vector<int>& records,
                        const QList<int>& grouping, const EditPin& pin) {
    pinGroup_ = pin.Record >= 0 ? pin.Group : GroupPath{};
    rows_.clear();
    groups_.clear();
    levels_ = static_cast<int>(grouping.size());
    recordRows_.assign(static_cast<std::size_t>(cache.Count()), -1);
    if (grouping.isEmpty()) {
        LayOutFlat(records);
        return;
    }
    shownRows_.assign(static_cast<std::size_t>(cache.Count()), -1);
    const Grouping groups(cache, grouping, pin);
    const qsizetype levels = groups.Levels();
    int previous = -1;
    // The outermost collapsed group that the records now stand in (-1: none).
    int collapsedRow = -1;
    qsizetype collapsedLevel = levels;
    for (const int record : records) {
        const qsizetype changed = previous < 0 ? 0 : groups.FirstDifference(previous, record);
        if (collapsedLevel >= changed) {
            collapsedRow = -1;
            collapsedLevel = levels;
        }
        for (qsizetype level = changed; level < levels && collapsedRow < 0; ++level) {
            GroupPath prefix = groups.Path(record, level + 1);
            const bool expanded = IsExpanded(prefix);
            rows_.push_back(-1 - static_cast<int>(groups_.size()));
            groups_.push_back({Count() - 1, static_cast<int>(level), record, std::move(prefix)});
            if (!expanded) {
                collapsedRow = Count() - 1;
                collapsedLevel = level;
            }
        }
        const auto at = static_cast<std::size_t>(record);
        if (collapsedRow < 0) {
            recordRows_[at] = Count();
            rows_.push_back(record);
        }
        shownRows_[at] = collapsedRow < 0 ? recordRows_[at] : collapsedRow;
        previous = record;
    }
}

void GroupRows::LayOutFlat(const std::vector<int>& records) {
    rows_ = records;
    for (std::size_t row = 0; row < records.size(); ++row)
        recordRows_[static_cast<std::size_t>(records[row])] = static_cast<int>(row);
    shownRows_ = recordRows_;
}

void GroupRows::Clear() {
    rows_.clear();
    groups_.clear();
    recordRows_.clear();
    shownRows_.clear();
}

int GroupRows::Level(int row) const {
    if (!Valid(row))
        return -1;
    return IsGroup(row) ? GroupAt(row).Level : levels_;
}

const GroupPath& GroupRows::Path(int row) const {
    static const GroupPath none;
    return IsGroup(row) ? GroupAt(row).Path : none;
}

int GroupRows::FirstRecord(int row) const {
    if (!Valid(row))
        return -1;
    return IsGroup(row) ? GroupAt(row).First : At(row);
}

int GroupRows::GroupEnd(int row) const {
    if (!IsGroup(row))
        return row + 1;
    int end = row + 1;
    while (end < Count() && Level(end) > Level(row))
        ++end;
    return end;
}

int GroupRows::GroupRow(const GroupPath& path) const {
    if (path.empty())
        return -1;
    const auto found = std::find_if(groups_.cbegin(), groups_.cend(),
                                    [&path](const Group& group) { return group.Path == path; });
    return found == groups_.cend() ? -1 : found->Row;
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
    if (expanded_.empty())
        return;
    std::set<GroupPath> present;
    for (int record = 0; record < cache.Count(); ++record) {
        GroupPath path = PathOf(cache, record, grouping, grouping.size());
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
