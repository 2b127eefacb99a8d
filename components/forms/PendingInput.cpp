#include "components/forms/PendingInput.h"

#include <QWidget>

namespace trevalo {

bool WritePendingInput(QWidget* typing) {
    for (QWidget* widget = typing; widget; widget = widget->parentWidget()) {
        if (auto* pending = dynamic_cast<IPendingInput*>(widget))
            return pending->WritePendingInput();
    }
    return true;
}

} // namespace trevalo
