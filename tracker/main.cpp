// The program block: the application, its two windows in a fixed order, the message loop.
#include "platform/TApplication.h"
#include "tracker/ProgramIcon.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

int main(int argc, char** argv) {
    trevalo::TApplication application(argc, argv);
    trevalo::TApplication::setWindowIcon(trevalo::ProgramIcon());
    trevalo::TApplication::setDesktopFileName(QStringLiteral(TREVALO_APP_ID));
    try {
        application.CreateForm(trevalo::frmTrevaloMain);
        application.CreateForm(trevalo::frmHelp);
    } catch (const std::exception& error) {
        trevalo::TApplication::HandleException(error);
        return 1;
    }
    trevalo::frmTrevaloMain->show();
    return application.exec();
}
