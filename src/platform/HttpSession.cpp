#include "platform/HttpSession.h"

#include "platform/MainQueue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace platform {
namespace {

int defaultPort(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) return 443;
    if (scheme == QLatin1String("http")) return 80;
    return -1;
}

bool sameOrigin(const QUrl& a, const QUrl& b)
{
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && a.port(defaultPort(a)) == b.port(defaultPort(b));
}

// Errors of the connection itself (refused, closed mid-body, timed out, cancelled): whatever
// status line may have arrived, the body is not the service's whole answer.
bool isConnectionError(QNetworkReply::NetworkError e)
{
    return e != QNetworkReply::NoError && e < QNetworkReply::ProxyConnectionRefusedError;
}

} // namespace

HttpSession::HttpSession() = default;

HttpSession& HttpSession::shared()
{
    static HttpSession session;
    return session;
}

void HttpSession::setTimeouts(int transferTimeoutMs, int overallTimeoutMs)
{
    m_transferTimeoutMs = transferTimeoutMs;
    m_overallTimeoutMs = overallTimeoutMs;
}

QNetworkAccessManager* HttpSession::manager()
{
    if (!m_manager) {
        // Parented to the application so it goes before the network stack does at exit.
        m_manager = new QNetworkAccessManager(QCoreApplication::instance());
        m_manager->setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    }
    return m_manager;
}

QNetworkRequest HttpSession::makeRequest(const QUrl& url) const
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_transferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    return request;
}

void HttpSession::postJson(const QUrl& url, const QByteArray& jsonBody, const HttpHeaders& headers,
                           HttpCompletion completion, qint64 maxReplyBytes)
{
    QNetworkRequest request = makeRequest(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    for (const auto& h : headers) request.setRawHeader(h.first, h.second);
    track(manager()->post(request, jsonBody), maxReplyBytes, std::move(completion));
}

void HttpSession::get(const QUrl& url, qint64 maxBytes, HttpCompletion completion)
{
    track(manager()->get(makeRequest(url)), maxBytes, std::move(completion));
}

void HttpSession::track(QNetworkReply* reply, qint64 maxBytes, HttpCompletion completion)
{
    enum class Failure { None, RedirectRefused, TooLarge, TimedOut };
    struct State {
        Failure failure = Failure::None;
        bool delivered = false;
        QUrl currentUrl;
        QUrl redirectTarget;
    };
    auto state = std::make_shared<State>();
    state->currentUrl = reply->url();

    auto fail = [this, reply, state](Failure f) {
        if (state->failure == Failure::None) state->failure = f;
        m_transferEndedEarly = true;
        reply->abort();
    };

    auto* overall = new QTimer(reply);
    overall->setSingleShot(true);
    QObject::connect(overall, &QTimer::timeout, reply, [fail] { fail(Failure::TimedOut); });
    overall->start(m_overallTimeoutMs);

    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, state, fail](const QUrl& target) {
        // The reply already shows the target as its URL here; compare with where we were.
        const QUrl resolved = state->currentUrl.resolved(target);
        state->redirectTarget = resolved;
        if (sameOrigin(state->currentUrl, resolved)) {
            state->currentUrl = resolved;
            Q_EMIT reply->redirectAllowed();
        } else {
            fail(Failure::RedirectRefused);
        }
    });

    if (maxBytes > 0) {
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, maxBytes, fail] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > maxBytes) fail(Failure::TooLarge);
        });
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [maxBytes, fail](qint64 received, qint64) {
            if (received > maxBytes) fail(Failure::TooLarge);
        });
    }

    auto finish = [this, reply, overall, state, maxBytes, completion = std::move(completion)] {
        if (state->delivered) return;
        state->delivered = true;
        if (m_shuttingDown) {
            reply->deleteLater();
            return;
        }
        overall->stop();
        HttpResult result;
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        switch (state->failure) {
        case Failure::RedirectRefused:
            result.transportError = true;
            result.errorString = QStringLiteral("Redirect to another origin refused: ") +
                                 state->redirectTarget.toString(QUrl::RemoveUserInfo);
            break;
        case Failure::TooLarge:
            result.transportError = true;
            result.errorString = QStringLiteral("Response larger than %1 bytes").arg(maxBytes);
            break;
        case Failure::TimedOut:
            result.transportError = true;
            result.errorString = QStringLiteral("Request timed out");
            break;
        case Failure::None:
            if (isConnectionError(reply->error()) || !status.isValid()) {
                result.transportError = true;
                result.errorString = reply->errorString();
                break;
            }
            result.statusCode = status.toInt();
            result.body = reply->readAll();
            if (maxBytes > 0 && result.body.size() > maxBytes) {
                result = HttpResult{};
                result.transportError = true;
                result.errorString = QStringLiteral("Response larger than %1 bytes").arg(maxBytes);
            }
            break;
        }
        // No reply->disconnect() here: an abort signals the network thread through the reply's own
        // connections after finished(), and cutting them would leave the aborted socket open.
        reply->deleteLater();
        // The body travels on by move: no handle to it stays here while the completion reads it.
        dispatchMain([completion, result = std::move(result)]() mutable {
            if (completion) completion(std::move(result));
        });
    };
    QObject::connect(reply, &QNetworkReply::finished, reply, finish);
    // Some failures (a malformed URL, an unknown scheme) may have finished the reply already.
    if (reply->isFinished()) dispatchMain([reply = QPointer<QNetworkReply>(reply), finish] {
        if (reply) finish();
    });
}

void HttpSession::shutdown()
{
    if (!m_manager) return;
    m_shuttingDown = true;
    const auto live = m_manager->findChildren<QNetworkReply*>(Qt::FindDirectChildrenOnly);
    for (QNetworkReply* reply : live) {
        if (!reply->isFinished()) {
            m_transferEndedEarly = true;
            reply->abort();
        }
    }
    // The network thread learns of an abort or a deleted reply through queued calls; quitting it
    // first would strand what it has not processed yet. It offers no way to wait for that, so
    // wait a moment, and only when a transfer did not run to its end.
    constexpr int kGraceMs = 250;
    QElapsedTimer elapsed;
    elapsed.start();
    runMainLoopUntil(
        [&] {
            return m_manager->findChildren<QNetworkReply*>(Qt::FindDirectChildrenOnly).isEmpty() &&
                   (!m_transferEndedEarly || elapsed.elapsed() >= kGraceMs);
        },
        2000);
    delete m_manager;
    m_transferEndedEarly = false;
    m_shuttingDown = false;
}

} // namespace platform
