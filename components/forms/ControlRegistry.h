/// \file
/// Controls in the component registry: they are made in the client area of the window or
/// control that a layout puts them under.
#pragma once

#include "components/forms/ComponentRegistry.h"

#include <QWidget>

namespace trevalo {

/// A component whose child controls live in an area of its own (a window's client area).
class TWidgetContainer {
public:
    virtual QWidget* ClientArea() = 0;

protected:
    ~TWidgetContainer() = default;
};

/// Where a control made under \p parent is placed; raises an error when \p parent cannot hold
/// controls.
QWidget* ClientAreaOf(QObject* parent);

template <class T> void RegisterControl(ComponentRegistry& registry, const QString& className) {
    registry.Register(className,
                      [](QObject* parent) -> QObject* { return new T(ClientAreaOf(parent)); });
}

} // namespace trevalo
