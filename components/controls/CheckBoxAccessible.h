/// \file
/// The styled check box as a screen reader reads it: a check box named by its caption, its
/// state checked, unchecked or mixed, toggled by its action as a click toggles it.
#pragma once

#include <QAccessibleWidget>

namespace trevalo {

class TStyledCheckBox;

class CheckBoxAccessible : public QAccessibleWidget {
public:
    explicit CheckBoxAccessible(TStyledCheckBox* box);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    TStyledCheckBox* Box() const;
};

} // namespace trevalo
