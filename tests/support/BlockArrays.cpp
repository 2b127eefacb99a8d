#include "tests/support/BlockArrays.h"

namespace trevalo::engine::test {

BlockArrays::BlockArrays(const std::vector<BlockField>& fields, std::uint32_t capacity,
                         std::uint32_t textCapacity)
    : bookmarks_(std::size_t{capacity} * sizeof(std::uint32_t)) {
    // The block points into these: they must never move.
    owned_.reserve(fields.size());
    for (const BlockField& field : fields) {
        Owned& owned = owned_.emplace_back();
        owned.blanks.assign(capacity, 0xAA);
        owned.numbers.assign(field.isString ? 0 : capacity, -1);
        owned.starts.assign(field.isString ? capacity : 0, 0xFFFF);
        owned.lengths.assign(field.isString ? capacity : 0, 0xFFFF);
        columns_.push_back({field.number, owned.blanks.data(),
                            field.isString ? nullptr : owned.numbers.data(),
                            field.isString ? owned.starts.data() : nullptr,
                            field.isString ? owned.lengths.data() : nullptr, nullptr, 0, 0});
        if (field.isString)
            SetTextCapacity(columns_.size() - 1, textCapacity);
    }
    block_ = {capacity,
              static_cast<std::uint32_t>(columns_.size()),
              columns_.data(),
              bookmarks_.data(),
              0,
              0};
}

void BlockArrays::SetTextCapacity(std::size_t index, std::uint32_t capacity) {
    std::string& text = owned_[index].text;
    text.assign(capacity + kGuard, '#');
    columns_[index].text = text.data();
    columns_[index].textCapacity = capacity;
    columns_[index].textLength = 0;
}

void BlockArrays::RewindText() {
    for (BlockColumn& column : columns_)
        column.textLength = 0;
}

bool BlockArrays::GuardsIntact() const {
    const std::string guard(kGuard, '#');
    for (const Owned& owned : owned_)
        if (!owned.text.empty() && !owned.text.ends_with(guard))
            return false;
    return true;
}

} // namespace trevalo::engine::test
