/// \file
/// Makes the data components known to layouts.
#pragma once

namespace trevalo {

void RegisterDataComponents();

} // namespace trevalo
