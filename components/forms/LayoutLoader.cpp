#include "components/forms/LayoutLoader.h"

#include "components/forms/ComponentRegistry.h"
#include "components/forms/ControlProperties.h"
#include "components/forms/InertSettings.h"
#include "components/forms/TabOrder.h"
#include "platform/Exception.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <QWidget>

namespace trevalo {

namespace {

[[noreturn]] void Fail(const QObject* object, const QString& property, const QString& reason) {
    throw Exception(
        QStringLiteral("Error reading %1.%2: %3").arg(object->objectName(), property, reason));
}

/// A dotted name ("NavigatorButtons.First.Visible") reaches through object-valued properties
/// to the object that holds the last part.
struct PropertyPath {
    QObject* holder;
    QMetaProperty property;
};

PropertyPath Resolve(QObject* object, const QString& name) {
    const QStringList parts = name.split(QLatin1Char('.'));
    QObject* holder = object;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        const int index = holder->metaObject()->indexOfProperty(parts[i].toLatin1().constData());
        QObject* next = index < 0
                            ? nullptr
                            : holder->metaObject()->property(index).read(holder).value<QObject*>();
        if (!next)
            Fail(object, name, QStringLiteral("Property %1 does not exist").arg(name));
        holder = next;
    }
    const int index = holder->metaObject()->indexOfProperty(parts.last().toLatin1().constData());
    if (index < 0)
        Fail(object, name, QStringLiteral("Property %1 does not exist").arg(name));
    return {holder, holder->metaObject()->property(index)};
}

/// A setter that refuses the value names it in its error, which is passed on with the place.
void Write(QObject* object, const QString& name, const PropertyPath& path, const QVariant& value) {
    bool written = false;
    try {
        written = path.property.write(path.holder, value);
    } catch (const Exception& error) {
        Fail(object, name, error.Message());
    }
    if (!written)
        Fail(object, name, QStringLiteral("Invalid property value"));
}

QVariant ToVariant(const QMetaProperty& property, const QJsonValue& value) {
    if (property.metaType().id() == QMetaType::QByteArray)
        return QByteArray::fromHex(value.toString().toLatin1());
    return value.toVariant();
}

} // namespace

LayoutLoader::LayoutLoader(QObject& root, HandlerLookup handlers)
    : root_(root)
    , handlers_(std::move(handlers)) {}

void LayoutLoader::Load(const QByteArray& layout) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(layout, &error);
    if (!document.isObject())
        throw Exception(QStringLiteral("Invalid layout: %1").arg(error.errorString()));
    const QJsonObject rootJson = document.object();
    const QString rootClass = rootJson.value(QLatin1String("class")).toString();
    const QString className = QString::fromLatin1(root_.metaObject()->className());
    if (rootClass != className.mid(className.lastIndexOf(QLatin1Char(':')) + 1))
        throw Exception(QStringLiteral("Class %1 not found").arg(rootClass));

    Create(rootJson, &root_);
    for (const Node& node : std::as_const(nodes_)) {
        SetProperties(node);
        CheckInertSettings(node);
    }
    for (const Node& node : std::as_const(nodes_))
        ResolveReferences(node);
    for (const Node& node : std::as_const(nodes_)) {
        if (auto* component = dynamic_cast<TComponent*>(node.object)) {
            component->SetLoading(false);
            component->Loaded();
        }
    }
    if (auto* window = qobject_cast<QWidget*>(&root_))
        ArrangeTabOrder(window);
    for (const Node& node : std::as_const(nodes_))
        BindEvents(node);
}

void LayoutLoader::Create(const QJsonObject& json, QObject* object) {
    object->setObjectName(json.value(QLatin1String("name")).toString());
    if (auto* component = dynamic_cast<TComponent*>(object))
        component->SetLoading(true);
    nodes_.append({object, json});
    for (const QJsonValue child : json.value(QLatin1String("children")).toArray()) {
        const QJsonObject childJson = child.toObject();
        QObject* created = ComponentRegistry::Instance().Create(
            childJson.value(QLatin1String("class")).toString(), object);
        Create(childJson, created);
    }
}

void LayoutLoader::SetProperties(const Node& node) {
    const QJsonObject properties = node.json.value(QLatin1String("properties")).toObject();
    for (auto it = properties.begin(); it != properties.end(); ++it)
        SetProperty(node.object, it.key(), it.value());
}

void LayoutLoader::SetProperty(QObject* object, const QString& name, const QJsonValue& value) {
    try {
        if (SetControlProperty(object, name, value))
            return;
    } catch (const Exception& error) {
        Fail(object, name, error.Message());
    }
    const PropertyPath path = Resolve(object, name);
    Write(object, name, path, ToVariant(path.property, value));
}

void LayoutLoader::CheckInertSettings(const Node& node) {
    const QString className = node.json.value(QLatin1String("class")).toString();
    for (const InertSetting& setting : kInertSettings) {
        if (!setting.Required || className != QLatin1String(setting.ClassName))
            continue;
        const QString name = QLatin1String(setting.Property);
        const PropertyPath path = Resolve(node.object, name);
        if (path.property.read(path.holder).toBool() != *setting.Required)
            Fail(node.object, name,
                 QStringLiteral("Must be %1: %2")
                     .arg(QLatin1String(*setting.Required ? "True" : "False"),
                          QLatin1String(setting.Why)));
    }
}

void LayoutLoader::ResolveReferences(const Node& node) {
    const QJsonObject references = node.json.value(QLatin1String("references")).toObject();
    for (auto it = references.begin(); it != references.end(); ++it) {
        const QString target = it.value().toString();
        QObject* found = FindComponent(target);
        if (!found)
            Fail(node.object, it.key(), QStringLiteral("Component '%1' not found").arg(target));
        Write(node.object, it.key(), Resolve(node.object, it.key()), QVariant::fromValue(found));
    }
}

void LayoutLoader::BindEvents(const Node& node) {
    const QJsonObject events = node.json.value(QLatin1String("events")).toObject();
    auto* component = dynamic_cast<TComponent*>(node.object);
    for (auto it = events.begin(); it != events.end(); ++it) {
        TNotifyEvent* slot = component ? component->FindEvent(it.key()) : nullptr;
        if (!slot)
            Fail(node.object, it.key(), QStringLiteral("Property %1 does not exist").arg(it.key()));
        const QString handlerName = it.value().toString();
        const TNotifyEvent* handler = handlers_(handlerName);
        if (!handler)
            Fail(node.object, it.key(), QStringLiteral("Method '%1' not found").arg(handlerName));
        *slot = *handler;
    }
}

QObject* LayoutLoader::FindComponent(const QString& name) const {
    for (const Node& node : nodes_) {
        if (node.object->objectName() == name)
            return node.object;
    }
    return nullptr;
}

} // namespace trevalo
