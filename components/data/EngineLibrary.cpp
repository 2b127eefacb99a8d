#include "components/data/EngineLibrary.h"

#include "components/data/DataErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <mutex>

namespace trevalo {

namespace {

engine::GetClassObjectFn Resolve(QLibrary& library) {
    if (!library.load())
        return nullptr;
    if (auto registerServer = reinterpret_cast<engine::RegisterServerFn>(
            library.resolve(engine::kRegisterServerName)))
        registerServer(); // its failure does not matter: the library is already at hand
    auto version = reinterpret_cast<engine::GetInterfaceVersionFn>(
        library.resolve(engine::kGetInterfaceVersionName));
    auto getClassObject =
        reinterpret_cast<engine::GetClassObjectFn>(library.resolve(engine::kGetClassObjectName));
    if (!version || version() != engine::kInterfaceVersion || !getClassObject) {
        library.unload();
        return nullptr;
    }
    return getClassObject;
}

engine::GetClassObjectFn LoadEngine() {
    // Beside the program first, as the build leaves it; then the private folder that an
    // installed program keeps it in, relative to the program so that the tree can move.
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& folder :
         {program.path(), program.filePath(QStringLiteral(TREVALO_ENGINE_DIR))}) {
        QLibrary library(QDir(folder).filePath(QStringLiteral(TREVALO_ENGINE_FILE)));
        if (auto found = Resolve(library))
            return found;
    }
    QLibrary searched(QString::fromLatin1(engine::kLibraryName));
    return Resolve(searched);
}

QString ErrorText(engine::IEngineObject& object, engine::Status status) {
    char text[256] = {};
    object.GetErrorText(status, text, sizeof text);
    return QString::fromUtf8(text);
}

} // namespace

EngineLibrary& EngineLibrary::Instance() {
    static std::mutex lock;
    static std::unique_ptr<EngineLibrary> instance;
    const std::lock_guard guard(lock);
    if (!instance) {
        const auto getClassObject = LoadEngine();
        if (!getClassObject)
            throw EDatabaseError(QStringLiteral("Error loading record engine library"));
        instance.reset(new EngineLibrary(getClassObject));
    }
    return *instance;
}

EngineLibrary::EngineLibrary(engine::GetClassObjectFn getClassObject)
    : getClassObject_(getClassObject) {}

void* EngineLibrary::Create(std::uint32_t classId, std::uint32_t interfaceId) const {
    void* object = nullptr;
    const engine::Status status = getClassObject_(classId, interfaceId, &object);
    // Without an object there is no one to ask for the text of the one status that a class the
    // library knows can answer.
    if (status == engine::kOutOfMemory)
        throw EEngineError(QStringLiteral("Not enough memory"), status);
    if (status != engine::kOk || !object)
        throw EEngineError(QStringLiteral("Record engine class %1 not available")
                               .arg(classId, 8, 16, QLatin1Char('0')),
                           status);
    return object;
}

EnginePtr<engine::IPacketWriter> EngineLibrary::CreatePacketWriter() const {
    return EnginePtr<engine::IPacketWriter>(static_cast<engine::IPacketWriter*>(
        Create(engine::kClassPacketWriter, engine::kIidPacketWriter)));
}

EnginePtr<engine::IRecordBase> EngineLibrary::CreateRecordBase() const {
    return EnginePtr<engine::IRecordBase>(static_cast<engine::IRecordBase*>(
        Create(engine::kClassRecordBase, engine::kIidRecordBase)));
}

EnginePtr<engine::IRecordCursor> EngineLibrary::CreateRecordCursor() const {
    return EnginePtr<engine::IRecordCursor>(static_cast<engine::IRecordCursor*>(
        Create(engine::kClassRecordCursor, engine::kIidRecordCursor)));
}

void CheckStatus(engine::IEngineObject& object, engine::Status status) {
    if (status != engine::kOk)
        throw EEngineError(ErrorText(object, status), status);
}

void CheckWriterStatus(engine::IPacketWriter& writer, engine::Status status) {
    if (status != engine::kOk)
        throw EPacketWriterError(ErrorText(writer, status), status);
}

} // namespace trevalo
