#include "components/forms/TabOrder.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace trevalo {

namespace {

constexpr const char* kTabOrder = "TabOrder";

bool TakesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0;
}

bool TakesPart(const QWidget* widget) {
    if (TakesTabFocus(widget))
        return true;
    const auto inside = widget->findChildren<QWidget*>();
    return std::any_of(inside.cbegin(), inside.cend(), TakesTabFocus);
}

QList<QWidget*> TabList(const QWidget* parent) {
    QList<QWidget*> list;
    for (QWidget* child : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && TakesPart(child))
            list.append(child);
    }
    const QList<QWidget*> created = list;
    for (QWidget* child : created) {
        const QVariant order = child->property(kTabOrder);
        if (!order.isValid())
            continue;
        list.removeOne(child);
        list.insert(std::clamp<qsizetype>(order.toInt(), 0, list.size()), child);
    }
    return list;
}

void Flatten(const QWidget* parent, QList<QWidget*>& chain) {
    for (QWidget* child : TabList(parent)) {
        if (TakesTabFocus(child))
            chain.append(child);
        Flatten(child, chain);
    }
}

} // namespace

void SetTabOrder(QWidget* control, int order) {
    control->setProperty(kTabOrder, order);
}

void ArrangeTabOrder(QWidget* window) {
    QList<QWidget*> chain;
    Flatten(window, chain);
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

} // namespace trevalo
