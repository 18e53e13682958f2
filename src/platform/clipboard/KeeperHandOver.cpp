#include "platform/clipboard/KeeperHandOver.h"

#include "platform/clipboard/ProgramParts.h"
#include "platform/process/OwnSession.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto HandOverTime = std::chrono::seconds(1);

// A file descriptor, closed when it goes out of scope.
class Descriptor
{
public:
    Descriptor() = default;
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() { reset(); }
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd = -1;
};

struct Pipe
{
    Descriptor readEnd;
    Descriptor writeEnd;
};

// Close-on-exec, so that no other program started meanwhile holds an end open.
bool open(Pipe &pipe)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    pipe.readEnd.reset(fds[0]);
    pipe.writeEnd.reset(fds[1]);
    return true;
}

QString keeperName(Keeper keeper)
{
    return keeper == Keeper::X11 ? QStringLiteral("tessivan-keeper-x11")
                                 : QStringLiteral("tessivan-keeper-wayland");
}

QString keeperPath(Keeper keeper)
{
    return programPart(QStringLiteral(TESSIVAN_KEEPER_DIR), keeperName(keeper));
}

// Waits for fd to be ready for events until deadline; false when it passed.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry {fd, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready > 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return false;
    }
}

// The whole of data, or false; the pipe is non-blocking.
bool writeAll(int fd, const QByteArray &data, Clock::time_point deadline)
{
    qsizetype written = 0;
    while (written < data.size()) {
        if (!waitFor(fd, POLLOUT, deadline))
            return false;
        const ssize_t count = ::write(fd, data.constData() + written, data.size() - written);
        if (count < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (count > 0)
            written += count;
    }
    return true;
}

// The keeper's word that it owns the clipboard.
bool readKept(int fd, Clock::time_point deadline)
{
    QByteArray reply;
    while (reply.size() < 5) {
        if (!waitFor(fd, POLLIN, deadline))
            return false;
        char buffer[8];
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR))
            return false;
        if (count > 0)
            reply.append(buffer, count);
    }
    return reply.startsWith("kept\n");
}

} // namespace

bool handOverToKeeper(const QString &program, const QString &text)
{
    const QByteArray path = QFile::encodeName(program);
    const QByteArray utf8 = text.toUtf8();
    Pipe input;
    Pipe output;
    if (!open(input) || !open(output))
        return false;
    char *arguments[] = {const_cast<char *>(path.constData()), nullptr};
    const pid_t pid
        = startInOwnSession(path.constData(), arguments, input.readEnd.get(), output.writeEnd.get());
    if (pid < 0)
        return false;
    input.readEnd.reset();
    output.writeEnd.reset();

    const auto deadline = Clock::now() + HandOverTime;
    ::fcntl(input.writeEnd.get(), F_SETFL, O_NONBLOCK);
    // A keeper that fails early must not end this program with the signal.
    std::signal(SIGPIPE, SIG_IGN);
    // The length first, so that a text cut short is never taken for the whole.
    bool kept = writeAll(input.writeEnd.get(), QByteArray::number(utf8.size()) + '\n', deadline)
        && writeAll(input.writeEnd.get(), utf8, deadline);
    input.writeEnd.reset();
    kept = kept && readKept(output.readEnd.get(), deadline);
    if (!kept) {
        // Abandoned: no keeper may take the clipboard later, over a newer text.
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    return kept;
}

void handTextToKeeper(Keeper keeper, const QString &text)
{
    if (text.isEmpty())
        return;
    const QString path = keeperPath(keeper);
    if (path.isEmpty())
        qWarning("The copied text is lost: no %s was found.", qPrintable(keeperName(keeper)));
    else if (!handOverToKeeper(path, text))
        qWarning("The copied text is lost: %s did not take it.", qPrintable(path));
}
