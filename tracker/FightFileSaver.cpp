#include "tracker/FightFileSaver.h"

#include "platform/Exception.h"
#include "platform/TApplication.h"
#include "tracker/FightFile.h"
#include "tracker/FightWatch.h"
#include "tracker/FightWindow.h"
#include "tracker/frmTrevaloProg.h"

#include <QFileInfo>

namespace trevalo {

void FightFileSaver::Keep(TfrmTrevaloMain& main, const QString& path, const Fight& fight) {
    RestoreFight(main, fight);
    new FightFileSaver(main, path);
    main.SetCaption(QFileInfo(path).fileName() + QStringLiteral(" - ") +
                    QLatin1String(TApplication::kTitle));
}

FightFileSaver::FightFileSaver(TfrmTrevaloMain& main, QString path)
    : QObject(&main)
    , path_(std::move(path)) {
    connect(&FightWatch::Of(main), &FightWatch::Changed, this,
            [this](const Fight&, const Fight& after) { Save(after); });
}

void FightFileSaver::Save(const Fight& fight) {
    try {
        WriteFightFile(path_, fight);
        failing_ = false;
    } catch (const Exception& error) {
        if (failing_)
            return;
        failing_ = true;
        TApplication::ShowErrorMessage(
            error.Message() + QStringLiteral(".\n\nThe fight stays as it is in the window, and "
                                             "saving it is tried again at the next change"));
    }
}

} // namespace trevalo
