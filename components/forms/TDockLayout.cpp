#include "components/forms/TDockLayout.h"

#include "platform/Exception.h"

#include <QWidget>

namespace trevalo {

TAlign AlignFromName(const QString& name) {
    static const QHash<QString, TAlign> names{
        {QStringLiteral("alNone"), TAlign::alNone},
        {QStringLiteral("alTop"), TAlign::alTop},
        {QStringLiteral("alBottom"), TAlign::alBottom},
        {QStringLiteral("alLeft"), TAlign::alLeft},
        {QStringLiteral("alRight"), TAlign::alRight},
        {QStringLiteral("alClient"), TAlign::alClient},
    };
    const auto found = names.constFind(name);
    if (found == names.cend())
        throw Exception(QStringLiteral("Invalid property value: %1").arg(name));
    return *found;
}

TDockLayout::TDockLayout(QWidget* parent)
    : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
}

TDockLayout::~TDockLayout() {
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void TDockLayout::SetAlign(QWidget* widget, TAlign align) {
    for (Dock& dock : docks_) {
        if (dock.item->widget() == widget) {
            dock.align = align;
            invalidate();
            return;
        }
    }
    addWidget(widget);
    docks_.back().align = align;
}

void TDockLayout::addItem(QLayoutItem* item) {
    docks_.append({item, TAlign::alNone});
}

QLayoutItem* TDockLayout::itemAt(int index) const {
    return index >= 0 && index < docks_.size() ? docks_[index].item : nullptr;
}

QLayoutItem* TDockLayout::takeAt(int index) {
    if (index < 0 || index >= docks_.size())
        return nullptr;
    return docks_.takeAt(index).item;
}

int TDockLayout::count() const {
    return static_cast<int>(docks_.size());
}

QSize TDockLayout::sizeHint() const {
    return parentWidget() ? parentWidget()->size() : QSize();
}

void TDockLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    QRect rest = contentsRect();
    // Sides are taken in a fixed order, each side's controls in the order they were added.
    for (TAlign side :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (const Dock& dock : std::as_const(docks_)) {
            QWidget* widget = dock.item->widget();
            if (dock.align != side || !widget || widget->isHidden())
                continue;
            QRect place = rest;
            switch (side) {
            case TAlign::alTop:
                place.setHeight(widget->height());
                rest.setTop(place.bottom() + 1);
                break;
            case TAlign::alBottom:
                place.setTop(rest.bottom() + 1 - widget->height());
                rest.setBottom(place.top() - 1);
                break;
            case TAlign::alLeft:
                place.setWidth(widget->width());
                rest.setLeft(place.right() + 1);
                break;
            case TAlign::alRight:
                place.setLeft(rest.right() + 1 - widget->width());
                rest.setRight(place.left() - 1);
                break;
            default:
                break;
            }
            widget->setGeometry(place);
        }
    }
}

} // namespace trevalo
