#include "Base/ServiceManager.h"

#include "Account/RefreshTokenRequest.h"
#include "Account/UserProfile.h"
#include "App/ModalUtilities.h"
#include "Base/JsonRequestWriter.h"
#include "Base/ServiceActivityPresenter.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceReply.h"
#include "Base/ServiceTransport.h"
#include "platform/AppInfo.h"
#include "platform/DebugLog.h"
#include "platform/HttpSession.h"
#include "platform/JsonText.h"
#include "platform/Localization.h"
#include "platform/MainQueue.h"
#include "platform/Reachability.h"

struct ServiceManager::Call {
    ServiceEndPoint endPoint;
    // The request as built, until its first send writes it out and lets it go. An import request
    // carries the whole design.
    boost::json::value body;
    // The written request. A repeat after a token renewal sends the same bytes (the token travels
    // in a header), so the tree is not kept for it.
    std::optional<QByteArray> bytes;
    ServiceCallOptions options;
    JsonCompletion completion;
    ServiceErrorHandler errorHandler;
    ServiceErrorHandler noConnectionHandler;

    std::string sentToken;   // the access token of the latest send
    bool repeated = false;   // the one repeat after a renewal has been used
    bool indicatorShown = false;
    bool hudShown = false;
};

namespace {

std::string currentAccessToken()
{
    const auto& access = UserProfile::shared().accessDto;
    return access ? access->accessToken : std::string();
}

bool endsSession(std::int64_t errorId)
{
    return errorId == 400 || errorId == 401 || errorId == 403 || errorId == ErrorModel::kSessionEnded;
}

ErrorModel genericError(const std::string& detail)
{
    ErrorModel e;
    e.errorId = ErrorModel::kNoValidReply;
    e.errorMsg = platform::localized("common.errorOccured").toStdString();
    e.errorInformativeText = detail;
    return e;
}

class HttpSessionTransport final : public ServiceTransport {
public:
    void postJson(const QUrl& url, const QByteArray& body, const platform::HttpHeaders& headers,
                  platform::HttpCompletion completion) override
    {
        platform::HttpSession::shared().postJson(url, body, headers, std::move(completion));
    }
    void get(const QUrl& url, qint64 maxBytes, platform::HttpCompletion completion) override
    {
        platform::HttpSession::shared().get(url, maxBytes, std::move(completion));
    }
};

std::optional<QByteArray> jsonBytes(const boost::json::value& body)
{
    const auto text = platform::jsonText(body);
    if (!text) return std::nullopt;
    return QByteArray::fromStdString(*text);
}

} // namespace

ServiceManager& ServiceManager::shared()
{
    static ServiceManager manager;
    return manager;
}

void ServiceManager::setTransport(ServiceTransport* transport)
{
    m_transport = transport;
}

ServiceTransport& ServiceManager::transport()
{
    static HttpSessionTransport http;
    return m_transport ? *m_transport : http;
}

QList<QPair<QByteArray, QByteArray>> ServiceManager::serviceHeaders(const std::string& accessToken)
{
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!accessToken.empty()) headers.append({QByteArrayLiteral("Authorization"), QByteArray::fromStdString(accessToken)});
    headers.append({QByteArrayLiteral("gmtOffset"), QByteArray::number(platform::secondsFromGMT())});
    headers.append({QByteArrayLiteral("appVersion"), platform::shortVersionString().toUtf8()});
    return headers;
}

