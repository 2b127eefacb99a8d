#include "components/grid/accessibility/GridAccessibility.h"

#include "components/grid/accessibility/DataGridAccessible.h"
#include "components/grid/accessibility/GridNavigatorAccessible.h"
#include "components/grid/control/TDataGrid.h"

namespace trevalo {

namespace {

class AccessibilityObserver final : public IGridObserver {
public:
    void GridChanged(TDataGrid& grid) override { TellGridChanged(grid); }
    void GridFocused(TDataGrid& grid) override { TellGridFocused(grid); }
    void NavigatorButtonChanged(TGridNavigator& navigator, NavigatorButton button) override {
        TellNavigatorButtonChanged(navigator, button);
    }
};

} // namespace

void InstallGridAccessibility() {
    static AccessibilityObserver observer;
    QAccessible::installFactory(DataGridAccessibleFactory);
    QAccessible::installFactory(GridNavigatorAccessibleFactory);
    TDataGrid::SetObserver(&observer);
}

} // namespace trevalo
