/// \file
/// What every accessible element without children of its own shares when a reader may press
/// it: a menu command, a navigator button, a grid cell.
#pragma once

#include <QAccessibleInterface>

namespace trevalo {

class PressableAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    /// The action interface while the element may be pressed.
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface && MayPress()
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }

    QStringList actionNames() const override {
        return MayPress() ? QStringList(pressAction()) : QStringList();
    }
    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && MayPress())
            Press();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    virtual bool MayPress() const = 0;
    /// Does what a click on the element does.
    virtual void Press() = 0;
};

} // namespace trevalo
