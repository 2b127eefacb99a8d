/// \file
/// The signals that ask a program to end (SIGTERM, SIGINT, SIGHUP) end it as its Close does:
/// the event loop quits, and everything it holds is taken down in order.
#pragma once

namespace trevalo {

/// From now on, each of those signals quits the application's event loops. The handler only
/// writes a byte to a socket that the event loop watches, the one thing a handler may safely do.
void QuitOnTerminationSignals();

} // namespace trevalo
