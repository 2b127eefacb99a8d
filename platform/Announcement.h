/// \file
/// Tells a screen reader a short text without moving the focus, as a notification of a
/// window: what changed where the user is not, such as a counter moving on.
#pragma once

class QString;
class QWidget;

namespace trevalo {

/// Tells \p text as a notification of \p window, when a screen reader listens. Readers speak
/// a notification as it shows, wherever their focus is; a label's change of text they ignore.
void Announce(QWidget& window, const QString& text);

} // namespace trevalo
