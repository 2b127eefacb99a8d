/// \file
/// The menu bar as a screen reader reads it: its shown commands as menu items, each named by
/// its caption, described by its shortcut and pressed by its action.
#pragma once

#include "platform/PressableAccessible.h"

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

class MenuItemAccessible : public PressableAccessible {
public:
    explicit MenuItemAccessible(TMenuItem* item);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

protected:
    bool MayPress() const override { return isValid(); }
    void Press() override;

private:
    QMenuBar* Bar() const;

    QPointer<TMenuItem> item_;
};

} // namespace trevalo
