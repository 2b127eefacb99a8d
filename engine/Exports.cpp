// The library's C exports: its version, its class factory and its registration.
#include "EngineContract.h"
#include "PacketWriter.h"
#include "RecordBase.h"
#include "RecordCursor.h"

#include <new>

using namespace trevalo::engine;

namespace {

template <class Class, class Interface> Status Make(void** object) {
    Interface* made = new (std::nothrow) Class;
    *object = made;
    return made ? kOk : kOutOfMemory;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) std::uint32_t GetInterfaceVersion() {
    return kInterfaceVersion;
}

__attribute__((visibility("default"))) Status
GetClassObject(std::uint32_t classId, std::uint32_t interfaceId, void** object) {
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (classId == kClassPacketWriter && interfaceId == kIidPacketWriter)
        return Make<PacketWriter, IPacketWriter>(object);
    if (classId == kClassRecordBase && interfaceId == kIidRecordBase)
        return Make<RecordBase, IRecordBase>(object);
    if (classId == kClassRecordCursor && interfaceId == kIidRecordCursor)
        return Make<RecordCursor, IRecordCursor>(object);
    return kUnknownClass;
}

// Nothing to register: the program finds the library beside itself or by name.
__attribute__((visibility("default"))) Status RegisterServer() {
    return kOk;
}
}
