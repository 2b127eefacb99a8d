/// \file
/// The program's icon, the one its menu entry shows, for its windows.
#pragma once

#include <QIcon>

namespace trevalo {

/// Every size the icon is drawn in, from the resources.
QIcon ProgramIcon();

} // namespace trevalo
