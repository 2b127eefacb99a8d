/// \file
/// Where a failure ends that reached an entry point from the platform uncaught: the handler
/// that the application installs. Qt Core only, so that the layers without widgets can hand
/// their failures on without knowing who shows them.
#pragma once

#include <exception>
#include <utility>

namespace trevalo {

using FailureHandler = void (*)(const std::exception& error);

/// Installs \p handler for every later failure; null puts the default back, which writes the
/// message as a warning.
void SetFailureHandler(FailureHandler handler);

/// Hands \p error to the installed handler.
void HandleFailure(const std::exception& error);

/// Runs \p action and hands a failure to the handler. Every entry point from Qt runs its work
/// through it, so that no exception unwinds through the platform's own frames, which would leak
/// what they hold. Answers whether the action succeeded.
template <class F> bool Guard(F&& action) {
    try {
        std::forward<F>(action)();
        return true;
    } catch (const std::exception& error) {
        HandleFailure(error);
        return false;
    }
}

} // namespace trevalo
