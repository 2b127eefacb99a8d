#include "components/controls/ControlsAccessible.h"

#include "components/controls/CheckBoxAccessible.h"
#include "components/controls/MenuAccessible.h"
#include "components/controls/TMainMenu.h"
#include "components/controls/TMessageForm.h"
#include "components/controls/TStyledCheckBox.h"

#include <QAccessibleWidget>
#include <QMenuBar>

namespace trevalo {

QAccessibleInterface* ControlsAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TStyledCheckBox::staticMetaObject.className()))
        return new CheckBoxAccessible(static_cast<TStyledCheckBox*>(object));
    if (className == QLatin1String(TMenuItem::staticMetaObject.className()))
        return new MenuItemAccessible(static_cast<TMenuItem*>(object));
    if (className == QLatin1String(QMenuBar::staticMetaObject.className()))
        return new MenuBarAccessible(static_cast<QMenuBar*>(object));
    // An alert named by its title; a reader speaks its question from the label inside, as
    // it does a stock message box's, so the alert itself carries no second copy.
    if (className == QLatin1String(TMessageForm::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

} // namespace trevalo
