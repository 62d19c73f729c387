// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

/// A small HTTP/1.0 server on 127.0.0.1 for engine tests. Routes map a path to a body;
/// every request path is logged, so a test can tell what an engine asked for.
class TestHttpServer : public QObject
{
    Q_OBJECT

public:
    explicit TestHttpServer(QObject *parent = nullptr);

    /// Listens on a free port of 127.0.0.1; false when no port could be had.
    bool start();
    quint16 port() const;
    /// http://127.0.0.1:<port><path>
    QUrl url(const QString &path) const;

    /// \a headers: further header lines, each ending in CR LF.
    void route(const QString &path, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8",
               const QByteArray &headers = {});
    /// Answers \a path with a redirect to \a target.
    void redirect(const QString &path, const QString &target);
    /// Holds the answer to \a path until release(); lets a test see a page while it is loading.
    void hold(const QString &path);
    /// Sends the head and the first half of the body of \a path, and the rest at release().
    void stall(const QString &path);
    void release();

    QStringList requests() const { return m_requests; }
    /// The request targets as sent: path and query, still percent-encoded.
    QList<QByteArray> targets() const { return m_targets; }
    bool wasRequested(const QString &path) const;
    void clearRequests();

Q_SIGNALS:
    void requested(const QString &path);

private:
    struct Route
    {
        QByteArray body;
        QByteArray contentType;
        QString redirect;
        QByteArray headers;
    };
    void serve(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &path);

    QTcpServer m_server;
    QHash<QString, Route> m_routes;
    QStringList m_requests;
    QList<QByteArray> m_targets;
    QString m_held;
    QString m_stalled;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> m_stalledRest;
    // A held request whose client gave up is gone by release().
    QList<QPair<QPointer<QTcpSocket>, QString>> m_waiting;
};
