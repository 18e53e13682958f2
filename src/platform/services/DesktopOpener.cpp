#include "platform/services/DesktopOpener.h"

#if defined(TESSIVAN_LINUX)
#include "platform/process/OwnSession.h"

#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <sys/wait.h>
#include <thread>

namespace {

constexpr auto Patience = std::chrono::seconds(2);
constexpr auto PollEvery = std::chrono::milliseconds(20);

} // namespace

Opened openWithXdgOpen(const QUrl &url)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != u"xcb" && !platform.startsWith(u"wayland"))
        return Opened::NotAsked;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return Opened::NotAsked;
    // A browser it starts outlives a terminal's hang-up or Ctrl+C.
    const QByteArray path = QFile::encodeName(opener);
    const QByteArray address = url.toEncoded();
    char *arguments[]
        = {const_cast<char *>(path.constData()), const_cast<char *>(address.constData()), nullptr};
    const pid_t pid = startInOwnSession(path.constData(), arguments, -1, -1);
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
