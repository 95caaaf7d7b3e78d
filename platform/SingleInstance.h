#pragma once
// One copy of the program per user: the first copy holds a lock named after
// the program's mutex name and listens on a local socket of the same name; a
// second copy finds the lock taken, asks the first one through the socket to
// show itself and waits until it has. vestrelctl sends its command lines over
// the same socket (platform/InstanceChannel.h) and gets their answer back.

#include "platform/InstanceChannel.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;
class QLockFile;

class SingleInstance
{
public:
    // The lock and the socket live in `folder` (the user's runtime folder when empty).
    explicit SingleInstance(const QString& name, const QString& folder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock; false when another copy holds it.
    bool TryLock();
    // First copy: starts listening; every request of a later copy is answered
    // at once and then calls `onShowRequest` on this thread.
    bool Listen(std::function<void()> onShowRequest);
    // Command lines that come over the socket are carried out by `onCommand`
    // on this thread; its answer goes back to the sender.
    void SetCommandHandler(std::function<CommandAnswer(const std::vector<std::string>&)> onCommand);
    // Second copy: asks the first to show itself and waits for its answer;
    // false when no first copy answered.
    bool AskFirstToShow(int timeoutMs = 5000) const;

private:
    void Answer(QLocalSocket* socket);

    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_onShowRequest;
    std::function<CommandAnswer(const std::vector<std::string>&)> m_onCommand;
};
