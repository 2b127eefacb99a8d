// Saves the main window and the help window as the user would see them, for a look by eye.
#include "platform/TApplication.h"
#include "tracker/frmTrevaloProg.h"
#include "tracker/frmTrevaloProgHelp.h"

#include <QFileInfo>

int main(int argc, char** argv) {
    trevalo::TApplication application(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshot.png");
    application.CreateForm(trevalo::frmTrevaloMain);
    application.CreateForm(trevalo::frmHelp);
    trevalo::frmTrevaloMain->show();
    trevalo::frmHelp->show();
    QCoreApplication::processEvents();
    const QFileInfo file(path);
    const QString helpPath = file.path() + QStringLiteral("/") + file.completeBaseName() +
                             QStringLiteral("-help.") + file.suffix();
    const bool saved =
        trevalo::frmTrevaloMain->grab().save(path) && trevalo::frmHelp->grab().save(helpPath);
    return saved ? 0 : 1;
}
