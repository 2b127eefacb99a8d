#include "platform/Failures.h"

#include <QtGlobal>

namespace trevalo {

namespace {

void WarnOfFailure(const std::exception& error) {
    qWarning("%s", error.what());
}

FailureHandler handler = &WarnOfFailure;

} // namespace

void SetFailureHandler(FailureHandler replacement) {
    handler = replacement ? replacement : &WarnOfFailure;
}

void HandleFailure(const std::exception& error) {
    handler(error);
}

} // namespace trevalo
