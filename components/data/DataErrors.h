/// \file
/// Failures of the data layer and of the record engine.
#pragma once

#include "platform/Exception.h"

namespace trevalo {

class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

/// A status the record engine reported, with the engine's text for it.
class EEngineError : public EDatabaseError {
public:
    EEngineError(QString message, quint16 status)
        : EDatabaseError(std::move(message))
        , status_(status) {}
    quint16 Status() const noexcept { return status_; }

private:
    quint16 status_;
};

class EPacketWriterError : public EEngineError {
public:
    using EEngineError::EEngineError;
};

} // namespace trevalo