void ServiceManager::callServiceJson(const ServiceEndPoint& endPoint, boost::json::object body,
                                     const ServiceCallOptions& options,
                                     JsonCompletion completion, ServiceErrorHandler errorHandler,
                                     ServiceErrorHandler noConnectionHandler)
{
    auto call = std::make_shared<Call>();
    call->endPoint = endPoint;
    if (!body.contains("lang")) body["lang"] = "en";
    if (!body.contains("version")) body["version"] = BaseRequestModel::defaultVersion();
    call->body = boost::json::value(std::move(body));
    call->options = options;
    call->completion = std::move(completion);
    call->errorHandler = std::move(errorHandler);
    call->noConnectionHandler = std::move(noConnectionHandler);

    if (!platform::Reachability::isReachable(endPoint.url())) {
        // The no-connection box shows even for silent calls: without it a silent upload would
        // stop with nothing on screen to say why.
        platform::dispatchMain([call] {
            const QString title = platform::localized("common.noInternetConn.title");
            const QString text = platform::localized("common.noInternetConn.description");
            ModalUtilities::showInfoDialog(title, text);
            if (call->noConnectionHandler) {
                ErrorModel e;
                e.errorId = ErrorModel::kNoConnection;
                e.errorMsg = title.toStdString();
                e.errorInformativeText = text.toStdString();
                call->noConnectionHandler(e);
            }
        });
        return;
    }

    auto& activity = ServiceActivityPresenter::current();
    if (options.hudRepresenter && options.hudType != HudType::none) {
        call->hudShown = activity.showHUD(options.hudRepresenter, options.hudType);
    } else if (options.showIndicatorView && !options.hudRepresenter) {
        activity.showIndicator(options.targetIndicatorView);
        call->indicatorShown = true;
    }
    send(call);
}

void ServiceManager::send(const std::shared_ptr<Call>& call)
{
    call->sentToken = currentAccessToken();
    if (!call->bytes) call->bytes = JsonRequestWriter::take(call->body);
    if (!call->bytes) {
        platform::dispatchMain([this, call] { fail(call, genericError("the request holds a number JSON cannot carry"), true); });
        return;
    }
    if (m_requestObserver) m_requestObserver(call->endPoint.path);
    transport().postJson(call->endPoint.url(), *call->bytes, serviceHeaders(call->sentToken),
                         [this, call](platform::HttpResult result) { handleReply(call, std::move(result)); });
}

void ServiceManager::handleReply(const std::shared_ptr<Call>& call, platform::HttpResult result)
{
    ServiceReply reply = ServiceReply::from(std::move(result));
    switch (reply.kind) {
    case ServiceReply::Kind::success:
        finish(call);
        if (call->completion) call->completion(std::move(reply.body));
        return;
    case ServiceReply::Kind::noValidReply:
        platform::debugPrint(QStringLiteral("Service call %1 failed: %2")
                                 .arg(call->endPoint.path, QString::fromStdString(reply.error.errorInformativeText)));
        fail(call, genericError(reply.error.errorInformativeText), true);
        return;
    case ServiceReply::Kind::error:
        break;
    }
    if (reply.error.errorId == ErrorModel::kRefreshToken && !call->sentToken.empty()) {
        retryAfterRefresh(call);
    } else if (endsSession(reply.error.errorId) && !call->sentToken.empty()) {
        finish(call);
        endSessionFor(call);
    } else {
        // A call made without a session (sign-in) has no session to end: its refusal is an
        // ordinary error that the screen shows.
        fail(call, reply.error, false);
    }
}

void ServiceManager::retryAfterRefresh(const std::shared_ptr<Call>& call)
{
    if (call->repeated) {
        // a second demand for renewal would loop forever; the session is over
        finish(call);
        endSessionFor(call);
        return;
    }
    call->repeated = true;
    const std::string current = currentAccessToken();
    if (!current.empty() && current != call->sentToken) {
        // renewed by another call meanwhile
        send(call);
        return;
    }
    refreshAccessToken([this, call](RefreshOutcome outcome) {
        switch (outcome) {
        case RefreshOutcome::renewed:
            send(call);
            return;
        case RefreshOutcome::rejected:
            finish(call);
            endSessionFor(call);
            return;
        case RefreshOutcome::failed:
            fail(call, genericError("the access token could not be renewed"), true);
            return;
        }
    });
}

void ServiceManager::fail(const std::shared_ptr<Call>& call, const ErrorModel& error, bool genericDialog)
{
    finish(call);
    if (!call->options.ignoreError) ModalUtilities::showErrorDialog(genericDialog ? std::nullopt : std::optional(error));
    if (call->errorHandler) call->errorHandler(error);
}

