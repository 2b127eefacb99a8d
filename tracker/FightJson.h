/// \file
/// The fight file's format: a fight as UTF-8 JSON, with the format's name and version, read
/// back only when every value is one the window can hold. docs/fight-file.md describes it.
#pragma once

#include "tracker/Fight.h"

#include <QByteArray>

namespace trevalo {

/// The format's version that this program writes, and the newest that it reads.
inline constexpr int kFightFormatVersion = 1;
/// The most rows a table may have in a file.
inline constexpr int kMostFightRows = 100000;
/// The highest turn or pass number a file may give, far enough below the counters' limit that
/// no one reaches it by New Turn.
inline constexpr std::int32_t kHighestFightCounter = 1000000000;

/// The same fight always gives the same bytes.
QByteArray FightToJson(const Fight& fight);

/// The fight in \p json. Anything that is not a fight this program can hold throws Exception
/// saying what is wrong in the user's words: with the line and column of a JSON error, with the
/// row and key of a wrong value.
Fight FightFromJson(const QByteArray& json);

} // namespace trevalo
