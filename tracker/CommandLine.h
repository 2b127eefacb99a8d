/// \file
/// The program's command line: `trevalo [FILE]`, --help and --version.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace trevalo {

struct CommandLine {
    /// Set when the program ends without a window: 0 after --help or --version, 2 after a
    /// mistake.
    std::optional<int> ExitCode;
    /// The file to keep the fight in; empty for none.
    QString FightFile;
};

/// Reads \p arguments, the program's own name first. --help and --version print to standard
/// output; a mistake prints what is wrong and the usage to standard error.
CommandLine ReadCommandLine(const QStringList& arguments);

} // namespace trevalo
