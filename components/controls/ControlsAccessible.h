/// \file
/// How a screen reader reads the styled controls, the menu bar and the confirmation box: the
/// accessibility interfaces the application's factory hands out for them.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace trevalo {

/// For QAccessible::installFactory: the styled check box, the menu bar and its commands, and
/// the confirmation box; null for every other class.
QAccessibleInterface* ControlsAccessibleFactory(const QString& className, QObject* object);

} // namespace trevalo
