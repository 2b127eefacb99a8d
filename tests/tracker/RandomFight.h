/// \file
/// Random fights with everything a user can enter: ties, blanks, empty texts, zero and negative
/// numbers, the longest names, accents and characters outside the Basic Multilingual Plane.
#pragma once

#include "tracker/Fight.h"

#include <iosfwd>
#include <random>

namespace trevalo {

/// For the messages of failed expectations: the counters, the boxes and every row.
void PrintTo(const Fight& fight, std::ostream* out);

} // namespace trevalo

namespace trevalo::test {

/// Up to \p most rows in each table, each table's size drawn anew.
Fight RandomFight(std::mt19937& random, int most);

} // namespace trevalo::test
