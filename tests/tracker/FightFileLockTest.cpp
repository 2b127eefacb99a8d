// One program per fight file: a lock held by a running program refuses the file, naming that
// program; one left by a program that ended is taken over.
#include "tracker/FightFileLock.h"

#include "platform/Exception.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trevalo {
namespace {

class FightLock : public testing::Test {
protected:
    QTemporaryDir folder_;
    QString path_ = folder_.filePath(QStringLiteral("fight.trevalo"));
};

TEST_F(FightLock, HeldByARunningProgramRefusesTheFileNamingIt) {
    const std::unique_ptr<FightFileLock> held = FightFileLock::Take(path_);
    ASSERT_TRUE(QFile::exists(path_ + QStringLiteral(".lock")));
    try {
        FightFileLock::Take(path_);
        FAIL() << "the file was locked twice";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message().toStdString(),
                  QStringLiteral("Cannot open the fight file \"%1\": it is open in another "
                                 "program, %2 (process %3 on %4)")
                      .arg(path_, QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                           QString::number(QCoreApplication::applicationPid()),
                           QSysInfo::machineHostName())
                      .toStdString());
    }
}

TEST_F(FightLock, IsFreedWithItsHolder) {
    FightFileLock::Take(path_).reset();
    EXPECT_FALSE(QFile::exists(path_ + QStringLiteral(".lock")));
    EXPECT_NE(FightFileLock::Take(path_), nullptr);
}

// Locks the fight in a child that ends without letting go, as a crash does.
void LockInAProgramThatEnds(const QString& path) {
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(FightLockPath(path));
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FightLock, LeftByAProgramThatEndedIsTakenOver) {
    ASSERT_NO_FATAL_FAILURE(LockInAProgramThatEnds(path_));
    const std::unique_ptr<FightFileLock> held = FightFileLock::Take(path_);
    EXPECT_THROW(FightFileLock::Take(path_), Exception);
}

// A lock file, or the guard a take-over makes beside a dead holder's lock, that names no one:
// its maker was killed between making it and naming itself. It refuses the file while anyone
// holds it, as a maker does before it names itself, and is taken over at once when no one does.
TEST_F(FightLock, CutShortAsItWasMadeIsTakenOverOnceNoOneHoldsIt) {
    for (const bool guard : {false, true}) {
        SCOPED_TRACE(guard ? "the guard" : "the lock");
        const QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("fight.trevalo"));
        if (guard) {
            ASSERT_NO_FATAL_FAILURE(LockInAProgramThatEnds(path));
        }
        QFile cutShort(FightLockPath(path) + (guard ? QStringLiteral(".rmlock") : QString()));
        ASSERT_TRUE(cutShort.open(QIODevice::WriteOnly));
        ASSERT_EQ(::flock(cutShort.handle(), LOCK_EX | LOCK_NB), 0);
        EXPECT_THROW(FightFileLock::Take(path), Exception);
        EXPECT_TRUE(cutShort.exists());
        cutShort.close();
        const std::unique_ptr<FightFileLock> held = FightFileLock::Take(path);
        EXPECT_THROW(FightFileLock::Take(path), Exception);
    }
}

} // namespace
} // namespace trevalo
