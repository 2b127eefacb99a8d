#include "components/controls/TMainMenu.h"

#include "components/forms/PendingInput.h"
#include "platform/Exception.h"

#include <QMainWindow>
#include <QMenuBar>

namespace trevalo {

void TMainMenu::Loaded() {
    auto* window = qobject_cast<QMainWindow*>(parent());
    if (!window)
        throw Exception(QStringLiteral("%1 must belong to a window").arg(objectName()));
    for (TMenuItem* item : findChildren<TMenuItem*>(QString(), Qt::FindDirectChildrenOnly))
        window->menuBar()->addAction(item);
}

TMenuItem::TMenuItem(QObject* parent)
    : QAction(parent) {
    DeclareEvent(QStringLiteral("OnClick"), OnClick);
    // A command acts on what the user typed, as a click elsewhere in the window would.
    connect(this, &QAction::triggered, this, [this] {
        if (WritePendingInput(*this))
            Fire(OnClick, this);
    });
}

void TMenuItem::SetShortCut(const QString& keys) {
    const QKeySequence sequence = QKeySequence::fromString(keys, QKeySequence::PortableText);
    if (sequence.isEmpty() != keys.isEmpty() || sequence.count() > 1)
        throw Exception(QStringLiteral("Invalid shortcut '%1'").arg(keys));
    setShortcut(sequence);
}

} // namespace trevalo
