/// \file
/// The grid's accessibility layer, put in place at start-up: the interfaces of the grid and its
/// navigator bar, and the observer that turns the grid's changes into their events.
#pragma once

namespace trevalo {

/// Describes every grid and navigator bar to assistive technology from now on.
void InstallGridAccessibility();

} // namespace trevalo
