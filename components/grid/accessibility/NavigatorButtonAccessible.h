/// \file
/// A shown button of a grid's navigator bar as assistive technology sees it: a push button
/// named after the button, enabled as the bar shows it, pressed as a click presses it.
#pragma once

#include "components/grid/view/TNavigatorButtons.h"
#include "platform/PressableAccessible.h"

#include <QAccessibleInterface>
#include <QPointer>

namespace trevalo {

class TGridNavigator;

class NavigatorButtonAccessible : public PressableAccessible {
public:
    NavigatorButtonAccessible(TGridNavigator& navigator, NavigatorButton button);

    NavigatorButton Button() const { return button_; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::PushButton; }
    QAccessible::State state() const override;

protected:
    bool MayPress() const override { return isValid(); }
    void Press() override;

private:
    QPointer<TGridNavigator> navigator_;
    NavigatorButton button_;
};

} // namespace trevalo
