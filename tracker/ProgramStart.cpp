#include "tracker/ProgramStart.h"

#include "platform/TerminationSignals.h"
#include "tracker/CommandLine.h"
#include "tracker/FightFile.h"
#include "tracker/FightFileLock.h"
#include "tracker/FightFileSaver.h"
#include "tracker/FightRecovery.h"
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
        // A file that another program holds, or that holds no fight, is told before any
        // window shows.
        std::unique_ptr<FightFileLock> lock =
            command.FightFile.isEmpty() ? nullptr : FightFileLock::Take(command.FightFile);
        const std::optional<Fight> fight =
            command.FightFile.isEmpty() ? std::nullopt
                                        : std::optional<Fight>(OpenFightFile(command.FightFile));
        application.CreateForm(frmTrevaloMain);
        application.CreateForm(frmHelp);
        if (fight) {
            lock.release()->setParent(frmTrevaloMain);
            FightFileSaver::Keep(*frmTrevaloMain, command.FightFile, *fight);
        } else {
            FightRecovery::Keep(*frmTrevaloMain);
        }
    } catch (const std::exception& error) {
        TApplication::HandleException(error);
        return 1;
    }
    // Not while a recovered fight is asked about: ended then, the program leaves its file.
    QuitOnTerminationSignals();
    return std::nullopt;
}

} // namespace trevalo
