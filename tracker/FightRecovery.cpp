#include "tracker/FightRecovery.h"

#include "platform/Exception.h"
#include "platform/QuestionBox.h"
#include "platform/TApplication.h"
#include "tracker/FightFile.h"
#include "tracker/FightFileLock.h"
#include "tracker/FightWatch.h"
#include "tracker/FightWindow.h"
#include "tracker/frmTrevaloProg.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <memory>

namespace trevalo {

namespace {

const QString kPattern = QStringLiteral("fight-*.trevalo");

// The process's number alone could come again after a crash, naming a stale file.
QString OwnFileName() {
    return QStringLiteral("fight-%1-%2.trevalo")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

// A program that ended after locking its recovery file but before writing it, or while its
// fight was a new one, leaves a lock without a file, which no start would offer or take down.
void DeleteLocksWithoutFile(const QDir& folder) {
    const qsizetype suffix = FightLockPath(QString()).size();
    for (const QString& name : folder.entryList({FightLockPath(kPattern)}, QDir::Files)) {
        if (QFile::exists(folder.filePath(name.chopped(suffix))))
            continue;
        QLockFile lock(folder.filePath(name));
        if (TryFightLock(lock))
            lock.unlock();
    }
}

} // namespace

QString RecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/trevalo");
}

QString RecoveryQuestion(const Fight& fight) {
    return QStringLiteral("Trevalo ended without being closed, while a fight was in play: turn "
                          "%1, %2 combatant(s) and %3 effect(s).\n\nRestore that fight?")
        .arg(fight.Turn)
        .arg(fight.Combatants.size())
        .arg(fight.Effects.size());
}

FightRecovery::FightRecovery(TfrmTrevaloMain& main)
    : QObject(&main)
    , path_(RecoveryFolder() + QLatin1Char('/') + OwnFileName())
    , lock_(FightLockPath(path_)) {}

FightRecovery::~FightRecovery() {
    Delete();
}

void FightRecovery::Keep(TfrmTrevaloMain& main) {
    auto* recovery = new FightRecovery(main);
    const QDir folder(RecoveryFolder());
    for (const QString& name : folder.entryList({kPattern}, QDir::Files, QDir::Time)) {
        const QString path = folder.filePath(name);
        // Held while it is asked about, so that no other program offers it too.
        QLockFile lock(FightLockPath(path));
        if (!TryFightLock(lock))
            continue;
        std::optional<Fight> fight;
        try {
            fight = ReadFightFile(path);
        } catch (const Exception&) {
        }
        if (fight && *fight != Fight() &&
            AskYesNo(RecoveryQuestion(*fight), QLatin1String(TApplication::kTitle))) {
            RestoreFight(main, *fight);
            recovery->Adopt(path, lock, *fight);
            break;
        }
        QFile::remove(path);
    }
    DeleteLocksWithoutFile(folder);
    connect(&FightWatch::Of(main), &FightWatch::Changed, recovery,
            [recovery](const Fight&, const Fight& after) { recovery->Save(after); });
    // Logging out may end the program without its loop's end; a change after a logout that
    // was cancelled is kept again.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, recovery, &FightRecovery::Delete);
    connect(qGuiApp, &QCoreApplication::aboutToQuit, recovery, [recovery] {
        recovery->ended_ = true;
        recovery->Delete();
    });
}

bool FightRecovery::Lock() {
    if (lock_.isLocked())
        return true;
    if (QDir().mkpath(RecoveryFolder()) && TryFightLock(lock_))
        return true;
    if (!std::exchange(warned_, true))
        qWarning("Trevalo: the fight cannot be kept against a crash: %s cannot be locked",
                 qUtf8Printable(QDir::toNativeSeparators(path_)));
    return false;
}

void FightRecovery::Adopt(const QString& path, QLockFile& lock, const Fight& fight) {
    if (!Lock())
        return;
    // Moved, so that at every moment one of the two files holds the fight.
    if (!QFile::rename(path, path_)) {
        Save(fight);
        QFile::remove(path);
    }
    lock.unlock();
}

void FightRecovery::Save(const Fight& fight) {
    if (ended_)
        return;
    // A new fight is what a start without a crash shows anyway.
    if (fight == Fight()) {
        QFile::remove(path_);
        return;
    }
    if (!Lock())
        return;
    try {
        WriteFightFile(path_, fight);
        warned_ = false;
    } catch (const Exception& error) {
        if (!std::exchange(warned_, true))
            qWarning("Trevalo: the fight cannot be kept against a crash: %s",
                     qUtf8Printable(error.Message()));
    }
}

void FightRecovery::Delete() {
    QFile::remove(path_);
}

} // namespace trevalo
