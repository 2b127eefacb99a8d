/// \file
/// The record engine library: loaded once per process, and the objects it makes.
#pragma once

#include "EngineContract.h"

#include <QString>
#include <memory>

namespace trevalo {

/// Releases an engine object through its own interface.
struct EngineRelease {
    void operator()(engine::IEngineObject* object) const {
        if (object)
            object->Release();
    }
};

template <class I> using EnginePtr = std::unique_ptr<I, EngineRelease>;

class EngineLibrary {
public:
    /// The loaded library; raises "Error loading record engine library" when it cannot be loaded
    /// from beside the program nor through the system's library search.
    static EngineLibrary& Instance();

    EnginePtr<engine::IPacketWriter> CreatePacketWriter() const;
    EnginePtr<engine::IRecordBase> CreateRecordBase() const;
    EnginePtr<engine::IRecordCursor> CreateRecordCursor() const;

private:
    explicit EngineLibrary(engine::GetClassObjectFn getClassObject);
    void* Create(std::uint32_t classId, std::uint32_t interfaceId) const;

    engine::GetClassObjectFn getClassObject_;
};

/// Raises EEngineError with \p object's text for \p status unless it is success.
void CheckStatus(engine::IEngineObject& object, engine::Status status);

/// The same for the packet writer: EPacketWriterError.
void CheckWriterStatus(engine::IPacketWriter& writer, engine::Status status);

} // namespace trevalo
