#include "platform/FocusReturn.h"

#include <QApplication>

namespace trevalo {

void FocusReturn::Remember(const QWidget& opening) {
    QWidget* active = QApplication::activeWindow();
    if (active != &opening)
        window_ = active;
}

void FocusReturn::Restore() const {
    if (!window_)
        return;
    // Once the event that closed the box has been handled: the code that asked the question
    // goes on first, with the focus where it left it.
    QMetaObject::invokeMethod(
        window_,
        [window = window_] {
            if (window->isVisible())
                window->activateWindow();
        },
        Qt::QueuedConnection);
}

} // namespace trevalo
