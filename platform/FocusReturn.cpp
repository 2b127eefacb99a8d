#include "platform/FocusReturn.h"

#include <QApplication>

namespace trevalo {

void FocusReturn::Remember(const QWidget& opening) {
    QWidget* active = QApplication::activeWindow();
    if (active != &opening)
        window_ = active;
}

void FocusReturn::Restore() const {
    if (window_ && window_->isVisible())
        window_->activateWindow();
}

} // namespace trevalo
