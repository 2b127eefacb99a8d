#include "platform/Announcement.h"

#include <QAccessible>
#include <QPointer>
#include <QWidget>

namespace trevalo {

namespace {

/// A notification that stands for its text in its window; it has no widget of its own and
/// nothing on the screen shows it.
class NotificationAccessible : public QAccessibleInterface {
public:
    NotificationAccessible(QWidget& window, const QString& text)
        : window_(&window)
        , text_(text) {}

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        const QAccessibleInterface* parent = this->parent();
        return parent ? parent->window() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return window_ ? QAccessible::queryAccessibleInterface(window_.data()) : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? text_ : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        return window_ ? QRect(window_->mapToGlobal(QPoint(0, 0)), window_->size()) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> window_;
    QString text_;
};

} // namespace

void Announce(QWidget& window, const QString& text) {
    if (!QAccessible::isActive())
        return;
    // Each text is a notification of its own: a reader may keep what it read of the last one.
    // That one is dropped now, when the reader has long read it.
    static QAccessible::Id last = 0;
    if (last != 0)
        QAccessible::deleteAccessibleInterface(last);
    auto* notification = new NotificationAccessible(window, text);
    last = QAccessible::registerAccessibleInterface(notification);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace trevalo
