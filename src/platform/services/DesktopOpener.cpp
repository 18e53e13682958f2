#include "platform/services/DesktopOpener.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr auto Patience = std::chrono::seconds(2);
constexpr auto PollEvery = std::chrono::milliseconds(20);

// In a session of its own, so that a browser it starts outlives a terminal's
// hang-up or Ctrl+C, with the signals a program starts with.
pid_t startOpener(const QByteArray &opener, const QByteArray &address)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int number : {SIGHUP, SIGINT, SIGPIPE, SIGTERM})
        sigaddset(&defaults, number);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    char *arguments[]
        = {const_cast<char *>(opener.constData()), const_cast<char *>(address.constData()), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, opener.constData(), &actions, &attributes, arguments, environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

Opened openWithXdgOpen(const QUrl &url)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != u"xcb" && !platform.startsWith(u"wayland"))
        return Opened::NotAsked;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return Opened::NotAsked;
    const pid_t pid = startOpener(QFile::encodeName(opener), url.toEncoded());
    if (pid < 0)
        return Opened::No;

    int status = 0;
    pid_t ended = 0;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        ended = ::waitpid(pid, &status, WNOHANG);
        if (ended != 0)
            loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(Patience);
    poll.start(PollEvery);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (ended == 0) {
        // Still running: whoever it started is on its way. Reaped when it ends.
        std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
        return Opened::Yes;
    }
    return ended == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Opened::Yes : Opened::No;
}
#else
Opened openWithXdgOpen(const QUrl &)
{
    return Opened::NotAsked;
}
#endif
