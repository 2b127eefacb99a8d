/// \file
/// A grid's navigator bar as assistive technology sees it: a tool bar whose children are its
/// shown buttons, in the order they stand; a hidden button is not there.
#pragma once

#include "components/grid/view/TNavigatorButtons.h"

#include <QAccessibleWidget>
#include <array>

namespace trevalo {

class TGridNavigator;

class GridNavigatorAccessible : public QAccessibleWidget {
public:
    explicit GridNavigatorAccessible(TGridNavigator* navigator);
    ~GridNavigatorAccessible() override;

    /// \p button's interface, made once; null while it is hidden.
    QAccessibleInterface* ButtonInterface(NavigatorButton button) const;

    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    TGridNavigator* Navigator() const;
    QList<NavigatorButton> ShownButtons() const;

    mutable std::array<QAccessible::Id, kNavigatorButtonCount> buttons_{};
};

/// Makes the interface of a TGridNavigator, for QAccessible::installFactory.
QAccessibleInterface* GridNavigatorAccessibleFactory(const QString& key, QObject* object);
/// \p button of \p navigator became enabled or disabled; tells readers, when any listen.
void TellNavigatorButtonChanged(TGridNavigator& navigator, NavigatorButton button);

} // namespace trevalo
