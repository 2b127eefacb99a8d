/// \file
/// The modal warning box that asks the user to confirm a deletion with "OK" or "Cancel".
#pragma once

#include <QString>

namespace trevalo {

/// The answer of a modal box: which button closed it.
using TModalResult = int;

inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

/// Shows \p Text in a modal warning box centred on the screen (or on the active window's
/// monitor) and waits for the answer while the event loop keeps running: mrOk when the user
/// chose "OK", mrCancel for every other way of closing the box.
TModalResult ShowConfirmBox(const QString& Text);

} // namespace trevalo
