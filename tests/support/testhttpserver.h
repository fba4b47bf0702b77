#pragma once

// A small HTTP server on 127.0.0.1 for network tests: each path answers as
// the test says (a status, headers, a body with or without its length, a
// delay, a connection cut half-way or a server that stops sending), and
// every request is recorded with its headers.
// It runs on the test's own event loop, so tests wait with QTest::qWaitFor.
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

class TestHttpServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        int delayMs = 0;             // before the answer starts
        qint64 cutAfter = -1;        // body bytes sent before the connection closes
        bool stall = false;          // after the headers (and cutAfter bytes), send nothing more and keep the line open
        qint64 declaredLength = -1;  // Content-Length to announce; the body's size when negative
        bool announceLength = true;  // without it the body ends when the connection closes
        QList<QByteArray> headers{}; // more header lines ("Location: /ailleurs")
    };
    struct Request
    {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // names in lower case
    };

    TestHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }
    ~TestHttpServer() { stop(); }

    bool isListening() const { return m_server.isListening(); }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }

    // Paths without an answer get 404.
    void answer(const QString &path, const Answer &answer) { m_answers[path.toUtf8()] = answer; }
    void answer(const QString &path, int status, const QByteArray &body) { answer(path, Answer{status, body}); }

    const QList<Request> &requests() const { return m_requests; }
    int requestsFor(const QString &path) const
    {
        int count = 0;
        for (const Request &request : m_requests)
            count += request.path == path.toUtf8() ? 1 : 0;
        return count;
    }

    // Stops listening and drops every open connection.
    void stop()
    {
        m_server.close();
        for (const QPointer<QTcpSocket> &socket : m_sockets) {
            if (socket)
                socket->abort();
        }
        m_sockets.clear();
    }

    // An address where nothing listens: a port just released.
    static QString deadAddress()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return QStringLiteral("http://127.0.0.1:%1").arg(port);
    }

private:
    void serve(QTcpSocket *socket)
    {
        socket->setParent(&m_server);
        m_sockets.append(socket);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            if (buffer->contains("\r\n\r\n"))
                return; // one request per connection
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> lines = buffer->first(end).split('\n');
            Request request;
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.method = first.value(0);
            request.path = first.value(1);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    request.headers[lines[i].first(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
            }
            m_requests.append(request);
            const Answer answer = m_answers.value(request.path, Answer{404, "<html><body>Not found</body></html>"});
            QTimer::singleShot(answer.delayMs, socket, [socket, answer] { respond(socket, answer); });
        });
    }

    static void respond(QTcpSocket *socket, const Answer &answer)
    {
        const qint64 length = answer.declaredLength >= 0 ? answer.declaredLength : answer.body.size();
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\n";
        head += "Content-Type: text/plain\r\n";
        for (const QByteArray &header : answer.headers)
            head += header + "\r\n";
        if (answer.announceLength)
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        const qint64 whole = answer.body.size();
        const qint64 sent = answer.cutAfter >= 0 ? qMin(answer.cutAfter, whole) : whole;
        socket->write(answer.body.first(sent));
        // Cut or complete, the connection then closes; a stalled one stays open.
        if (!answer.stall)
            socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, Answer> m_answers;
    QList<Request> m_requests;
    QList<QPointer<QTcpSocket>> m_sockets;
};
