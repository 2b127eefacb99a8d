/// \file
/// Gives the keyboard back to the window that had it when a box or a second window closes.
#pragma once

#include <QPointer>
#include <QWidget>

namespace trevalo {

/// The window that had the keyboard when another opened over it.
class FocusReturn {
public:
    /// Remembers the active window, unless that is \p opening itself.
    void Remember(const QWidget& opening);
    /// Activates the remembered window again, if it is still shown, once the event being
    /// handled is done; the widget that has its focus then gets the keyboard with it.
    void Restore() const;

private:
    QPointer<QWidget> window_;
};

/// A box or window of class \p Window that gives the keyboard back, as it closes, to the window
/// it found active when it opened. A window manager would do it; without one nothing else does,
/// and the keys would go to no window until a click.
template <class Window> class ReturnsFocus : public Window {
public:
    using Window::Window;

    void setVisible(bool visible) override {
        const bool opening = visible && !this->isVisible();
        const bool closing = !visible && this->isVisible();
        if (opening)
            return_.Remember(*this);
        Window::setVisible(visible);
        if (closing)
            return_.Restore();
    }

private:
    FocusReturn return_;
};

} // namespace trevalo
