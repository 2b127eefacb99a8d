#include "tracker/FightFileLock.h"

#include "platform/Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sys/file.h>

namespace trevalo {

namespace {

// The maker of a lock file holds it (the native lock) before it names itself in it; a file that
// no one holds and that names no one, even after the maker's moment, was left by a maker that
// ended. Taken down under that native lock, as a stale lock is.
bool RemoveIfCutShort(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || ::flock(file.handle(), LOCK_EX | LOCK_NB) != 0)
        return false;
    QLockFile lock(path);
    qint64 pid = 0;
    QString host;
    QString application;
    const auto namesItsMaker = [&] { return lock.getLockInfo(&pid, &host, &application); };
    if (namesItsMaker())
        return false;
    QThread::msleep(kLockMakerGrace);
    return !namesItsMaker() && QFile::remove(path);
}

} // namespace

QString FightLockPath(const QString& path) {
    return path + QStringLiteral(".lock");
}

bool TryFightLock(QLockFile& lock) {
    // Only a holder that has ended counts as gone, however long a program keeps its file open.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    if (lock.error() != QLockFile::LockFailedError)
        return false;
    // The guard first: a take-over cut short leaves one that blocks every later take-over.
    const bool guardRemoved = RemoveIfCutShort(lock.fileName() + QStringLiteral(".rmlock"));
    const bool lockRemoved = RemoveIfCutShort(lock.fileName());
    return (guardRemoved || lockRemoved) && lock.tryLock(0);
}

FightFileLock::FightFileLock(const QString& path)
    : lock_(FightLockPath(path)) {}

std::unique_ptr<FightFileLock> FightFileLock::Take(const QString& path) {
    std::unique_ptr<FightFileLock> held(new FightFileLock(path));
    if (TryFightLock(held->lock_) || held->lock_.error() != QLockFile::LockFailedError)
        return held;
    qint64 pid = 0;
    QString host;
    QString application;
    held->lock_.getLockInfo(&pid, &host, &application);
    throw Exception(
        QStringLiteral("Cannot open the fight file \"%1\": it is open in another program, %2 "
                       "(process %3 on %4)")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                 application.isEmpty() ? QStringLiteral("unnamed") : application,
                 QString::number(pid), host.isEmpty() ? QStringLiteral("this computer") : host));
}

} // namespace trevalo
