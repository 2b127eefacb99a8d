#include "components/forms/FocusAreas.h"

#include <QShortcut>
#include <QWidget>

namespace trevalo {

namespace {

// The area's own first control that takes the focus by Tab: itself, or one inside it.
QWidget* Entry(QWidget& area) {
    QWidget* window = area.window();
    QWidget* widget = window;
    do {
        if ((widget == &area || area.isAncestorOf(widget)) &&
            (widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() && widget->isEnabled())
            return widget;
        widget = widget->nextInFocusChain();
    } while (widget != window);
    return &area;
}

} // namespace

FocusAreas::FocusAreas(QWidget& window, const QList<QWidget*>& areas)
    : QObject(&window)
    , window_(window)
    , areas_(areas.cbegin(), areas.cend()) {
    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), &window);
    auto* prior = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), &window);
    connect(next, &QShortcut::activated, this, [this] { Step(1); });
    connect(prior, &QShortcut::activated, this, [this] { Step(-1); });
}

int FocusAreas::Current() const {
    const QWidget* focus = window_.focusWidget();
    for (qsizetype i = 0; i < areas_.size(); ++i) {
        if (areas_[i] && focus && (focus == areas_[i] || areas_[i]->isAncestorOf(focus)))
            return static_cast<int>(i);
    }
    return -1;
}

void FocusAreas::Step(int by) {
    const int count = static_cast<int>(areas_.size());
    const int current = Current();
    const int start = current < 0 ? (by > 0 ? count - 1 : 0) : current;
    for (int step = 1; step <= count; ++step) {
        QWidget* area = areas_[((start + by * step) % count + count) % count];
        if (area && area->isVisible() && area->isEnabled()) {
            Entry(*area)->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

} // namespace trevalo
