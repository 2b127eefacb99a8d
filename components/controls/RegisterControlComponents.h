/// \file
/// Makes the controls known to layouts.
#pragma once

namespace trevalo {

void RegisterControlComponents();

} // namespace trevalo
