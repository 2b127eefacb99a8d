/// \file
/// The properties every control of a layout has, whatever its class: position, size, docking,
/// tab order and visibility.
#pragma once

#include <QJsonValue>
#include <QObject>
#include <QString>

namespace trevalo {

/// Sets \p name on \p object when it is such a property of a control inside a window; answers
/// false for anything else.
bool SetControlProperty(QObject* object, const QString& name, const QJsonValue& value);

} // namespace trevalo
