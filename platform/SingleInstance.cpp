#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

struct SingleInstance::Connection
{
    explicit Connection(int socket) : fd(socket) {}
    ~Connection()
    {
        // The notifiers go first: none may watch a closed (or reused) descriptor.
        reader.reset();
        writer.reset();
        ::close(fd);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    int fd;
    std::string received;
    std::string unsent;
    std::size_t sent = 0;
    std::unique_ptr<QSocketNotifier> reader;
    std::unique_ptr<QSocketNotifier> writer;
};

namespace
{

void RefuseLock(const std::filesystem::path& path, const char* why)
{
    std::fprintf(stderr, "vestrel: cannot use the one-copy lock %s (%s); not starting\n",
                 path.c_str(), why);
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
{
    const std::filesystem::path base =
        folder.isEmpty() ? PrivateRuntimeFolder() : std::filesystem::path(folder.toStdString());
    if (base.empty())
    {
        std::fprintf(stderr,
                     "vestrel: no private runtime folder (XDG_RUNTIME_DIR, /tmp/vestrel-%lu);"
                     " running without the one-copy check\n",
                     static_cast<unsigned long>(::getuid()));
        return;
    }
    const std::string plainName = name.toStdString();
    m_socketPath = InstanceSocketPath(base, plainName);
    m_lockPath = InstanceLockPath(base, plainName);
}

SingleInstance::~SingleInstance()
{
    m_connections.clear();
    m_acceptNotifier.reset();
    if (m_listenFd >= 0)
    {
        ::close(m_listenFd);
        // Still ours: nobody else listens while the lock is held.
        ::unlink(m_socketPath.c_str());
    }
    // The lock file stays: removing it while held would let a third copy
    // lock a fresh file beside a copy still running.
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SingleInstance::TryLock()
{
    if (m_lockPath.empty() || m_lockFd >= 0)
        return true;
    // Non-blocking so that a FIFO put in its place cannot hold the start up.
    const int fd = ::open(m_lockPath.c_str(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
    {
        RefuseLock(m_lockPath, errno == ELOOP ? "a symbolic link" : std::strerror(errno));
        return false;
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
    {
        ::close(fd);
        RefuseLock(m_lockPath, "not a regular file");
        return false;
    }
    // The kernel drops the lock when this process ends, however it ends, so
    // a copy that crashed leaves nothing to clean up.
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        if (errno == EINTR)
            continue;
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK)
            RefuseLock(m_lockPath, std::strerror(error));
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool SingleInstance::Listen(std::function<void()> onShowRequest)
{
    if (m_lockFd < 0 || m_acceptNotifier)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = m_socketPath.string();
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // Left over by a copy that died; with the lock held nobody else listens there.
    ::unlink(path.c_str());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, SOMAXCONN) != 0)
    {
        std::fprintf(stderr, "vestrel: cannot listen on %s (%s); later copies and vestrelctl"
                             " will not reach this one\n",
                     path.c_str(), std::strerror(errno));
        ::close(fd);
        return false;
    }
    m_listenFd = fd;
    m_onShowRequest = std::move(onShowRequest);
    m_acceptNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_acceptNotifier.get(), &QSocketNotifier::activated, m_acceptNotifier.get(),
                     [this] { Accept(); });
    return true;
}

void SingleInstance::SetCommandHandler(
    std::function<CommandAnswer(const std::vector<std::string>&)> onCommand)
{
    m_onCommand = std::move(onCommand);
}

void SingleInstance::Accept()
{
    for (;;)
    {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
        {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        const std::uint64_t id = m_nextConnection++;
        auto connection = std::make_unique<Connection>(fd);
        connection->reader = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(connection->reader.get(), &QSocketNotifier::activated,
                         connection->reader.get(), [this, id] { Answer(id); });
        m_connections.emplace(id, std::move(connection));
    }
}

void SingleInstance::Answer(std::uint64_t id)
{
    const auto found = m_connections.find(id);
    if (found == m_connections.end())
        return;
    Connection& connection = *found->second;
    bool ended = false;
    char buffer[4096];
    for (;;)
    {
        const ssize_t n = ::recv(connection.fd, buffer, sizeof buffer, 0);
        if (n > 0)
        {
            connection.received.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ended = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }

    if (!connection.received.empty() && connection.received.front() == kShowRequest)
    {
        // The later copy is answered first and the request handled afterwards:
        // showing the window may open a modal message whose nested loop
        // outlives the connection, which must not be touched after it.
        Reply(id, std::string(1, kShown));
        if (m_onShowRequest)
            QMetaObject::invokeMethod(
                m_acceptNotifier.get(), [this] { m_onShowRequest(); }, Qt::QueuedConnection);
        return;
    }
    std::vector<std::string> args;
    const Decoded decoded = DecodeCommandRequest(connection.received, args);
    if (decoded == Decoded::Bad || (decoded == Decoded::Complete && !m_onCommand))
    {
        Close(id);
        return;
    }
    if (decoded == Decoded::Complete)
    {
        connection.received.clear();
        // Run from the event loop, not inside the notifier's signal; the
        // sender may have hung up by the time the command is done, and then
        // there is no connection left to answer on.
        QMetaObject::invokeMethod(
            m_acceptNotifier.get(),
            [this, id, args = std::move(args)]
            { Reply(id, EncodeCommandAnswer(m_onCommand(args))); }, Qt::QueuedConnection);
    }
    if (ended)
        Close(id);
}

void SingleInstance::Reply(std::uint64_t id, std::string bytes)
{
    const auto found = m_connections.find(id);
    if (found == m_connections.end())
        return;
    Connection& connection = *found->second;
    connection.reader->setEnabled(false);
    connection.unsent = std::move(bytes);
    connection.sent = 0;
    SendRest(id);
}

void SingleInstance::SendRest(std::uint64_t id)
{
    const auto found = m_connections.find(id);
    if (found == m_connections.end())
        return;
    Connection& connection = *found->second;
    while (connection.sent < connection.unsent.size())
    {
        const ssize_t n = ::send(connection.fd, connection.unsent.data() + connection.sent,
                                 connection.unsent.size() - connection.sent, MSG_NOSIGNAL);
        if (n > 0)
        {
            connection.sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        {
            // A long answer goes out as the sender reads it.
            if (!connection.writer)
            {
                connection.writer =
                    std::make_unique<QSocketNotifier>(connection.fd, QSocketNotifier::Write);
                QObject::connect(connection.writer.get(), &QSocketNotifier::activated,
                                 connection.writer.get(), [this, id] { SendRest(id); });
            }
            return;
        }
        break; // the sender went away
    }
    Close(id);
}

void SingleInstance::Close(std::uint64_t id)
{
    m_connections.erase(id);
}

bool SingleInstance::AskFirstToShow(int timeoutMs) const
{
    if (m_socketPath.empty())
        return false;
    // Like SendMessage: wait until the first copy has handled it.
    return ExchangeWithProgram(m_socketPath, std::string_view(&kShowRequest, 1), timeoutMs,
                               [](std::string_view received)
                               { return received.front() == kShown ? Decoded::Complete
                                                                   : Decoded::Bad; });
}
