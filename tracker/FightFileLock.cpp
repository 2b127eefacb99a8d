#include "tracker/FightFileLock.h"

#include "platform/Exception.h"

#include <QDir>
#include <QFileInfo>

namespace trevalo {

QString FightLockPath(const QString& path) {
    return path + QStringLiteral(".lock");
}

bool TryFightLock(QLockFile& lock) {
    // Only a holder that has ended counts as gone, however long a program keeps its file open.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0))
        return true;
    qint64 pid = 0;
    QString host;
    QString application;
    if (lock.error() != QLockFile::LockFailedError || lock.getLockInfo(&pid, &host, &application))
        return false;
    lock.setStaleLockTime(kUnnamedLockAge);
    const bool taken = lock.tryLock(0);
    lock.setStaleLockTime(0);
    return taken;
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
