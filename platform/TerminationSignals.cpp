#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace trevalo {

namespace {

int signalSocket[2] = {-1, -1};

void Told(int) {
    const int saved = errno;
    const char byte = 1;
    // A full socket already holds a quit that has not been read.
    (void)!::write(signalSocket[0], &byte, 1);
    errno = saved;
}

} // namespace

void QuitOnTerminationSignals() {
    if (signalSocket[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        while (::read(signalSocket[1], bytes, sizeof bytes) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = Told;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace trevalo
