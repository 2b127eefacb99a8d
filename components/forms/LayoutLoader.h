/// \file
/// Builds a window's components from its layout file, in fixed phases: create every component,
/// set the properties the layout names (and check the settings that have no effect), resolve
/// references by name, tell each component that loading is finished (in layout order), chain the
/// window's tab order, and last connect the event handlers.
///
/// A layout is JSON: a tree of nodes {"class", "name", "properties", "references", "events",
/// "children"}; the root node is the window itself. Binary property values are hex strings.
#pragma once

#include "components/forms/TComponent.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <functional>

namespace trevalo {

class LayoutLoader {
public:
    /// The window's handler called \p name, or null when there is none.
    using HandlerLookup = std::function<const TNotifyEvent*(const QString& name)>;

    LayoutLoader(QObject& root, HandlerLookup handlers);

    /// Raises an error naming the unknown class, property, reference or handler.
    void Load(const QByteArray& layout);

private:
    struct Node {
        QObject* object;
        QJsonObject json;
    };

    void Create(const QJsonObject& json, QObject* object);
    void SetProperties(const Node& node);
    void SetProperty(QObject* object, const QString& name, const QJsonValue& value);
    /// Fails on a setting of InertSettings.h that does not hold its required value.
    void CheckInertSettings(const Node& node);
    void ResolveReferences(const Node& node);
    void BindEvents(const Node& node);
    QObject* FindComponent(const QString& name) const;

    QObject& root_;
    HandlerLookup handlers_;
    QList<Node> nodes_;
};

} // namespace trevalo
