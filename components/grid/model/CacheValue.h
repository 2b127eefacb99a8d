/// \file
/// One value of the grid's record cache, typed as its field, and how values compare and show.
#pragma once

#include <QString>
#include <cstdint>
#include <variant>

namespace trevalo {

class TField;

/// A cached field value; std::monostate is the null mark.
using CacheValue = std::variant<std::monostate, std::int32_t, bool, QString>;

/// -1, 0 or 1. Null equals null and is smaller than any value; integers compare numerically,
/// booleans False before True, strings by UTF-16 code unit, case-sensitive, a proper prefix
/// first. Values of different types (never within one field) order by type: null, integer,
/// boolean, string.
int CompareCacheValues(const CacheValue& a, const CacheValue& b);

/// Raises EDatabaseError when \p field is of a type that the cache cannot hold.
void CheckCacheable(const TField& field);

/// The value of \p field in its dataset's current record (or editing copy); null when blank.
/// Raises EDatabaseError for a field type that the cache cannot hold.
CacheValue ReadCacheValue(const TField& field);

/// The text a cell shows: "" for null, decimal integers, "True"/"False", strings as they are.
QString DisplayText(const CacheValue& value);

} // namespace trevalo
