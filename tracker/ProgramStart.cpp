#include "tracker/ProgramStart.h"

#include "tracker/ProgramIcon.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

namespace trevalo {

bool StartProgram(TApplication& application) {
    TApplication::setWindowIcon(ProgramIcon());
    TApplication::setDesktopFileName(QStringLiteral(TREVALO_APP_ID));
    try {
        application.CreateForm(frmTrevaloMain);
        application.CreateForm(frmHelp);
    } catch (const std::exception& error) {
        TApplication::HandleException(error);
        return false;
    }
    return true;
}

} // namespace trevalo
