#include "components/controls/TMainMenu.h"

#include "components/forms/PendingInput.h"
#include "platform/Exception.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace trevalo {

void TMainMenu::Loaded() {
    window_ = qobject_cast<QMainWindow*>(parent());
    if (!window_)
        throw Exception(QStringLiteral("%1 must belong to a window").arg(objectName()));
    bar_ = window_->menuBar();
    for (TMenuItem* item : findChildren<TMenuItem*>(QString(), Qt::FindDirectChildrenOnly))
        bar_->addAction(item);
    connect(qApp, &QApplication::focusChanged, this, &TMainMenu::FocusChanged);
}

QWidget* TMainMenu::TypingWidget() const {
    if (lender_)
        return lender_;
    return window_ ? window_->focusWidget() : nullptr;
}

void TMainMenu::FocusChanged(QWidget* old, QWidget* now) {
    if (!bar_)
        return;
    if (now == bar_) {
        lender_ = old && old->window() == window_ ? old : nullptr;
        return;
    }
    if (old != bar_ || !lender_)
        return;
    QWidget* lender = lender_;
    lender_ = nullptr;
    if (!now || now->window() != window_) {
        // A box or another window took the keyboard from the bar: the window gives it back to
        // the lender when it is active again.
        lender->setFocus(Qt::MenuBarFocusReason);
        return;
    }
    QWidget* returned = lender;
    while (returned->focusProxy())
        returned = returned->focusProxy();
    if (now != returned) {
        // The user moved the keyboard on from the bar: the lender learns that it has been left,
        // as it would have had the move started there.
        QFocusEvent left(QEvent::FocusOut, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(lender, &left);
    }
}

TMenuItem::TMenuItem(QObject* parent)
    : QAction(parent) {
    DeclareEvent(QStringLiteral("OnClick"), OnClick);
    // A command acts on what the user typed, as a click elsewhere in the window would.
    connect(this, &QAction::triggered, this, [this] {
        const auto* menu = qobject_cast<TMainMenu*>(this->parent());
        if (WritePendingInput(menu ? menu->TypingWidget() : nullptr))
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
