#include "components/grid/RegisterGridComponents.h"

#include "components/forms/ControlRegistry.h"
#include "components/grid/accessibility/GridAccessibility.h"
#include "components/grid/control/TDataGrid.h"
#include "components/grid/view/TDBColumn.h"
#include "components/grid/view/TDBTableView.h"
#include "components/grid/view/TGridStyle.h"

namespace trevalo {

void RegisterGridComponents() {
    auto& registry = ComponentRegistry::Instance();
    RegisterControl<TDataGrid>(registry, QStringLiteral("TDataGrid"));
    registry.Register<TGridLevel>(QStringLiteral("TGridLevel"));
    registry.Register<TDBTableView>(QStringLiteral("TDBTableView"));
    registry.Register<TDBColumn>(QStringLiteral("TDBColumn"));
    registry.Register<TStyleRepository>(QStringLiteral("TStyleRepository"));
    registry.Register<TGridStyle>(QStringLiteral("TGridStyle"));
    InstallGridAccessibility();
}

} // namespace trevalo
