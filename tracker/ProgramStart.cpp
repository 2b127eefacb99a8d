#include "tracker/ProgramStart.h"

#include "tracker/CommandLine.h"
#include "tracker/FightFile.h"
#include "tracker/FightFileSaver.h"
#include "tracker/ProgramIcon.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

namespace trevalo {

std::optional<int> StartProgram(TApplication& application, const QStringList& arguments) {
    const CommandLine command = ReadCommandLine(arguments);
    if (command.ExitCode)
        return command.ExitCode;
    TApplication::setWindowIcon(ProgramIcon());
    TApplication::setDesktopFileName(QStringLiteral(TREVALO_APP_ID));
    try {
        // A file that holds no fight is told before any window shows.
        const std::optional<Fight> fight =
            command.FightFile.isEmpty() ? std::nullopt
                                        : std::optional<Fight>(OpenFightFile(command.FightFile));
        application.CreateForm(frmTrevaloMain);
        application.CreateForm(frmHelp);
        if (fight)
            FightFileSaver::Keep(*frmTrevaloMain, command.FightFile, *fight);
    } catch (const std::exception& error) {
        TApplication::HandleException(error);
        return 1;
    }
    return std::nullopt;
}

} // namespace trevalo
