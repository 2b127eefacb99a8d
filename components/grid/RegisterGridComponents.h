/// \file
/// Makes the grid components known to layouts.
#pragma once

namespace trevalo {

void RegisterGridComponents();

} // namespace trevalo
