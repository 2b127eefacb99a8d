/// \file
/// What every engine object shares: release, error texts, and no exception across the boundary.
#pragma once

#include "EngineContract.h"
#include "ErrorText.h"

#include <cstdint>

namespace trevalo::engine {

/// Runs \p body and answers its status; the only exceptions the standard library raises here
/// are allocation failures (std::bad_alloc, std::length_error), so every exception reads as one.
template <class Body> Status Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return kOutOfMemory;
    }
}

template <class Interface> class EngineObject : public Interface {
public:
    void Release() override { delete this; }
    Status GetErrorText(Status status, char* text, std::uint32_t size) override {
        return WriteErrorText(status, text, size);
    }
};

} // namespace trevalo::engine
