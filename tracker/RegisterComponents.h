/// \file
/// Makes every component class the windows' layouts name known, once.
#pragma once

namespace trevalo {

void RegisterComponents();

} // namespace trevalo
