#include "components/forms/TComponent.h"

#include "platform/Failures.h"

namespace trevalo {

TNotifyEvent* TComponent::FindEvent(const QString& name) {
    return events_.value(name, nullptr);
}

void TComponent::DeclareEvent(const QString& name, TNotifyEvent& slot) {
    events_.insert(name, &slot);
}

void TComponent::Fire(const TNotifyEvent& event, QObject* sender) {
    if (event)
        Guard([&] { event(sender); });
}

} // namespace trevalo
