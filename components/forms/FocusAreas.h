/// \file
/// F6 and Shift+F6 move the keyboard focus from one area of a window to the next and back,
/// around, whatever Tab does inside an area.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace trevalo {

class FocusAreas : public QObject {
    Q_OBJECT
public:
    /// \p areas in their order; a control is entered itself, a panel at its first control in
    /// the tab order.
    FocusAreas(QWidget& window, const QList<QWidget*>& areas);

private:
    void Step(int by);
    /// The area holding the focus, or -1.
    int Current() const;

    QWidget& window_;
    QList<QPointer<QWidget>> areas_;
};

} // namespace trevalo
