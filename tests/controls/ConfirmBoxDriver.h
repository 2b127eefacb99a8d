/// \file
/// Answers the confirmation box from inside its modal wait, the way a user would.
#pragma once

#include "components/controls/ConfirmBox.h"

#include <QDialog>
#include <functional>

namespace trevalo::test {

/// Asks \p text with ShowConfirmBox and, once the box is open and active, hands it to \p answer;
/// returns what ShowConfirmBox returned. A box that \p answer leaves open fails the test.
TModalResult AskAndAnswer(const QString& text, const std::function<void(QDialog& box)>& answer);

/// Presses and releases \p key on the focused widget, as the keyboard would.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace trevalo::test
