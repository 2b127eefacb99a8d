/// \file
/// A working view's records read column by column in one pass: typed arrays, no QVariant, the
/// form the grid's cache keeps them in.
#pragma once

#include "EngineContract.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trevalo {

/// One field's values over the records, in the records' order.
struct ValueColumn {
    engine::FieldType Type = engine::FieldType::Integer;
    std::vector<std::uint8_t> Blank;   ///< per record: 1 where the field is blank
    std::vector<std::int32_t> Numbers; ///< per record, not strings: booleans as 0 or 1; 0 blank
    std::vector<std::uint32_t> Start;  ///< per record, strings only: where its UTF-8 begins
    std::vector<std::uint32_t> Length; ///< per record, strings only: its UTF-8 bytes
    std::string Text;                  ///< strings only: every value's UTF-8, unterminated

    /// The UTF-8 of string \p record; empty when blank.
    std::string_view Utf8(int record) const {
        const auto at = static_cast<std::size_t>(record);
        return std::string_view(Text).substr(Start[at], Length[at]);
    }
};

struct RecordColumns {
    int Count = 0;
    std::uint32_t BookmarkSize = 0;
    std::vector<std::uint8_t> Bookmarks; ///< Count × BookmarkSize bytes, as GetBookmark gives
    std::vector<ValueColumn> Columns;    ///< one per field asked for, in the order asked

    std::string_view Bookmark(int record) const {
        const std::size_t size = BookmarkSize;
        return {reinterpret_cast<const char*>(Bookmarks.data()) +
                    static_cast<std::size_t>(record) * size,
                size};
    }
};

} // namespace trevalo
