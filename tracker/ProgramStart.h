/// \file
/// The program block's start, up to its message loop: the program's icon and menu entry, then
/// its two windows in their fixed order. The program and its start-up benchmark both run it.
#pragma once

#include "platform/TApplication.h"

namespace trevalo {

/// Answers false, once the failure has been shown, when a window could not be created.
bool StartProgram(TApplication& application);

} // namespace trevalo
