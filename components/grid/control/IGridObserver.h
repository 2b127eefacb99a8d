/// \file
/// What a grid control tells the layer above it: those who describe the grid to assistive
/// technology follow its changes through this seam, so that the control and everything below
/// it know nothing of them.
#pragma once

#include "components/grid/view/TNavigatorButtons.h"

namespace trevalo {

class TDataGrid;
class TGridNavigator;

class IGridObserver {
public:
    /// \p grid's view changed: its rows, their texts or the focused cell.
    virtual void GridChanged(TDataGrid& grid) = 0;
    /// \p grid took the keyboard focus.
    virtual void GridFocused(TDataGrid& grid) = 0;
    /// \p button of \p navigator became enabled or disabled.
    virtual void NavigatorButtonChanged(TGridNavigator& navigator, NavigatorButton button) = 0;

protected:
    ~IGridObserver() = default;
};

} // namespace trevalo
