#include "components/data/RegisterDataComponents.h"

#include "components/data/TDataSource.h"
#include "components/data/TMemTable.h"
#include "components/data/TTableProvider.h"
#include "components/data/TWorkingView.h"
#include "components/forms/ComponentRegistry.h"

namespace trevalo {

void RegisterDataComponents() {
    auto& registry = ComponentRegistry::Instance();
    registry.Register<TMemTable>(QStringLiteral("TMemTable"));
    registry.Register<TTableProvider>(QStringLiteral("TTableProvider"));
    registry.Register<TWorkingView>(QStringLiteral("TWorkingView"));
    registry.Register<TDataSource>(QStringLiteral("TDataSource"));
    registry.Register<TIntegerField>(QStringLiteral("TIntegerField"));
    registry.Register<TStringField>(QStringLiteral("TStringField"));
    registry.Register<TBooleanField>(QStringLiteral("TBooleanField"));
}

} // namespace trevalo
