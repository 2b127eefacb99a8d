#include "tests/support/AccessibilityEvents.h"

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

namespace trevalo {

namespace {

QStringList* recording = nullptr;

// Events reach a handler only while a screen reader is there; the platform is told one is.
void SetActive(bool active) {
    if (QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility())
        platform->setActive(active);
}

} // namespace

AccessibilityEvents::AccessibilityEvents() {
    recording = &recorded_;
    QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
        const QObject* object = event->object();
        const QAccessibleInterface* iface = object ? nullptr : event->accessibleInterface();
        const QString name = object  ? object->objectName()
                             : iface ? iface->text(QAccessible::Name)
                                     : QStringLiteral("?");
        recording->append(name + QLatin1Char(' ') + QString::number(int(event->type()), 16));
    });
    SetActive(true);
}

AccessibilityEvents::~AccessibilityEvents() {
    SetActive(false);
    QAccessible::installUpdateHandler(nullptr);
    recording = nullptr;
}

bool AccessibilityEvents::Saw(const QString& object, QAccessible::Event type) const {
    return recorded_.contains(object + QLatin1Char(' ') + QString::number(int(type), 16));
}

} // namespace trevalo
