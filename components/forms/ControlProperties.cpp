#include "components/forms/ControlProperties.h"

#include "components/forms/TDockLayout.h"
#include "components/forms/TabOrder.h"
#include "platform/Exception.h"

#include <QWidget>

namespace trevalo {

bool SetControlProperty(QObject* object, const QString& name, const QJsonValue& value) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || widget->isWindow())
        return false;
    const QRect geometry = widget->geometry();
    const int number = value.toInt();
    if (name == QLatin1String("Left"))
        widget->move(number, geometry.y());
    else if (name == QLatin1String("Top"))
        widget->move(geometry.x(), number);
    else if (name == QLatin1String("Width"))
        widget->resize(number, geometry.height());
    else if (name == QLatin1String("Height"))
        widget->resize(geometry.width(), number);
    else if (name == QLatin1String("TabOrder"))
        SetTabOrder(widget, number);
    else if (name == QLatin1String("Visible"))
        widget->setVisible(value.toBool());
    else if (name == QLatin1String("Align")) {
        auto* dock = widget->parentWidget()
                         ? qobject_cast<TDockLayout*>(widget->parentWidget()->layout())
                         : nullptr;
        if (!dock)
            throw Exception(
                QStringLiteral("Control %1 has no docking parent").arg(widget->objectName()));
        dock->SetAlign(widget, AlignFromName(value.toString()));
    } else
        return false;
    return true;
}

} // namespace trevalo
