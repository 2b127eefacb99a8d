// The program block: the application, its two windows in a fixed order, the message loop.
#include "platform/TApplication.h"
#include "tracker/ProgramStart.h"
#include "tracker/frmTrevaloProg.h"

int main(int argc, char** argv) {
    trevalo::TApplication application(argc, argv);
    if (!trevalo::StartProgram(application))
        return 1;
    trevalo::frmTrevaloMain->show();
    return application.exec();
}
