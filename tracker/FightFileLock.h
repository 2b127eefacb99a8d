/// \file
/// One program per fight file: a lock file beside it, FILE.lock, held while the file is open.
/// A lock whose program has ended without taking it down is taken over; one whose program runs
/// refuses the file, naming that program.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace trevalo {

/// The lock file of the fight file \p path.
QString FightLockPath(const QString& path);

/// How long a lock file's maker may take to name itself once it holds the file: one that names
/// no holder after this and is held by no one was cut short as it was made.
inline constexpr int kLockMakerGrace = 100;

/// Tries to lock \p lock at once, taking a dead holder's lock over, also one cut short as it
/// was made (as is the guard a take-over makes beside it); false while a running program holds
/// it, or when it cannot be made (lock.error() says which).
bool TryFightLock(QLockFile& lock);

/// Holds the lock of a fight file for as long as it lives.
class FightFileLock : public QObject {
public:
    /// Locks the fight file \p path. Throws Exception naming the file and the program that
    /// holds it while one does; where no lock can be made there (a folder that cannot be
    /// written to, or none), nothing is held, and opening the file tells what is wrong.
    static std::unique_ptr<FightFileLock> Take(const QString& path);

private:
    explicit FightFileLock(const QString& path);

    QLockFile lock_;
};

} // namespace trevalo
