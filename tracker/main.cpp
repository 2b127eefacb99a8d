// The program block: the application, its two windows in a fixed order, the message loop.
#include "platform/TApplication.h"
#include "tracker/ProgramStart.h"
#include "tracker/frmTrevaloProg.h"

int main(int argc, char** argv) {
    trevalo::TApplication application(argc, argv);
    if (const std::optional<int> exitCode =
            trevalo::StartProgram(application, trevalo::TApplication::arguments()))
        return *exitCode;
    trevalo::frmTrevaloMain->show();
    return application.exec();
}
