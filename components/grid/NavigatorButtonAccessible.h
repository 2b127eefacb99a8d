/// \file
/// A shown button of a grid's navigator bar as assistive technology sees it: a push button
/// named after the button, enabled as the bar shows it, pressed as a click presses it.
#pragma once

#include "components/grid/TNavigatorButtons.h"

#include <QAccessibleInterface>
#include <QPointer>

namespace trevalo {

class TGridNavigator;

class NavigatorButtonAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    NavigatorButtonAccessible(TGridNavigator& navigator, NavigatorButton button);

    NavigatorButton Button() const { return button_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::PushButton; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TGridNavigator> navigator_;
    NavigatorButton button_;
};

} // namespace trevalo
