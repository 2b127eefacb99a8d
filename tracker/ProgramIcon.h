/// \file
/// The program's icon, the one its menu entry shows, for its windows.
#pragma once

#include <QIcon>

namespace trevalo {

/// Every size the icon is drawn in, from the resources. A size's picture is read the first
/// time that it is asked for: a platform that shows no window icons reads none. A request
/// between two sizes gets the smaller of the larger ones, scaled down to fit; every mode and
/// state shows the same picture.
QIcon ProgramIcon();

} // namespace trevalo
