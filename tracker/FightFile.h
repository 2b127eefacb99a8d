/// \file
/// A fight kept in a file: read whole and checked, written whole or not at all.
#pragma once

#include "tracker/Fight.h"

#include <QString>

namespace trevalo {

/// The largest fight file read: room for the most rows a file may hold, with the longest names.
inline constexpr qint64 kLargestFightFile = qint64{256} << 20;

/// The fight kept in \p path. A file that cannot be read or holds no fight this program can
/// hold throws Exception naming the file and saying what is wrong; the file is only read.
Fight ReadFightFile(const QString& path);

/// Replaces the file at \p path with \p fight, or makes it: written beside it, flushed to the
/// disk, then renamed over it, so that the file is the old fight or the new one, never a part.
/// A failure throws Exception naming the file and the reason, and leaves the file as it was.
void WriteFightFile(const QString& path, const Fight& fight);

/// The fight kept in \p path; where there is no file yet, a new fight, kept there at once so
/// that a folder that cannot take the file is told now.
Fight OpenFightFile(const QString& path);

} // namespace trevalo
