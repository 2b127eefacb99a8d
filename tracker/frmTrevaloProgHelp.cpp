#include "tracker/frmTrevaloProgHelp.h"

#include "tracker/RegisterComponents.h"

namespace trevalo {

TfrmHelp* frmHelp = nullptr;

TfrmHelp::TfrmHelp(TfrmHelp*& reference) {
    reference = this;
    RegisterComponents();
    DeclareHandler(QStringLiteral("Close1Click"), [this](QObject* sender) { Close1Click(sender); });
    LoadLayout(QStringLiteral(":/tracker/frmTrevaloProgHelp.json"));
}

void TfrmHelp::Close1Click(QObject*) {
    close();
}

} // namespace trevalo
