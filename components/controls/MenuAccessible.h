/// \file
/// The menu bar as a screen reader reads it: its shown commands as menu items, each named by
/// its caption, described by its shortcut and pressed by its action.
#pragma once

#include <QAccessibleWidget>
#include <QMenuBar>
#include <QPointer>

namespace trevalo {

class TMenuItem;

class MenuBarAccessible : public QAccessibleWidget {
public:
    explicit MenuBarAccessible(QMenuBar* bar)
        : QAccessibleWidget(bar, QAccessible::MenuBar) {}

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QAction*> ShownActions() const;
};

class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItemAccessible(TMenuItem* item);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QMenuBar* Bar() const;

    QPointer<TMenuItem> item_;
};

} // namespace trevalo
