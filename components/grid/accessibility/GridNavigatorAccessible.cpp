#include "components/grid/accessibility/GridNavigatorAccessible.h"

#include "components/grid/accessibility/NavigatorButtonAccessible.h"
#include "components/grid/navigator/TGridNavigator.h"

namespace trevalo {

GridNavigatorAccessible::GridNavigatorAccessible(TGridNavigator* navigator)
    : QAccessibleWidget(navigator, QAccessible::ToolBar) {}

GridNavigatorAccessible::~GridNavigatorAccessible() {
    for (const QAccessible::Id id : buttons_) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

TGridNavigator* GridNavigatorAccessible::Navigator() const {
    return static_cast<TGridNavigator*>(widget());
}

QList<NavigatorButton> GridNavigatorAccessible::ShownButtons() const {
    QList<NavigatorButton> shown;
    for (int i = 0; i < kNavigatorButtonCount; ++i) {
        const auto button = static_cast<NavigatorButton>(i);
        if (!Navigator()->ButtonRect(button).isEmpty())
            shown.append(button);
    }
    return shown;
}

QAccessibleInterface* GridNavigatorAccessible::ButtonInterface(NavigatorButton button) const {
    if (Navigator()->ButtonRect(button).isEmpty())
        return nullptr;
    QAccessible::Id& id = buttons_[static_cast<std::size_t>(button)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(
            new NavigatorButtonAccessible(*Navigator(), button));
    return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* GridNavigatorAccessible::childAt(int x, int y) const {
    const QPoint point = Navigator()->mapFromGlobal(QPoint(x, y));
    for (const NavigatorButton button : ShownButtons()) {
        if (Navigator()->ButtonRect(button).contains(point))
            return ButtonInterface(button);
    }
    return nullptr;
}

QAccessibleInterface* GridNavigatorAccessible::child(int index) const {
    const QList<NavigatorButton> shown = ShownButtons();
    return index >= 0 && index < shown.size() ? ButtonInterface(shown[index]) : nullptr;
}

int GridNavigatorAccessible::childCount() const {
    return static_cast<int>(ShownButtons().size());
}

int GridNavigatorAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* button = dynamic_cast<const NavigatorButtonAccessible*>(child);
    if (!button || child != ButtonInterface(button->Button()))
        return -1;
    return static_cast<int>(ShownButtons().indexOf(button->Button()));
}

QAccessibleInterface* GridNavigatorAccessibleFactory(const QString& key, QObject* object) {
    auto* navigator = qobject_cast<TGridNavigator*>(object);
    if (!navigator || key != QLatin1String(TGridNavigator::staticMetaObject.className()))
        return nullptr;
    return new GridNavigatorAccessible(navigator);
}

void TellNavigatorButtonChanged(TGridNavigator& navigator, NavigatorButton button) {
    if (!QAccessible::isActive())
        return;
    const auto* bar =
        dynamic_cast<GridNavigatorAccessible*>(QAccessible::queryAccessibleInterface(&navigator));
    QAccessibleInterface* iface = bar ? bar->ButtonInterface(button) : nullptr;
    if (!iface)
        return;
    QAccessible::State changed;
    changed.disabled = true;
    QAccessibleStateChangeEvent event(iface, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace trevalo
