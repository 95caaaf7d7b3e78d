#pragma once
// One copy of the program per user: the first copy holds a lock named after
// the program's mutex name and listens on a local socket of the same name; a
// second copy finds the lock taken, asks the first one through the socket to
// show itself and waits until it has. vestrelctl sends its command lines over
// the same socket (platform/InstanceChannel.h) and gets their answer back.

#include "platform/InstanceChannel.h"

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

class SingleInstance
{
public:
    // The lock and the socket live in `folder` (the user's runtime folder when empty).
    explicit SingleInstance(const QString& name, const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock; false when another copy holds it, or when the lock
    // file cannot be used (told on stderr).
    bool TryLock();
    // First copy, holding the lock: starts listening; every request of a
    // later copy is answered at once and then calls `onShowRequest` on this
    // thread.
    bool Listen(std::function<void()> onShowRequest);
    // Command lines that come over the socket are carried out by `onCommand`
    // on this thread; its answer goes back to the sender.
    void SetCommandHandler(std::function<CommandAnswer(const std::vector<std::string>&)> onCommand);
    // Second copy: asks the first to show itself and waits for its answer;
    // false when no first copy answered.
    bool AskFirstToShow(int timeoutMs = 5000) const;

private:
    struct Connection;

    void Accept();
    void Answer(std::uint64_t id);
    // Sends `bytes` and then closes the connection.
    void Reply(std::uint64_t id, std::string bytes);
    void SendRest(std::uint64_t id);
    void Close(std::uint64_t id);

    std::filesystem::path m_lockPath;
    std::filesystem::path m_socketPath;
    int m_lockFd = -1;
    int m_listenFd = -1;
    std::unique_ptr<QSocketNotifier> m_acceptNotifier;
    std::map<std::uint64_t, std::unique_ptr<Connection>> m_connections;
    std::uint64_t m_nextConnection = 0;
    std::function<void()> m_onShowRequest;
    std::function<CommandAnswer(const std::vector<std::string>&)> m_onCommand;
};
