// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QHash>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QLocalSocket;

/// One running instance per executable name and user.
///
/// The lock is a lock file in a folder only the user can reach ($XDG_RUNTIME_DIR, else a 0700
/// folder in the temporary folder); a crashed instance's lock is recognised by its dead process
/// and taken over. The first instance listens on a local socket beside it (user access only); a
/// later start connects, sends HandOverMessage and waits for the acknowledgement.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    /// Called for every well-formed message, whatever its value; the sender is acknowledged
    /// when it returns.
    using Handler = std::function<void(quint32 value, const QString &text)>;

    static constexpr int ConnectTimeoutMs = 5000;
    /// The running instance may be showing a modal prompt; it still handles the message.
    static constexpr int AckTimeoutMs = 120000;
    /// A peer that does not finish its message in this time is dropped.
    static constexpr int PeerTimeoutMs = 10000;
    /// Connections that have not delivered a whole message yet. A further one makes room by
    /// dropping the one that has waited longest, so a flood of idle or slow connections costs
    /// at most this many sockets and never shuts out the next real hand-over.
    static constexpr int MaxWaitingPeers = 32;

    /// \a key: the executable's file name, same case.
    explicit SingleInstance(const QString &key, QObject *parent = nullptr);
    ~SingleInstance() override;

    /// The file name of the running executable, as /proc/self/exe names it (else \a argv0's).
    static QString executableKey(const QString &argv0);
    /// $XDG_RUNTIME_DIR when it is a folder, else <temp>/dorvu-<uid> made 0700 and checked to
    /// be the user's own. Empty when no such folder can be had.
    static QString runtimeFolder();
    /// The socket of the instance for \a key; empty without a runtime folder.
    static QString socketPath(const QString &key);

    /// Runs before any window: returns true when this process is the first instance; otherwise
    /// hands the first argument of \a argv (empty when there is none) to the running instance,
    /// waiting for its acknowledgement, and returns false: the caller ends with exit code 0.
    /// Makes a QCoreApplication for the hand-over when none exists.
    bool CheckSingleInstance(int argc, char **argv);

    /// True when this process is the first instance (it holds the lock from now on, or no
    /// lock can be had at all and it runs alone). No event loop needed.
    bool tryLock();
    /// Starts accepting hand-overs; call once an application object exists.
    bool listen();
    /// Sends \a text with the value 2 to the running instance and waits for its
    /// acknowledgement. False when no instance answers. Needs an application object.
    bool SendToRunningInstance(const QString &text) const;
    /// Sends raw bytes and waits for the acknowledgement (tests).
    static bool sendRaw(const QString &socketPath, const QByteArray &bytes, int ackTimeoutMs);

    /// Messages that arrived before a handler was set are handled (from the event loop) once
    /// it is.
    void setHandler(Handler handler);
    /// How long a peer may take to deliver its message (PeerTimeoutMs unless set).
    void setPeerTimeout(int milliseconds) { m_peerTimeoutMs = milliseconds; }

private:
    struct Peer
    {
        QByteArray received;
        qint64 serial = 0; // order of arrival
        bool complete = false;
        bool handled = false;
        quint32 value = 0;
        QString text;
    };

    void acceptConnections();
    void makeRoomForPeer();
    void readPeer(QLocalSocket *socket);
    void handlePeer(QLocalSocket *socket);
    void dropPeer(QLocalSocket *socket);
    void handlePending();

    QString m_key;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
    Handler m_handler;
    int m_peerTimeoutMs = PeerTimeoutMs;
    QHash<QLocalSocket *, Peer> m_peers;
    qint64 m_nextSerial = 0;
};
