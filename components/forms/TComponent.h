/// \file
/// What every component a layout can name shares: its events and the moment loading ends.
#pragma once

#include <QHash>
#include <QString>
#include <functional>

class QObject;

namespace trevalo {

/// An event handler; \p Sender is the component that fired it.
using TNotifyEvent = std::function<void(QObject* Sender)>;

/// A mixin beside QObject: the layout loader finds it with dynamic_cast.
class TComponent {
public:
    virtual ~TComponent() = default;

    /// Called once the whole layout is read and its references resolved, in layout order.
    virtual void Loaded() {}

    /// True while a layout is being read into the component: settings are only noted.
    bool Loading() const { return loading_; }
    void SetLoading(bool loading) { loading_ = loading; }

    /// The event slot called \p name, or null when the component has no such event.
    TNotifyEvent* FindEvent(const QString& name);

protected:
    /// Makes \p slot bindable from a layout under \p name.
    void DeclareEvent(const QString& name, TNotifyEvent& slot);

    /// Calls \p event with \p sender when it is bound. A failure ends in the failure handler
    /// here, so that none unwinds through the platform's event dispatch.
    static void Fire(const TNotifyEvent& event, QObject* sender);

private:
    QHash<QString, TNotifyEvent*> events_;
    bool loading_ = false;
};

} // namespace trevalo
