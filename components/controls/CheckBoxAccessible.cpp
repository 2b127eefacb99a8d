#include "components/controls/CheckBoxAccessible.h"

#include "components/controls/TStyledCheckBox.h"

namespace trevalo {

CheckBoxAccessible::CheckBoxAccessible(TStyledCheckBox* box)
    : QAccessibleWidget(box, QAccessible::CheckBox) {}

TStyledCheckBox* CheckBoxAccessible::Box() const {
    return static_cast<TStyledCheckBox*>(widget());
}

QString CheckBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return Box()->Caption();
    return QAccessibleWidget::text(t);
}

QAccessible::State CheckBoxAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Box()->State() == TStyledCheckBox::cbChecked;
    state.checkStateMixed = Box()->State() == TStyledCheckBox::cbGrayed;
    return state;
}

QStringList CheckBoxAccessible::actionNames() const {
    return QStringList(toggleAction()) + QAccessibleWidget::actionNames();
}

void CheckBoxAccessible::doAction(const QString& actionName) {
    if (actionName == toggleAction() && Box()->isEnabled())
        Box()->Toggle();
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace trevalo
