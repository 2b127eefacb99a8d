#include "components/forms/ComponentRegistry.h"

#include "platform/Exception.h"

namespace trevalo {

ComponentRegistry& ComponentRegistry::Instance() {
    static ComponentRegistry registry;
    return registry;
}

void ComponentRegistry::Register(const QString& className, Factory factory) {
    factories_.insert(className, std::move(factory));
}

QObject* ComponentRegistry::Create(const QString& className, QObject* parent) const {
    const auto factory = factories_.constFind(className);
    if (factory == factories_.cend())
        throw Exception(QStringLiteral("Class %1 not found").arg(className));
    return (*factory)(parent);
}

} // namespace trevalo
