#include "components/grid/RegisterGridComponents.h"

#include "components/forms/ControlRegistry.h"
#include "components/grid/TDBColumn.h"
#include "components/grid/TDBTableView.h"
#include "components/grid/TDataGrid.h"
#include "components/grid/TDataGridAccessible.h"
#include "components/grid/TGridNavigatorAccessible.h"
#include "components/grid/TGridStyle.h"

namespace trevalo {

void RegisterGridComponents() {
    auto& registry = ComponentRegistry::Instance();
    RegisterControl<TDataGrid>(registry, QStringLiteral("TDataGrid"));
    registry.Register<TGridLevel>(QStringLiteral("TGridLevel"));
    registry.Register<TDBTableView>(QStringLiteral("TDBTableView"));
    registry.Register<TDBColumn>(QStringLiteral("TDBColumn"));
    registry.Register<TStyleRepository>(QStringLiteral("TStyleRepository"));
    registry.Register<TGridStyle>(QStringLiteral("TGridStyle"));
    QAccessible::installFactory(DataGridAccessibleFactory);
    QAccessible::installFactory(GridNavigatorAccessibleFactory);
}

} // namespace trevalo
