// A fight kept against a crash without a file, through the real window: nothing is written
// before the first change, the recovery file goes when the window does, and the file of a
// program that ended without that is offered back, Yes restoring it and No deleting it.
#include "tracker/FightRecovery.h"

#include "tests/support/TrackerFixture.h"
#include "tracker/FightFile.h"
#include "tracker/FightFileLock.h"
#include "tracker/FightJson.h"
#include "tracker/FightWindow.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

namespace trevalo {
namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Three combatants and an effect, in turn 3.
Fight CrashedFight() {
    Fight fight;
    fight.Combatants = {{QStringLiteral("Ann"), 12, 2, true},
                        {QStringLiteral("Bob"), 9, 1, false},
                        {QStringLiteral("Cy"), std::nullopt, 1, true}};
    fight.Effects = {{QStringLiteral("Smoke"), 5}};
    fight.Turn = 3;
    fight.KeepInit = true;
    return fight;
}

class Recovery : public TrackerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(state_.isValid());
        qputenv("XDG_STATE_HOME", state_.path().toLocal8Bit());
        folder_ = state_.filePath(QStringLiteral("trevalo"));
        ASSERT_TRUE(QDir().mkpath(folder_));
        TrackerFixture::SetUp();
    }
    void TearDown() override {
        TrackerFixture::TearDown();
        qunsetenv("XDG_STATE_HOME");
    }

    /// The recovery files and locks in the state folder.
    QStringList Files() const {
        return QDir(folder_).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    /// A recovery file holding \p bytes, locked by a process that has ended without unlocking.
    QString Crashed(const char* name, const QByteArray& bytes) {
        const QString path = folder_ + QLatin1Char('/') + QLatin1String(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        LockedByEndedProcess(path);
        return path;
    }
    /// The lock of the recovery file \p path, taken by a process that has ended without
    /// unlocking.
    static void LockedByEndedProcess(const QString& path) {
        const pid_t child = fork();
        if (child == 0) {
            QLockFile lock(FightLockPath(path));
            _exit(lock.tryLock(0) ? 0 : 1);
        }
        int status = -1;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_TRUE(QFile::exists(FightLockPath(path)));
    }
    void Start(QList<Qt::Key> answers) {
        AnswerBoxes(std::move(answers));
        FightRecovery::Keep(*main_);
    }
    /// One change through the window, as the user's click makes it.
    void Change() {
        main_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
        QTest::mouseClick(&Component<TStyledCheckBox>("chkbxKeepInit"), Qt::LeftButton);
    }

    QTemporaryDir state_;
    QString folder_;
};

TEST_F(Recovery, WritesNothingBeforeTheFirstChangeAndDeletesItsFileWithTheWindow) {
    Start({});
    EXPECT_TRUE(boxTexts_.isEmpty());
    EXPECT_EQ(Files(), QStringList());
    Change();
    const QStringList files = Files();
    ASSERT_EQ(files.size(), 2) << files.join(u' ').toStdString();
    EXPECT_TRUE(
        files[0].startsWith(QStringLiteral("fight-%1-").arg(QCoreApplication::applicationPid())));
    EXPECT_EQ(files[1], files[0] + QStringLiteral(".lock"));
    EXPECT_EQ(ReadFightFile(folder_ + QLatin1Char('/') + files[0]), CaptureFight(*main_));
    main_.reset();
    EXPECT_EQ(Files(), QStringList());
}

TEST_F(Recovery, KeepsNoFileForANewFight) {
    Start({});
    Change();
    Change();
    EXPECT_EQ(CaptureFight(*main_), Fight());
    ASSERT_EQ(Files().size(), 1);
    EXPECT_TRUE(Files()[0].endsWith(QStringLiteral(".lock")));
}

TEST_F(Recovery, YesRestoresACrashedFightAndKeepsItInItsOwnFile) {
    const QByteArray bytes = FightToJson(CrashedFight());
    const QString crashed = Crashed("fight-1-1.trevalo", bytes);
    Start({Qt::Key_Return});
    ASSERT_EQ(boxTexts_.size(), 1);
    EXPECT_EQ(boxTexts_[0].toStdString(),
              "Trevalo ended without being closed, while a fight was in play: turn 3, 3 "
              "combatant(s) and 1 effect(s).\n\nRestore that fight?");
    EXPECT_EQ(boxTitles_, QStringList({"Trevalo"}));
    EXPECT_EQ(CaptureFight(*main_), CrashedFight());
    EXPECT_FALSE(QFile::exists(crashed));
    EXPECT_FALSE(QFile::exists(FightLockPath(crashed)));
    const QStringList files = Files();
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(Bytes(folder_ + QLatin1Char('/') + files[0]), bytes);
    main_.reset();
    EXPECT_EQ(Files(), QStringList());
}

TEST_F(Recovery, NoDeletesACrashedFightAndStartsANewOne) {
    Crashed("fight-1-1.trevalo", FightToJson(CrashedFight()));
    Start({Qt::Key_Escape});
    EXPECT_EQ(boxTexts_.size(), 1);
    EXPECT_EQ(CaptureFight(*main_), Fight());
    EXPECT_EQ(Files(), QStringList());
}

TEST_F(Recovery, OffersEachCrashedFightUntilOneIsTaken) {
    Fight older = CrashedFight();
    older.Turn = 7;
    Crashed("fight-1-1.trevalo", FightToJson(older));
    QTest::qWait(20);
    Crashed("fight-2-2.trevalo", FightToJson(CrashedFight()));
    Start({Qt::Key_Escape, Qt::Key_Return});
    ASSERT_EQ(boxTexts_.size(), 2);
    EXPECT_TRUE(boxTexts_[0].contains(QStringLiteral("turn 3,")));
    EXPECT_TRUE(boxTexts_[1].contains(QStringLiteral("turn 7,")));
    EXPECT_EQ(CaptureFight(*main_), older);
}

struct UnofferedFile {
    const char* label;
    QByteArray bytes;
};

class AnUnofferedFile : public Recovery, public testing::WithParamInterface<UnofferedFile> {};

TEST_P(AnUnofferedFile, IsDeletedUnasked) {
    const QString crashed = Crashed("fight-1-1.trevalo", GetParam().bytes);
    Start({});
    EXPECT_TRUE(boxTexts_.isEmpty());
    EXPECT_EQ(CaptureFight(*main_), Fight());
    EXPECT_EQ(Files(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(FightRecovery, AnUnofferedFile,
                         testing::Values(UnofferedFile{"NotJson",
                                                       "{\"format\": \"trevalo-fight\", \"vers"},
                                         UnofferedFile{"Empty", ""},
                                         UnofferedFile{"NotAFight", "{\"format\": \"other\"}"},
                                         UnofferedFile{"NewFight", FightToJson(Fight())}),
                         [](const testing::TestParamInfo<UnofferedFile>& info) {
                             return std::string(info.param.label);
                         });

TEST_F(Recovery, LeavesTheFileOfAProgramStillRunning) {
    const QString running = folder_ + QStringLiteral("/fight-1-1.trevalo");
    WriteFightFile(running, CrashedFight());
    QLockFile lock(FightLockPath(running));
    ASSERT_TRUE(lock.tryLock(0));
    Start({});
    EXPECT_TRUE(boxTexts_.isEmpty());
    EXPECT_EQ(ReadFightFile(running), CrashedFight());
}

// A program killed after locking its file but before its first write leaves a lock alone.
TEST_F(Recovery, DeletesALockWithoutFileOfAProgramThatEnded) {
    LockedByEndedProcess(folder_ + QStringLiteral("/fight-1-1.trevalo"));
    const QString running = folder_ + QStringLiteral("/fight-2-2.trevalo");
    QLockFile lock(FightLockPath(running));
    ASSERT_TRUE(lock.tryLock(0));
    Start({});
    EXPECT_TRUE(boxTexts_.isEmpty());
    EXPECT_EQ(Files(), QStringList({"fight-2-2.trevalo.lock"}));
}

TEST(RecoveryFolder, FollowsTheStateHomeOrFallsBackUnderHome) {
    qputenv("XDG_STATE_HOME", "/somewhere/state");
    EXPECT_EQ(RecoveryFolder().toStdString(), "/somewhere/state/trevalo");
    for (const char* unfit : {"", "relative/state"}) {
        qputenv("XDG_STATE_HOME", unfit);
        EXPECT_EQ(RecoveryFolder(), QDir::homePath() + QStringLiteral("/.local/state/trevalo"));
    }
    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(RecoveryFolder(), QDir::homePath() + QStringLiteral("/.local/state/trevalo"));
}

} // namespace
} // namespace trevalo
