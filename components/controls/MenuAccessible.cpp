#include "components/controls/MenuAccessible.h"

#include "components/controls/TMainMenu.h"

namespace trevalo {

QList<QAction*> MenuBarAccessible::ShownActions() const {
    QList<QAction*> shown;
    for (QAction* action : widget()->actions()) {
        if (action->isVisible() && !action->isSeparator())
            shown.append(action);
    }
    return shown;
}

int MenuBarAccessible::childCount() const {
    return static_cast<int>(ShownActions().size());
}

QAccessibleInterface* MenuBarAccessible::child(int index) const {
    const QList<QAction*> shown = ShownActions();
    return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index])
                                              : nullptr;
}

int MenuBarAccessible::indexOfChild(const QAccessibleInterface* child) const {
    return child ? static_cast<int>(ShownActions().indexOf(qobject_cast<QAction*>(child->object())))
                 : -1;
}

MenuItemAccessible::MenuItemAccessible(TMenuItem* item)
    : item_(item) {}

QMenuBar* MenuItemAccessible::Bar() const {
    for (QObject* owner : item_->associatedObjects()) {
        if (auto* bar = qobject_cast<QMenuBar*>(owner))
            return bar;
    }
    return nullptr;
}

bool MenuItemAccessible::isValid() const {
    return item_ && Bar();
}

QObject* MenuItemAccessible::object() const {
    return item_;
}

QWindow* MenuItemAccessible::window() const {
    return Bar()->window()->windowHandle();
}

QAccessibleInterface* MenuItemAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(Bar());
}

QString MenuItemAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return QString(item_->text()).remove(QLatin1Char('&'));
    case QAccessible::Description:
    case QAccessible::Accelerator:
        return item_->shortcut().toString(QKeySequence::NativeText);
    default:
        return QString();
    }
}

QRect MenuItemAccessible::rect() const {
    const QMenuBar* bar = Bar();
    const QRect place = bar->actionGeometry(item_);
    return QRect(bar->mapToGlobal(place.topLeft()), place.size());
}

QAccessible::State MenuItemAccessible::state() const {
    QAccessible::State state;
    state.disabled = !item_->isEnabled();
    state.invisible = !item_->isVisible();
    state.focusable = true;
    state.focused = Bar()->activeAction() == item_;
    return state;
}

void MenuItemAccessible::Press() {
    if (item_->isEnabled() && item_->isVisible())
        item_->trigger();
}

QStringList MenuItemAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName != pressAction() || item_->shortcut().isEmpty())
        return {};
    return {item_->shortcut().toString(QKeySequence::NativeText)};
}

} // namespace trevalo
