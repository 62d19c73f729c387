// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TestHttpServer.h"

#include <QPointer>
#include <QTcpSocket>

TestHttpServer::TestHttpServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

bool TestHttpServer::start()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

quint16 TestHttpServer::port() const
{
    return m_server.serverPort();
}

QUrl TestHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void TestHttpServer::route(const QString &path, const QByteArray &body,
                           const QByteArray &contentType, const QByteArray &headers)
{
    m_routes.insert(path, Route{body, contentType, QString(), headers});
}

void TestHttpServer::redirect(const QString &path, const QString &target)
{
    m_routes.insert(path, Route{QByteArray(), QByteArray(), target, QByteArray()});
}

void TestHttpServer::hold(const QString &path)
{
    m_held = path;
}

void TestHttpServer::stall(const QString &path)
{
    m_stalled = path;
}

void TestHttpServer::release()
{
    m_held.clear();
    m_stalled.clear();
    const auto stalled = m_stalledRest;
    m_stalledRest.clear();
    for (const auto &s : stalled) {
        if (s.first) {
            s.first->write(s.second);
            s.first->disconnectFromHost();
        }
    }
    const auto waiting = m_waiting;
    m_waiting.clear();
    for (const auto &w : waiting)
        if (w.first)
            answer(w.first, w.second);
}

bool TestHttpServer::wasRequested(const QString &path) const
{
    return m_requests.contains(path);
}

void TestHttpServer::clearRequests()
{
    m_requests.clear();
    m_targets.clear();
}

void TestHttpServer::serve(QTcpSocket *socket)
{
    // The request line is enough: the tests send no bodies worth reading.
    if (!socket->canReadLine())
        return;
    const QByteArray line = socket->readLine();
    socket->readAll();
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() < 2) {
        socket->disconnectFromHost();
        return;
    }
    const QString path = QUrl(QString::fromLatin1(parts.at(1))).path();
    m_targets.append(parts.at(1));
    m_requests.append(path);
    Q_EMIT requested(path);
    if (!m_held.isEmpty() && path == m_held) {
        m_waiting.append({socket, path});
        return;
    }
    answer(socket, path);
}

void TestHttpServer::answer(QTcpSocket *socket, const QString &path)
{
    QByteArray reply;
    const auto it = m_routes.constFind(path);
    if (it == m_routes.constEnd()) {
        const QByteArray body =
            "<html><head><title>404</title></head><body>not found</body></html>";
        reply = "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    } else if (!it->redirect.isEmpty()) {
        reply = "HTTP/1.0 302 Found\r\nLocation: " + it->redirect.toUtf8() +
                "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    } else {
        reply =
            "HTTP/1.0 200 OK\r\nContent-Type: " + it->contentType + "\r\n" + it->headers +
            "Cache-Control: no-store\r\nContent-Length: " + QByteArray::number(it->body.size()) +
            "\r\nConnection: close\r\n\r\n" + it->body;
        if (path == m_stalled) {
            const qsizetype rest = it->body.size() - it->body.size() / 2;
            socket->write(reply.left(reply.size() - rest));
            m_stalledRest.append({socket, reply.right(rest)});
            return;
        }
    }
    socket->write(reply);
    socket->disconnectFromHost();
}
