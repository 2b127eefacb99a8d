/// \file
/// Text typed into a control but not yet written to its record, settled before a command runs.
#pragma once

class QWidget;

namespace trevalo {

/// A control that can hold typing not yet written to its record.
class IPendingInput {
public:
    /// Writes the typing as Enter would; false when it cannot be written, the error shown and
    /// the typing and the focus kept.
    virtual bool WritePendingInput() = 0;

protected:
    ~IPendingInput() = default;
};

/// Settles the typing held by \p typing, the widget that has the keyboard, or by its nearest
/// ancestor that keeps typing; false when it cannot be written and the command must not run.
bool WritePendingInput(QWidget* typing);

} // namespace trevalo
