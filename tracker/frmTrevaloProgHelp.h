/// \file
/// The help window: a fixed text, shown beside the main window and hidden again on "Close",
/// which gives the keyboard back to the window it was opened from.
#pragma once

#include "components/forms/TForm.h"
#include "platform/FocusReturn.h"

namespace trevalo {

class TfrmHelp : public ReturnsFocus<TForm> {
    Q_OBJECT
public:
    /// Stores itself in \p reference before its layout is loaded; created hidden.
    explicit TfrmHelp(TfrmHelp*& reference);

    void Close1Click(QObject* Sender);
};

extern TfrmHelp* frmHelp;

} // namespace trevalo
