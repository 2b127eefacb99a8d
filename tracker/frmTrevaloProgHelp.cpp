#include "tracker/frmTrevaloProgHelp.h"

#include "tracker/RegisterComponents.h"

#include <QShortcut>

namespace trevalo {

TfrmHelp* frmHelp = nullptr;

TfrmHelp::TfrmHelp(TfrmHelp*& reference) {
    reference = this;
    RegisterComponents();
    DeclareHandler(QStringLiteral("Close1Click"), [this](QObject* sender) { Close1Click(sender); });
    LoadLayout(QStringLiteral(":/tracker/frmTrevaloProgHelp.json"));
    // Esc leaves the help as its "Close" does, as it leaves any box.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { Close1Click(this); });
}

void TfrmHelp::Close1Click(QObject*) {
    close();
}

} // namespace trevalo
