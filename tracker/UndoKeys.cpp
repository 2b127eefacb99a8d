#include "tracker/UndoKeys.h"

#include "platform/Failures.h"
#include "tracker/FightHistory.h"

#include <QApplication>
#include <QLineEdit>
#include <QShortcut>

namespace trevalo {

namespace {

void Add(QWidget& window, QKeySequence keys, FightHistory& history, bool redo) {
    auto* shortcut = new QShortcut(keys, &window);
    QObject::connect(shortcut, &QShortcut::activated, &history, [&history, redo] {
        // An editor claims Ctrl+Z itself; the redo keys it claims differ between desktops, and
        // those it leaves come here.
        if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
            redo ? editor->redo() : editor->undo();
            return;
        }
        Guard([&] { redo ? history.Redo() : history.Undo(); });
    });
}

} // namespace

void AddUndoKeys(QWidget& window, FightHistory& history) {
    // Set here, not taken from the desktop, whose redo keys differ from one to the next.
    Add(window, QKeySequence(Qt::CTRL | Qt::Key_Z), history, false);
    Add(window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), history, true);
    Add(window, QKeySequence(Qt::CTRL | Qt::Key_Y), history, true);
}

} // namespace trevalo
