#pragma once

// A minimal HTTP/1.1 server on 127.0.0.1 for the client tests: records each request and lets a
// test answer it with any bytes, including broken or never-ending replies.

#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class LocalHttpServer {
public:
    struct Request {
        QByteArray path;
        QByteArray body;
        QByteArray head; // the request line and headers
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
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " Status\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body);
        socket->disconnectFromHost();
    }

private:
    void accept()
    {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            auto buffer = std::make_shared<QByteArray>();
            auto handled = std::make_shared<bool>(false);
            ++m_open;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                --m_open;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer, handled] {
                *buffer += socket->readAll();
                const qsizetype end = buffer->indexOf("\r\n\r\n");
                if (*handled || end < 0) return;
                qsizetype length = 0;
                for (const QByteArray& line : buffer->left(end).split('\n'))
                    if (line.toLower().startsWith("content-length:")) length = line.mid(15).trimmed().toLongLong();
                if (buffer->size() < end + 4 + length) return;
                *handled = true;
                Request r{buffer->left(end).split(' ').value(1), buffer->mid(end + 4, length), buffer->left(end)};
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
