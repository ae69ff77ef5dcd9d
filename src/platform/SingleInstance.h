#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace platform {

// Hands the file paths of a second start of the application to the instance already running.
// The first instance listens on a local socket; a later one connects, sends its paths and
// quits. Message: a 4-byte big-endian length, then a UTF-8 JSON array of path strings (at most
// kMaxMessageBytes). The primary answers one byte once it has taken the message. Malformed or
// oversized messages are dropped and their connection closed.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxMessageBytes = 64 * 1024;

    explicit SingleInstance(const QString& serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The name for this application and the current user, so two users never share a server.
    static QString defaultServerName(const QString& appKey = QStringLiteral("Quorvex"));

    // true: we now listen (a stale socket left by a crashed instance is removed first);
    // false: another live instance listens.
    bool tryBecomePrimary();
    // Sends `paths` to the primary and waits (blocking, up to timeoutMs) for its receipt.
    bool sendToPrimary(const QStringList& paths, int timeoutMs = 3000);

    QString serverName() const { return m_serverName; }
    bool isPrimary() const;

    // Encoding and decoding of one message body (without the length prefix); nullopt-like
    // failure is reported by `ok`.
    static QByteArray encodePaths(const QStringList& paths);
    static QStringList decodePaths(const QByteArray& body, bool* ok);

Q_SIGNALS:
    void pathsReceived(const QStringList& paths);
    // A later start handed over no paths at all (the user started the application again).
    void reopenRequested();

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket);

    QString m_serverName;
    QPointer<QLocalServer> m_server; // child of this object
};

} // namespace platform
