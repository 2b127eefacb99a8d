/// \file
/// The fight of a program started without a file, kept against a crash: after each action that
/// changed it, it is written as a fight file is, to a recovery file of this program's own in the
/// user's state folder, locked while the program runs. Every end of the program that takes it
/// down in order deletes the file; so a recovery file whose lock's program no longer runs is
/// the fight of a program that crashed, and the next start offers it back.
#pragma once

#include "tracker/Fight.h"

#include <QLockFile>
#include <QObject>
#include <QString>

namespace trevalo {

class TfrmTrevaloMain;

/// Where recovery files are kept: trevalo in the user's state folder, $XDG_STATE_HOME, or
/// ~/.local/state where that is not set to an absolute path.
QString RecoveryFolder();

/// What the question about a recovery file says of \p fight.
QString RecoveryQuestion(const Fight& fight);

class FightRecovery : public QObject {
public:
    /// Offers the fight of each recovery file whose program has ended, newest first, until one
    /// is taken: Yes puts it into \p main and keeps it in this program's recovery file, No
    /// deletes it. A file that cannot be read, or holds a new fight, is deleted unasked, and so
    /// is the lock of an ended program that left no file. From then on the fight of \p main is
    /// kept against a crash. Nothing is written before the first change.
    static void Keep(TfrmTrevaloMain& main);

    /// Deletes the recovery file, as the program ends in order.
    ~FightRecovery() override;

private:
    explicit FightRecovery(TfrmTrevaloMain& main);

    void Save(const Fight& fight);
    /// Takes the recovery file \p path, locked by \p lock, as this program's own.
    void Adopt(const QString& path, QLockFile& lock, const Fight& fight);
    /// Locks this program's recovery file; false, told once, when it cannot be.
    bool Lock();
    void Delete();

    QString path_;
    QLockFile lock_;
    bool ended_ = false;  ///< the program is ending: nothing is written any more
    bool warned_ = false; ///< a failure was told, and no write has succeeded since
};

} // namespace trevalo
