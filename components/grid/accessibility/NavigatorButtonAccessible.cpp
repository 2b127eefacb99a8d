#include "components/grid/accessibility/NavigatorButtonAccessible.h"

#include "components/grid/navigator/TGridNavigator.h"

namespace trevalo {

NavigatorButtonAccessible::NavigatorButtonAccessible(TGridNavigator& navigator,
                                                     NavigatorButton button)
    : navigator_(&navigator)
    , button_(button) {}

bool NavigatorButtonAccessible::isValid() const {
    return navigator_ && !navigator_->ButtonRect(button_).isEmpty();
}

QWindow* NavigatorButtonAccessible::window() const {
    const QAccessibleInterface* bar = parent();
    return bar ? bar->window() : nullptr;
}

QAccessibleInterface* NavigatorButtonAccessible::parent() const {
    return navigator_ ? QAccessible::queryAccessibleInterface(navigator_) : nullptr;
}

QString NavigatorButtonAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    const TNavigatorButton& button = *navigator_->Buttons().Button(button_);
    if (t == QAccessible::Name)
        return button.objectName();
    if (t == QAccessible::Description) {
        const QString hint = button.Hint();
        return hint.isEmpty() ? TNavigatorButtons::StandardHint(static_cast<int>(button_)) : hint;
    }
    return {};
}

QRect NavigatorButtonAccessible::rect() const {
    if (!isValid())
        return {};
    const QRect local = navigator_->ButtonRect(button_);
    return QRect(navigator_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State NavigatorButtonAccessible::state() const {
    QAccessible::State state;
    state.invalid = !isValid();
    state.disabled = !state.invalid && !navigator_->IsButtonEnabled(button_);
    return state;
}

void NavigatorButtonAccessible::Press() {
    navigator_->Click(button_);
}

} // namespace trevalo
