// One program per fight file: a lock held by a running program refuses the file, naming that
// program; one left by a program that ended is taken over.
#include "tracker/FightFileLock.h"

#include "platform/Exception.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
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

TEST_F(FightLock, LeftByAProgramThatEndedIsTakenOver) {
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(FightLockPath(path_));
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::unique_ptr<FightFileLock> held = FightFileLock::Take(path_);
    EXPECT_THROW(FightFileLock::Take(path_), Exception);
}

TEST_F(FightLock, ThatNamesNoHolderIsTakenOverOnceOld) {
    QFile unnamed(FightLockPath(path_));
    ASSERT_TRUE(unnamed.open(QIODevice::WriteOnly));
    unnamed.close();
    EXPECT_THROW(FightFileLock::Take(path_), Exception);
    ASSERT_TRUE(unnamed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(unnamed.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60),
                                    QFileDevice::FileModificationTime));
    unnamed.close();
    const std::unique_ptr<FightFileLock> held = FightFileLock::Take(path_);
    EXPECT_THROW(FightFileLock::Take(path_), Exception);
}

} // namespace
} // namespace trevalo
