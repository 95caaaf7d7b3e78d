#include "platform/SingleInstance.h"

#include "platform/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QMetaObject>
#include <cstdio>
#include <unistd.h>

namespace
{

constexpr char kShowRequest = 'S';
constexpr char kShown = 'K';

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
    // The name has spaces; a hash keeps the file and socket names plain.
    const QString id = QString::fromLatin1(
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    m_serverName = QDir(base).filePath(QStringLiteral("vestrel-%1.sock").arg(id));
    m_lock =
        std::make_unique<QLockFile>(QDir(base).filePath(QStringLiteral("vestrel-%1.lock").arg(id)));
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

void SingleInstance::Answer(QLocalSocket* socket)
{
    if (!socket->readAll().contains(kShowRequest))
        return;
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
