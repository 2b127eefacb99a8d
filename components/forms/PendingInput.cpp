#include "components/forms/PendingInput.h"

#include <QWidget>

namespace trevalo {

bool WritePendingInput(const QObject& command) {
    const QObject* owner = &command;
    while (owner && !owner->isWidgetType())
        owner = owner->parent();
    if (!owner)
        return true;
    for (QWidget* widget = static_cast<const QWidget*>(owner)->window()->focusWidget(); widget;
         widget = widget->parentWidget()) {
        if (auto* pending = dynamic_cast<IPendingInput*>(widget))
            return pending->WritePendingInput();
    }
    return true;
}

} // namespace trevalo
