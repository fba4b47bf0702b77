#pragma once

// A slow stretch of network between a client and a real server on
// 127.0.0.1: what the client sends reaches the server at a steady, slow pace
// (the answers come back at once), so that a test can act in the middle of
// an upload. When the client's connection drops, the server's drops at once
// too, with whatever was not passed yet lost, as on a real network.
// It runs on the test's event loop: tests wait with QTest::qWaitFor.
#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

class SlowRelay
{
public:
    SlowRelay(quint16 serverPort, qint64 bytesPerTick, int tickMs)
        : m_serverPort(serverPort)
        , m_bytesPerTick(bytesPerTick)
    {
        m_listener.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_listener, &QTcpServer::newConnection, &m_listener, [this] {
            while (QTcpSocket *client = m_listener.nextPendingConnection())
                relay(client);
        });
        m_tick.setInterval(tickMs);
        QObject::connect(&m_tick, &QTimer::timeout, &m_listener, [this] { passSome(); });
        m_tick.start();
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_listener.serverPort()); }

    // Body bytes of the latest PUT request passed to the server so far (an
    // upload sent again once the server asked for the volunteer's name
    // counts from its new start).
    qint64 uploadedBodyBytes() const
    {
        const auto link = m_lastPut.lock();
        if (!link)
            return 0;
        const qsizetype body = link->passed.indexOf("\r\n\r\n", m_lastPutAt);
        return body < 0 ? 0 : link->passed.size() - (body + 4);
    }

private:
    struct Link
    {
        QPointer<QTcpSocket> client;
        QPointer<QTcpSocket> server;
        QByteArray waiting; // from the client, not passed yet
        QByteArray passed;  // from the client, passed to the server
    };

    void relay(QTcpSocket *client)
    {
        auto link = std::make_shared<Link>();
        link->client = client;
        link->server = new QTcpSocket(client);
        m_links.append(link);
        QTcpSocket *server = link->server;
        QObject::connect(client, &QTcpSocket::readyRead, client, [link] { link->waiting += link->client->readAll(); });
        QObject::connect(server, &QTcpSocket::readyRead, client,
                         [link] { link->client->write(link->server->readAll()); });
        QObject::connect(client, &QTcpSocket::disconnected, server, [link] {
            link->waiting.clear();
            link->server->abort();
        });
        QObject::connect(server, &QTcpSocket::disconnected, client, [link] { link->client->disconnectFromHost(); });
        server->connectToHost(QHostAddress::LocalHost, m_serverPort);
    }

    void passSome()
    {
        for (const auto &link : m_links) {
            if (!link->server || link->server->state() != QAbstractSocket::ConnectedState || link->waiting.isEmpty())
                continue;
            const QByteArray some = link->waiting.first(qMin(m_bytesPerTick, link->waiting.size()));
            link->waiting.remove(0, some.size());
            link->server->write(some);
            // A request line cut between two passes is found once whole.
            const qsizetype from = qMax<qsizetype>(0, link->passed.size() - 4);
            link->passed += some;
            const qsizetype put = link->passed.lastIndexOf("PUT /");
            if (put >= from) {
                m_lastPut = link;
                m_lastPutAt = put;
            }
        }
    }

    quint16 m_serverPort;
    qint64 m_bytesPerTick;
    QTcpServer m_listener;
    QTimer m_tick;
    QList<std::shared_ptr<Link>> m_links;
    std::weak_ptr<Link> m_lastPut;
    qsizetype m_lastPutAt = 0;
};
