/// \file
/// The classes a layout may name, each with the function that makes one. Qt Core only: the
/// controls register through ControlRegistry.h, above the layers without widgets.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>

namespace trevalo {

class ComponentRegistry {
public:
    /// Makes a component under \p parent, which owns it.
    using Factory = std::function<QObject*(QObject* parent)>;

    static ComponentRegistry& Instance();

    void Register(const QString& className, Factory factory);

    /// A component that is no control: it lives under its parent itself.
    template <class T> void Register(const QString& className) {
        static_assert(std::is_constructible_v<T, QObject*>,
                      "a control is registered with RegisterControl");
        Register(className, [](QObject* parent) -> QObject* { return new T(parent); });
    }

    /// Raises an error naming \p className when no such class is registered.
    QObject* Create(const QString& className, QObject* parent) const;

private:
    QHash<QString, Factory> factories_;
};

} // namespace trevalo
