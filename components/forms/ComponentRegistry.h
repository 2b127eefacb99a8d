/// \file
/// The classes a layout may name, each with the function that makes one.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

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

class ComponentRegistry {
public:
    /// Makes a component under \p parent, which owns it.
    using Factory = std::function<QObject*(QObject* parent)>;

    static ComponentRegistry& Instance();

    void Register(const QString& className, Factory factory);

    template <class T> void Register(const QString& className) {
        Register(className, [](QObject* parent) -> QObject* {
            if constexpr (std::is_base_of_v<QWidget, T>)
                return new T(ClientAreaOf(parent));
            else
                return new T(parent);
        });
    }

    /// Raises an error naming \p className when no such class is registered.
    QObject* Create(const QString& className, QObject* parent) const;

private:
    QHash<QString, Factory> factories_;
};

} // namespace trevalo
