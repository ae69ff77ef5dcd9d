#include "platform/SingleInstance.h"

#include "platform/JsonText.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#include <unistd.h>

namespace platform {
namespace {

constexpr int kHeaderBytes = 4;
constexpr int kIdleConnectionMs = 5000;
constexpr char kReceipt = '\x06';

bool liveServerAnswers(const QString& name)
{
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool connected = probe.waitForConnected(1000);
    if (connected) probe.disconnectFromServer();
    return connected;
}

} // namespace

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent)
    , m_serverName(serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultServerName(const QString& appKey)
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    const QString identity = user + QLatin1Char('#') + QString::number(::getuid());
    // Hashed: user names may hold characters a socket name should not, and this keeps it short.
    const QByteArray digest = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return appKey + QLatin1Char('-') + QString::fromLatin1(digest);
}

bool SingleInstance::isPrimary() const
{
    return m_server && m_server->isListening();
}

bool SingleInstance::tryBecomePrimary()
{
    if (isPrimary()) return true;
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    }
    // Probe first: listening with access options renames a fresh socket over any existing one,
    // which would silently take the name from a live instance.
    if (liveServerAnswers(m_serverName)) return false;
    // Nobody answers: a socket file, if any, was left behind by an instance that did not shut down cleanly.
    QLocalServer::removeServer(m_serverName);
    return m_server->listen(m_serverName);
}

QByteArray SingleInstance::encodePaths(const QStringList& paths)
{
    boost::json::array a;
    for (const auto& p : paths) a.emplace_back(p.toStdString());
    const auto text = jsonText(a);
    return text ? QByteArray(text->data(), static_cast<qsizetype>(text->size())) : QByteArray();
}

QStringList SingleInstance::decodePaths(const QByteArray& body, bool* ok)
{
    if (ok) *ok = false;
    const auto v = parseJson(std::string_view(body.constData(), static_cast<std::size_t>(body.size())), nullptr, 4);
    if (!v || !v->is_array()) return {};
    QStringList paths;
    for (const auto& e : v->get_array()) {
        if (!e.is_string()) return {};
        const auto& s = e.get_string();
        paths.append(QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    }
    if (ok) *ok = true;
    return paths;
}

bool SingleInstance::sendToPrimary(const QStringList& paths, int timeoutMs)
{
    const QByteArray body = encodePaths(paths);
    if (body.isEmpty() || body.size() > kMaxMessageBytes) return false;
    QByteArray message(kHeaderBytes, Qt::Uninitialized);
    qToBigEndian(static_cast<quint32>(body.size()), message.data());
    message.append(body);

    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) return false;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    }
    const bool received = socket.read(1) == QByteArray(1, kReceipt);
    socket.disconnectFromServer();
    return received;
}

void SingleInstance::acceptConnections()
{
    while (m_server && m_server->hasPendingConnections()) {
        QLocalSocket* socket = m_server->nextPendingConnection(); // owned by the server until deleted
        if (!socket) break;
        // A client that connects and never finishes its message must not hold the socket forever.
        auto* idle = new QTimer(socket);
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, &QLocalSocket::abort);
        idle->start(kIdleConnectionMs);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        if (socket->bytesAvailable() > 0) readFrom(socket);
    }
}

void SingleInstance::readFrom(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < kHeaderBytes) return;
    char header[kHeaderBytes];
    socket->peek(header, kHeaderBytes);
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length == 0 || length > static_cast<quint32>(kMaxMessageBytes)) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + static_cast<qint64>(length)) return;
    socket->read(kHeaderBytes);
    const QByteArray body = socket->read(length);
    bool ok = false;
    const QStringList paths = decodePaths(body, &ok);
    if (!ok) {
        socket->abort();
        return;
    }
    socket->write(QByteArray(1, kReceipt));
    socket->flush();
    socket->disconnectFromServer();
    if (!paths.isEmpty()) Q_EMIT pathsReceived(paths);
    else Q_EMIT reopenRequested();
}

} // namespace platform
