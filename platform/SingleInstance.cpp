#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMetaObject>
#include <QPointer>
#include <cstdio>
#include <unistd.h>

namespace
{

constexpr char kReceivedProperty[] = "vestrelReceived";

QString RuntimeFolder()
{
    return QString::fromStdString(PrivateRuntimeFolder().string());
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
{
    const QString base = folder.isEmpty() ? RuntimeFolder() : folder;
    if (base.isEmpty())
    {
        std::fprintf(stderr,
                     "vestrel: no private runtime folder (XDG_RUNTIME_DIR, /tmp/vestrel-%lu);"
                     " running without the one-copy check\n",
                     static_cast<unsigned long>(::getuid()));
        return;
    }
    const std::string folderName = base.toStdString();
    const std::string plainName = name.toStdString();
    m_serverName = QString::fromStdString(InstanceSocketPath(folderName, plainName).string());
    m_lock = std::make_unique<QLockFile>(
        QString::fromStdString(InstanceLockPath(folderName, plainName).string()));
    m_lock->setStaleLockTime(0); // held for the whole run; a dead holder frees it
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::TryLock()
{
    return !m_lock || m_lock->tryLock(0);
}

bool SingleInstance::Listen(std::function<void()> onShowRequest)
{
    if (m_serverName.isEmpty())
        return false;
    m_onShowRequest = std::move(onShowRequest);
    m_server = std::make_unique<QLocalServer>();
    QLocalServer::removeServer(m_serverName); // left over by a copy that crashed
    if (!m_server->listen(m_serverName))
        return false;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [this]
                     {
                         while (QLocalSocket* socket = m_server->nextPendingConnection())
                         {
                             QObject::connect(socket, &QLocalSocket::disconnected, socket,
                                              &QObject::deleteLater);
                             QObject::connect(socket, &QLocalSocket::readyRead, socket,
                                              [this, socket] { Answer(socket); });
                         }
                     });
    return true;
}

void SingleInstance::SetCommandHandler(
    std::function<CommandAnswer(const std::vector<std::string>&)> onCommand)
{
    m_onCommand = std::move(onCommand);
}

void SingleInstance::Answer(QLocalSocket* socket)
{
    const QByteArray received =
        socket->property(kReceivedProperty).toByteArray() + socket->readAll();
    if (!received.startsWith(kShowRequest))
    {
        std::vector<std::string> args;
        const Decoded decoded = DecodeCommandRequest(
            std::string_view(received.constData(), static_cast<std::size_t>(received.size())),
            args);
        if (decoded == Decoded::Incomplete)
            socket->setProperty(kReceivedProperty, received);
        else if (decoded == Decoded::Bad || !m_onCommand)
            socket->disconnectFromServer();
        else
        {
            socket->setProperty(kReceivedProperty, QByteArray());
            // Run from the event loop, not inside the socket's signal; the
            // sender may have hung up by the time the command is done.
            QPointer<QLocalSocket> guard(socket);
            QMetaObject::invokeMethod(
                m_server.get(),
                [this, guard, args]
                {
                    const std::string answer = EncodeCommandAnswer(m_onCommand(args));
                    if (!guard)
                        return;
                    guard->write(answer.data(), static_cast<qint64>(answer.size()));
                    guard->flush();
                    guard->disconnectFromServer();
                },
                Qt::QueuedConnection);
        }
        return;
    }
    // The later copy is answered first and the request handled afterwards:
    // showing the window may open a modal message whose nested loop outlives
    // the connection, which must not be touched after it.
    socket->write(&kShown, 1);
    socket->flush();
    socket->disconnectFromServer();
    if (m_onShowRequest)
        QMetaObject::invokeMethod(
            m_server.get(), [this] { m_onShowRequest(); }, Qt::QueuedConnection);
}

bool SingleInstance::AskFirstToShow(int timeoutMs) const
{
    if (m_serverName.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(&kShowRequest, 1);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Like SendMessage: wait until the first copy has handled it.
    return socket.waitForReadyRead(timeoutMs) && socket.read(1).startsWith(kShown);
}
