/// \file
/// The caller's side of a bulk read: arrays for each field of a block, owned here and never
/// moved, so that the block can point into them. Every slot starts as a value that no read
/// writes, and each text is followed by guard bytes, so that a slot left unwritten or a text
/// written past its capacity shows.
#pragma once

#include "EngineContract.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trevalo::engine::test {

/// A field to read: its number and whether it is a string.
struct BlockField {
    std::uint32_t number;
    bool isString;
};

class BlockArrays {
public:
    /// Arrays for \p fields, each \p capacity records long, with \p textCapacity bytes of text
    /// for each string field.
    BlockArrays(const std::vector<BlockField>& fields, std::uint32_t capacity,
                std::uint32_t textCapacity);
    BlockArrays(const BlockArrays&) = delete;
    BlockArrays& operator=(const BlockArrays&) = delete;

    RecordBlock& Block() { return block_; }
    const RecordBlock& Block() const { return block_; }
    BlockColumn& Column(std::size_t index) { return columns_[index]; }
    const std::vector<BlockColumn>& Columns() const { return columns_; }
    /// The text buffer of column \p index, guard bytes included, whatever the block now points at.
    const std::string& Text(std::size_t index) const { return owned_[index].text; }

    /// Gives string column \p index a fresh, empty text of \p capacity bytes.
    void SetTextCapacity(std::size_t index, std::uint32_t capacity);
    /// Empties every text buffer for the next block.
    void RewindText();
    /// False when a read wrote past a text's capacity.
    bool GuardsIntact() const;

private:
    struct Owned {
        std::vector<std::uint8_t> blanks;
        std::vector<std::int32_t> numbers;
        std::vector<std::uint32_t> starts;
        std::vector<std::uint32_t> lengths;
        std::string text;
    };

    static constexpr std::size_t kGuard = 8;

    std::vector<Owned> owned_;
    std::vector<BlockColumn> columns_;
    std::vector<std::uint8_t> bookmarks_;
    RecordBlock block_{};
};

} // namespace trevalo::engine::test
