#pragma once

// A minimal HTTP/1.1 server on 127.0.0.1 for the client tests: records each request and lets a
// test answer it with any bytes, including broken or never-ending replies.

#include <QHostAddress>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class LocalHttpServer {
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;

        QByteArray header(const QByteArray& name) const
        {
            for (const auto& h : headers) {
                if (h.first.compare(name, Qt::CaseInsensitive) == 0) return h.second;
            }
            return {};
        }
    };
    // Writes the whole reply (or none) to the socket.
    using Handler = std::function<void(const Request&, QTcpSocket*)>;

    LocalHttpServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    }

    quint16 port() const { return m_server.serverPort(); }
    QUrl url(const QString& path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path)); }
    void on(const QByteArray& path, Handler handler) { m_handlers[path] = std::move(handler); }
    // Answers `path` with a whole reply.
    void reply(const QByteArray& path, int status, const QByteArray& body, const QByteArray& extraHeaders = {})
    {
        on(path, [=](const Request&, QTcpSocket* s) { respond(s, status, body, extraHeaders); });
    }
    const std::vector<Request>& requests() const { return m_requests; }
    int openConnections() const { return m_open; }

    static void respond(QTcpSocket* socket, int status, const QByteArray& body, const QByteArray& extraHeaders = {})
    {
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n";
        reply += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        reply += "Connection: close\r\n" + extraHeaders + "\r\n" + body;
        socket->write(reply);
        socket->disconnectFromHost();
    }

private:
    struct Connection {
        QByteArray buffer;
        bool handled = false;
    };

    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto connection = std::make_shared<Connection>();
            ++m_open;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                --m_open;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, connection] {
                connection->buffer += socket->readAll();
                if (connection->handled) return;
                const qsizetype end = connection->buffer.indexOf("\r\n\r\n");
                if (end < 0) return;
                Request r;
                const QList<QByteArray> lines = connection->buffer.left(end).split('\n');
                const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
                r.method = first.value(0);
                r.path = first.value(1);
                for (qsizetype i = 1; i < lines.size(); ++i) {
                    const qsizetype colon = lines[i].indexOf(':');
                    if (colon >= 0) r.headers.append({lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
                }
                const qsizetype length = r.header("Content-Length").toLongLong();
                if (connection->buffer.size() < end + 4 + length) return;
                r.body = connection->buffer.mid(end + 4, length);
                connection->handled = true;
                m_requests.push_back(r);
                const auto it = m_handlers.find(r.path);
                if (it != m_handlers.end()) it.value()(r, socket);
                else respond(socket, 404, "no handler");
            });
        }
    }

    QTcpServer m_server;
    QMap<QByteArray, Handler> m_handlers;
    std::vector<Request> m_requests;
    int m_open = 0;
};
