#include "components/controls/RegisterControlComponents.h"

#include "components/controls/ControlsAccessible.h"
#include "components/controls/TGradientSeparator.h"
#include "components/controls/TMainMenu.h"
#include "components/controls/TSpacer.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/controls/TStyledMemo.h"
#include "components/controls/TStyledPanel.h"
#include "components/forms/ComponentRegistry.h"

#include <QAccessible>

namespace trevalo {

void RegisterControlComponents() {
    auto& registry = ComponentRegistry::Instance();
    registry.Register<TGradientSeparator>(QStringLiteral("TGradientSeparator"));
    registry.Register<TMainMenu>(QStringLiteral("TMainMenu"));
    registry.Register<TMenuItem>(QStringLiteral("TMenuItem"));
    registry.Register<TSpacer>(QStringLiteral("TSpacer"));
    registry.Register<TStyledCheckBox>(QStringLiteral("TStyledCheckBox"));
    registry.Register<TStyledLabel>(QStringLiteral("TStyledLabel"));
    registry.Register<TStyledMemo>(QStringLiteral("TStyledMemo"));
    registry.Register<TStyledPanel>(QStringLiteral("TStyledPanel"));
    QAccessible::installFactory(ControlsAccessibleFactory);
}

} // namespace trevalo