void ServiceManager::finish(const std::shared_ptr<Call>& call)
{
    auto& activity = ServiceActivityPresenter::current();
    if (call->indicatorShown) {
        call->indicatorShown = false;
        activity.hideIndicator();
    }
    if (call->hudShown) {
        call->hudShown = false;
        activity.hideHUD(call->options.hudRepresenter);
    }
}

void ServiceManager::endSessionFor(const std::shared_ptr<Call>& call)
{
    // Only the session the request was sent in may end: when many requests fail together, the
    // first ends it and the rest find it gone (or already replaced by a new sign-in).
    const std::string current = currentAccessToken();
    if (current.empty() || current != call->sentToken) {
        platform::debugPrint(QStringLiteral("Service call %1: its session has already ended").arg(call->endPoint.path));
        return;
    }
    UserProfile::shared().signOut();
}

void ServiceManager::refreshAccessToken(std::function<void(RefreshOutcome)> completion)
{
    m_refreshWaiters.push_back(std::move(completion));
    if (m_refreshing) return;
    m_refreshing = true;

    const auto& profile = UserProfile::shared();
    if (!profile.userInfo || !profile.accessDto || profile.accessDto->refreshToken.empty()) {
        platform::dispatchMain([this] { finishRefresh(RefreshOutcome::rejected); });
        return;
    }
    const ServiceEndPoint& endPoint = ServiceEndPoints::User::refreshToken;
    if (!platform::Reachability::isReachable(endPoint.url())) {
        platform::dispatchMain([this] { finishRefresh(RefreshOutcome::failed); });
        return;
    }
    RefreshTokenRequest request;
    request.refreshToken = profile.accessDto->refreshToken;
    const std::string sentRefreshToken = request.refreshToken;
    const auto bytes = jsonBytes(boost::json::value(jsonmap::toJsonObject(request)));
    transport().postJson(
        endPoint.url(), bytes.value_or(QByteArray()), serviceHeaders(profile.accessDto->accessToken),
        [this, sentRefreshToken](platform::HttpResult result) {
            const ServiceReply reply = ServiceReply::from(std::move(result));
            if (reply.kind == ServiceReply::Kind::noValidReply
                || (reply.kind == ServiceReply::Kind::error && reply.error.errorId >= 500 && reply.error.errorId <= 599)) {
                finishRefresh(RefreshOutcome::failed);
                return;
            }
            if (reply.kind == ServiceReply::Kind::error) {
                finishRefresh(RefreshOutcome::rejected);
                return;
            }
            const auto response = jsonmap::fromJson<RefreshTokenResponse>(reply.body);
            auto& current = UserProfile::shared();
            // a renewal for a session that ended (or was replaced) meanwhile is not applied
            const bool sameSession = current.accessDto && current.accessDto->refreshToken == sentRefreshToken;
            if (response.accessDto.accessToken.empty() || !sameSession) {
                finishRefresh(RefreshOutcome::rejected);
                return;
            }
            current.updateAccess(response.accessDto);
            finishRefresh(RefreshOutcome::renewed);
        });
}

void ServiceManager::finishRefresh(RefreshOutcome outcome)
{
    m_refreshing = false;
    auto waiters = std::move(m_refreshWaiters);
    m_refreshWaiters.clear();
    for (auto& waiter : waiters) {
        if (waiter) waiter(outcome);
    }
}

void ServiceManager::getData(const QUrl& url, std::function<void(std::optional<QByteArray> data, QString error)> completion)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        platform::dispatchMain([completion = std::move(completion), url] {
            if (completion) completion(std::nullopt, QStringLiteral("Unsupported URL: ") + url.toString(QUrl::RemoveUserInfo));
        });
        return;
    }
    transport().get(url, kMaxDataBytes, [completion = std::move(completion)](platform::HttpResult result) {
        if (!completion) return;
        if (result.transportError) {
            completion(std::nullopt, result.errorString);
        } else if (result.statusCode < 200 || result.statusCode > 299) {
            completion(std::nullopt, QStringLiteral("HTTP status %1").arg(result.statusCode));
        } else {
            completion(std::move(result.body), QString());
        }
    });
}
