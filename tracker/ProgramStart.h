/// \file
/// The program block's start, up to its message loop: the command line, the program's icon and
/// menu entry, the fight file, then the two windows in their fixed order, and last the fight put
/// into the main window. The program and its start-up benchmark both run it.
#pragma once

#include "platform/TApplication.h"

#include <QStringList>
#include <optional>

namespace trevalo {

/// Starts the program for \p arguments, its own name first. Answers the exit code when it must
/// end without its message loop: after --help or --version, after a mistake on the command line,
/// or once a failure has been shown (a fight file that cannot be opened, a window that cannot be
/// made).
std::optional<int> StartProgram(TApplication& application, const QStringList& arguments);

} // namespace trevalo
