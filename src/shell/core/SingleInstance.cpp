// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/SingleInstance.h"

#include "shell/HandOverMessage.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Room left in sockaddr_un.sun_path (108 bytes on Linux), with a margin.
constexpr int MaxSocketPathBytes = 100;

bool isPrivateFolder(const QString &folder)
{
    struct stat st;
    const QByteArray native = QFile::encodeName(folder);
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid())
        return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(native.constData(), 0700) != 0)
        return false;
    return true;
}
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
    , m_socketPath(socketPath(key))
{
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance()
{
    m_server.close();
    if (m_lock)
        m_lock->unlock();
}

QString SingleInstance::executableKey(const QString &argv0)
{
    const QString target = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    const QString name = QFileInfo(target.isEmpty() ? argv0 : target).fileName();
    return name.isEmpty() ? QStringLiteral("dorvu") : name;
}

QString SingleInstance::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QDir::isAbsolutePath(runtime))
        return QDir::cleanPath(runtime);
    const QString own = QDir::tempPath() + QStringLiteral("/dorvu-") + QString::number(::getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own) ? own : QString();
}

QString SingleInstance::socketPath(const QString &key)
{
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return QString();
    const QString name = key + QLatin1Char('-') + QString::number(::getuid());
    QString path = folder + QLatin1Char('/') + name;
    if (QFile::encodeName(path).size() + 5 > MaxSocketPathBytes) {
        const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1);
        path = folder + QStringLiteral("/dorvu-") + QString::fromLatin1(hash.toHex().left(16));
    }
    return path;
}

bool SingleInstance::CheckSingleInstance(int argc, char **argv)
{
    if (tryLock())
        return true;
    const QString text = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (QCoreApplication::instance()) {
        SendToRunningInstance(text);
        return false;
    }
    int appArgc = 1;
    QCoreApplication app(appArgc, argv);
    SendToRunningInstance(text);
    return false;
}

bool SingleInstance::tryLock()
{
    if (m_socketPath.isEmpty())
        return true; // no private folder: nothing can guard the instance, run alone
    m_lock = std::make_unique<QLockFile>(m_socketPath + QStringLiteral(".lock"));
    // A live instance keeps its lock however long it runs; only a dead owner makes it stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError)
        return false;
    m_lock.reset(); // the folder refuses lock files: run alone
    return true;
}

bool SingleInstance::listen()
{
    if (m_socketPath.isEmpty() || !m_lock || !m_lock->isLocked())
        return false;
    // Whatever lies at the path was left by an instance that no longer holds the lock.
    QLocalServer::removeServer(m_socketPath);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    return m_server.listen(m_socketPath);
}

bool SingleInstance::SendToRunningInstance(const QString &text) const
{
    if (m_socketPath.isEmpty())
        return false;
    return sendRaw(m_socketPath, HandOverMessage::encode(HandOverMessage::OpenValue, text),
                   AckTimeoutMs);
}

bool SingleInstance::sendRaw(const QString &socketPath, const QByteArray &bytes, int ackTimeoutMs)
{
    if (bytes.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(ConnectTimeoutMs))
        return false;
    socket.write(bytes);
    // A long message leaves the socket in several writes; each must be waited for.
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(ConnectTimeoutMs))
            return false;
    }
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(ackTimeoutMs))
            return false;
    }
    return socket.read(1) == QByteArray(1, HandOverMessage::Ack);
}

void SingleInstance::setHandler(Handler handler)
{
    m_handler = std::move(handler);
    if (m_handler)
        QTimer::singleShot(0, this, &SingleInstance::handlePending);
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        makeRoomForPeer();
        Peer peer;
        peer.serial = m_nextSerial++;
        m_peers.insert(socket, peer);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readPeer(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { dropPeer(socket); });
        auto *timeout = new QTimer(socket);
        timeout->setObjectName(QStringLiteral("peerTimeout"));
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, this, [this, socket] { dropPeer(socket); });
        timeout->start(m_peerTimeoutMs);
        readPeer(socket);
    }
}

void SingleInstance::makeRoomForPeer()
{
    int waiting = 0;
    QLocalSocket *oldest = nullptr;
    qint64 oldestSerial = 0;
    for (auto it = m_peers.cbegin(); it != m_peers.cend(); ++it) {
        if (it->complete)
            continue;
        ++waiting;
        if (!oldest || it->serial < oldestSerial) {
            oldest = it.key();
            oldestSerial = it->serial;
        }
    }
    if (waiting >= MaxWaitingPeers && oldest)
        dropPeer(oldest);
}

void SingleInstance::readPeer(QLocalSocket *socket)
{
    auto it = m_peers.find(socket);
    if (it == m_peers.end() || it->complete)
        return;
    it->received.append(socket->readAll());
    const HandOverMessage::Parsed parsed = HandOverMessage::decode(it->received);
    if (parsed.status == HandOverMessage::Status::Malformed) {
        dropPeer(socket);
        return;
    }
    if (parsed.status == HandOverMessage::Status::Incomplete)
        return;
    it->complete = true;
    it->value = parsed.value;
    it->text = parsed.text;
    it->received.clear();
    if (auto *timeout = socket->findChild<QTimer *>(QStringLiteral("peerTimeout")))
        timeout->stop(); // the handler may run a modal prompt for longer
    if (m_handler)
        handlePeer(socket);
}

void SingleInstance::handlePeer(QLocalSocket *socket)
{
    const auto it = m_peers.find(socket);
    if (it == m_peers.end() || !it->complete || it->handled)
        return;
    // Marked first: the handler may run a nested event loop that reads again.
    it->handled = true;
    const quint32 value = it->value;
    const QString text = it->text;
    QPointer<QLocalSocket> guard(socket);
    m_handler(value, text);
    if (!guard || !m_peers.contains(socket))
        return; // the sender gave up meanwhile
    socket->write(QByteArray(1, HandOverMessage::Ack));
    // Closes once the acknowledgement is written; the peer is dropped on disconnected().
    socket->disconnectFromServer();
}

void SingleInstance::handlePending()
{
    if (!m_handler)
        return;
    const QList<QLocalSocket *> sockets = m_peers.keys();
    for (QLocalSocket *socket : sockets)
        handlePeer(socket);
}

void SingleInstance::dropPeer(QLocalSocket *socket)
{
    if (m_peers.remove(socket) == 0)
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
