/// \file
/// Records the accessibility events the program sends, as a screen reader would get them.
#pragma once

#include <QAccessible>
#include <QStringList>

namespace trevalo {

/// Switches accessibility on for its lifetime and keeps every event as "object event", the
/// object by its name (an element without an object by its accessible name) and the event by
/// its hexadecimal number.
class AccessibilityEvents {
public:
    AccessibilityEvents();
    ~AccessibilityEvents();
    AccessibilityEvents(const AccessibilityEvents&) = delete;
    AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

    bool Saw(const QString& object, QAccessible::Event type) const;
    const QStringList& All() const { return recorded_; }

private:
    QStringList recorded_;
};

} // namespace trevalo
