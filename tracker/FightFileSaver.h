/// \file
/// A fight kept in a file: the file is written once after each action that changed the fight.
/// A write that fails is told once, with its reason; the fight stays in the window, and each
/// later change is written again, until one succeeds and the next failure is told anew.
#pragma once

#include "tracker/Fight.h"

#include <QObject>
#include <QString>

namespace trevalo {

class TfrmTrevaloMain;

class FightFileSaver : public QObject {
    Q_OBJECT
public:
    /// Puts \p fight, read from \p path, into \p main and keeps the fight in \p path from now
    /// on; the window's title names the file.
    static void Keep(TfrmTrevaloMain& main, const QString& path, const Fight& fight);

private:
    FightFileSaver(TfrmTrevaloMain& main, QString path);

    void Save(const Fight& fight);

    QString path_;
    bool failing_ = false; ///< a write failed and was told, and none has succeeded since
};

} // namespace trevalo
