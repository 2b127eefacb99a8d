#include "tracker/FightFile.h"

#include "platform/Exception.h"
#include "tracker/FightJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <csignal>

namespace trevalo {

namespace {

QString Named(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) +
           QLatin1Char('"');
}

[[noreturn]] void CannotOpen(const QString& path, const QString& reason) {
    throw Exception(QStringLiteral("Cannot open the fight file %1: %2").arg(Named(path), reason));
}

} // namespace

Fight ReadFightFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        CannotOpen(path, file.errorString());
    // One byte past the largest is read, so that a device without an end is told too.
    const bool tooLarge = file.size() > kLargestFightFile;
    const QByteArray json = tooLarge ? QByteArray() : file.read(kLargestFightFile + 1);
    if (file.error() != QFileDevice::NoError)
        CannotOpen(path, file.errorString());
    if (tooLarge || json.size() > kLargestFightFile)
        CannotOpen(path, QStringLiteral("it is larger than %1 MiB, too large for a fight file")
                             .arg(kLargestFightFile >> 20));
    try {
        return FightFromJson(json);
    } catch (const Exception& error) {
        CannotOpen(path, error.Message());
    }
}

void WriteFightFile(const QString& path, const Fight& fight) {
    // Past a file size limit the system would end the program; ignored, it fails the write.
    static const bool sizeLimitFailsTheWrite = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)sizeLimitFailsTheWrite;
    const QByteArray json = FightToJson(fight);
    QSaveFile file(path);
    const auto fail = [&](const QString& reason) {
        file.cancelWriting();
        throw Exception(QStringLiteral("Cannot save the fight to %1: %2").arg(Named(path), reason));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail(file.errorString());
    // A write cut short by a file size limit reports no error: what reached the disk is
    // measured before the new file takes the old one's place.
    const bool whole = file.write(json) == json.size() && file.flush();
    if (!whole || file.size() != json.size())
        fail(file.error() != QFileDevice::NoError ? file.errorString()
                                                  : QStringLiteral("the file was cut short"));
    if (!file.commit())
        fail(file.errorString());
}

Fight OpenFightFile(const QString& path) {
    if (QFileInfo::exists(path))
        return ReadFightFile(path);
    const Fight fight;
    WriteFightFile(path, fight);
    return fight;
}

} // namespace trevalo
