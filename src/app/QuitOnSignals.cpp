#include "app/QuitOnSignals.h"

#if defined(TESSIVAN_LINUX)
#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The handler may do little more than write(); the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void writeToPipe(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

void quitOnSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {}
        QCoreApplication::quit();
    });

    struct sigaction action = {};
    action.sa_handler = writeToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction inherited = {};
        if (::sigaction(number, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}
#else
void quitOnSignals() {}
#endif
