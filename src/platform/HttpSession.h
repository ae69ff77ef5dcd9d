#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <QPointer>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace platform {

struct HttpResult {
    bool transportError = false; // no HTTP reply at all (refused, time-out, redirect refused, ...)
    int statusCode = 0;
    QByteArray body;
    QString errorString;
};

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

// Told the result of one request, and given it to keep: a reply body can be tens of megabytes,
// and whoever reads it can let it go as soon as it is parsed.
using HttpCompletion = std::function<void(HttpResult result)>;

// HTTP client on QNetworkAccessManager: 150 s transfer time-out, 600 s overall time-out,
// redirects followed only to the same origin (scheme, host and port). Completions arrive on the
// main thread, never from inside the call. A reply with any HTTP status, 4xx and 5xx included,
// is not a transport error: statusCode and body carry it. Used from the main thread only.
class HttpSession {
public:
    static HttpSession& shared();

    // The largest reply body a POST may bring: far above any service reply (an import answers a
    // few hundred bytes, an artboard detail a few megabytes). A longer body, or one that never
    // ends, fails the call as a transport error instead of filling the memory.
    static constexpr qint64 kMaxReplyBytes = 128LL * 1024 * 1024;

    // POST with a JSON body; the reply is capped at maxReplyBytes (<= 0: no limit).
    void postJson(const QUrl& url, const QByteArray& jsonBody, const HttpHeaders& headers,
                  HttpCompletion completion, qint64 maxReplyBytes = kMaxReplyBytes);

    // GET without extra headers; a body larger than maxBytes fails with transportError
    // (maxBytes <= 0: no limit).
    void get(const QUrl& url, qint64 maxBytes, HttpCompletion completion);

    void setTimeouts(int transferTimeoutMs, int overallTimeoutMs); // for tests

    // Call before the application object goes. Ends what is still in flight without calling its
    // completion, and gives the network thread time to drop transfers that ended early: that
    // thread stops as soon as the manager is deleted, and an aborted transfer it had not yet
    // released would outlive it with its buffers. The session can be used again afterwards.
    void shutdown();

private:
    HttpSession();
    QNetworkAccessManager* manager();
    QNetworkRequest makeRequest(const QUrl& url) const;
    void track(QNetworkReply* reply, qint64 maxBytes, HttpCompletion completion);

    QPointer<QNetworkAccessManager> m_manager; // owned by the application object, made on first use
    bool m_transferEndedEarly = false; // since the manager was made
    bool m_shuttingDown = false;
    int m_transferTimeoutMs = 150000;
    int m_overallTimeoutMs = 600000;
};

} // namespace platform
