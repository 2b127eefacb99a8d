#include "components/controls/ControlsAccessible.h"

#include "components/controls/CheckBoxAccessible.h"
#include "components/controls/MenuAccessible.h"
#include "components/controls/TMainMenu.h"
#include "components/controls/TMessageForm.h"
#include "components/controls/TStyledCheckBox.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMenuBar>

namespace trevalo {

namespace {

/// The confirmation box: an alert named by its title whose text is the question.
class MessageFormAccessible : public QAccessibleWidget {
public:
    explicit MessageFormAccessible(QWidget* form)
        : QAccessibleWidget(form, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Description && t != QAccessible::Value)
            return QAccessibleWidget::text(t);
        const auto* message = widget()->findChild<QLabel*>(QStringLiteral("Message"));
        return message ? message->text() : QString();
    }
};

} // namespace

QAccessibleInterface* ControlsAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(TStyledCheckBox::staticMetaObject.className()))
        return new CheckBoxAccessible(static_cast<TStyledCheckBox*>(object));
    if (className == QLatin1String(TMenuItem::staticMetaObject.className()))
        return new MenuItemAccessible(static_cast<TMenuItem*>(object));
    if (className == QLatin1String(QMenuBar::staticMetaObject.className()))
        return new MenuBarAccessible(static_cast<QMenuBar*>(object));
    if (className == QLatin1String(TMessageForm::staticMetaObject.className()))
        return new MessageFormAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace trevalo
