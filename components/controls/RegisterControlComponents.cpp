#include "components/controls/RegisterControlComponents.h"

#include "components/controls/ControlsAccessible.h"
#include "components/controls/TGradientSeparator.h"
#include "components/controls/TMainMenu.h"
#include "components/controls/TSpacer.h"
#include "components/controls/TStyledCheckBox.h"
#include "components/controls/TStyledLabel.h"
#include "components/controls/TStyledMemo.h"
#include "components/controls/TStyledPanel.h"
#include "components/forms/ControlRegistry.h"

#include <QAccessible>

namespace trevalo {

void RegisterControlComponents() {
    auto& registry = ComponentRegistry::Instance();
    RegisterControl<TGradientSeparator>(registry, QStringLiteral("TGradientSeparator"));
    registry.Register<TMainMenu>(QStringLiteral("TMainMenu"));
    registry.Register<TMenuItem>(QStringLiteral("TMenuItem"));
    RegisterControl<TSpacer>(registry, QStringLiteral("TSpacer"));
    RegisterControl<TStyledCheckBox>(registry, QStringLiteral("TStyledCheckBox"));
    RegisterControl<TStyledLabel>(registry, QStringLiteral("TStyledLabel"));
    RegisterControl<TStyledMemo>(registry, QStringLiteral("TStyledMemo"));
    RegisterControl<TStyledPanel>(registry, QStringLiteral("TStyledPanel"));
    QAccessible::installFactory(ControlsAccessibleFactory);
}

} // namespace trevalo
