#include "components/forms/ControlRegistry.h"

#include "platform/Exception.h"

namespace trevalo {

QWidget* ClientAreaOf(QObject* parent) {
    if (auto* container = dynamic_cast<TWidgetContainer*>(parent))
        return container->ClientArea();
    if (auto* widget = qobject_cast<QWidget*>(parent))
        return widget;
    throw Exception(QStringLiteral("Control has no parent window: %1").arg(parent->objectName()));
}

} // namespace trevalo
