#pragma once

#include "Base/BaseModel.h"
#include "Base/HUDRepresentable.h"
#include "Base/ScreenHandle.h"
#include "Base/ServiceEndPoint.h"

#include <boost/json.hpp>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {
struct HttpResult;
}
class ServiceTransport;

// How a call shows itself. The screens are handles that the UI layer's activity presenter
// (ServiceActivityPresenter) resolves; `options.targetIndicatorView = this;` works from any screen.
struct ServiceCallOptions {
    // Marks a call made without the user asking (uploads, background loads). It does not silence
    // the no-connection box: without it such a call would stop with nothing on screen to say why.
    bool silentNoInternetConnection = false;
    bool showIndicatorView = false;
    ScreenHandle targetIndicatorView; // the view to cover with the loading indicator (empty: the key window)
    HudType hudType = HudType::none;
    ScreenHandle hudRepresenter;      // a screen that shows its own HUD; it replaces the indicator
    bool ignoreError = false;         // no error dialog; the error handler still runs
};

using ServiceErrorHandler = std::function<void(const ErrorModel&)>;

// The single entry to the service: posts a request model as JSON with the service headers,
// maps the reply, and handles error ids (dialogs, sign-out, one token refresh).
// Every completion is delivered asynchronously on the main thread, never from inside the call.
//
// How a reply is read (ServiceReply):
//   - a JSON object whose "errorModel" has a non-zero "errorId": that id;
//   - otherwise an HTTP status outside 200..299: the error id of that status;
//   - no HTTP answer, or a 2xx answer whose body is not a JSON object: a failed call
//     (error id kNoValidReply, the generic error dialog);
//   - otherwise success.
// Error ids 400, 401, 403 and 98002 end the session (once: a reply to a request sent with a
// token that is no longer the session's is dropped). 98001 renews the access token and repeats
// the call once; a refused renewal or a second 98001 ends the session like 401.
class ServiceManager {
public:
    static ServiceManager& shared();

    // `completionHandler` is given the response to keep. The reply's JSON is read in place and
    // let go before the handler runs: the tree of a large artboard detail weighs as much as the
    // records read from it, and the screen builds its own records from those next.
    template <class Response, class Request>
    void callService(const ServiceEndPoint& endPoint, const Request& request, const ServiceCallOptions& options,
                     std::function<void(Response)> completionHandler,
                     ServiceErrorHandler errorHandler = {}, ServiceErrorHandler noConnectionHandler = {})
    {
        callServiceJson(endPoint, jsonmap::toJsonObject(request), options,
                        [completionHandler = std::move(completionHandler)](boost::json::object body) {
                            if (!completionHandler) return;
                            Response response = jsonmap::fromJson<Response>(body);
                            body = boost::json::object();
                            completionHandler(std::move(response));
                        },
                        std::move(errorHandler), std::move(noConnectionHandler));
    }

    // The untyped form: `completion` is given the reply's JSON object when its error id is 0.
    // "lang" and "version" are added to the body when it lacks them.
    using JsonCompletion = std::function<void(boost::json::object reply)>;
    void callServiceJson(const ServiceEndPoint& endPoint, boost::json::object body, const ServiceCallOptions& options,
                         JsonCompletion completion, ServiceErrorHandler errorHandler = {},
                         ServiceErrorHandler noConnectionHandler = {});

    // Fetches the bytes at an http or https URL without the service headers (at most
    // kMaxDataBytes). The completion gets the bytes, or nullopt and an error text.
    static constexpr qint64 kMaxDataBytes = 64ll * 1024 * 1024;
    void getData(const QUrl& url, std::function<void(std::optional<QByteArray> data, QString error)> completion);

    // Renews the access token with the saved refresh token ("user/refreshToken"). Concurrent
    // requests share one renewal. `rejected`: the service refused the token; `failed`: no usable
    // answer (network, server failure), so nothing is known about the session.
    enum class RefreshOutcome { renewed, rejected, failed };
    void refreshAccessToken(std::function<void(RefreshOutcome)> completion);

    // Told the path of every request as it is sent ("components/deleteComponentInstance"), for
    // tools that report what a command caused; empty: nobody is told.
    void setRequestObserver(std::function<void(const QString& path)> observer) { m_requestObserver = std::move(observer); }

    // The three service headers for a request sent with `accessToken` (omitted when empty).
    static QList<QPair<QByteArray, QByteArray>> serviceHeaders(const std::string& accessToken);

    // Replaces the HTTP session under every call (not owned; nullptr: the shared HTTP session).
    // Tests of screens script replies in-process with it.
    void setTransport(ServiceTransport* transport);

private:
    struct Call;
    ServiceManager() = default;

    void send(const std::shared_ptr<Call>& call);
    void handleReply(const std::shared_ptr<Call>& call, platform::HttpResult result);
    void retryAfterRefresh(const std::shared_ptr<Call>& call);
    void fail(const std::shared_ptr<Call>& call, const ErrorModel& error, bool genericDialog);
    void finish(const std::shared_ptr<Call>& call);
    void endSessionFor(const std::shared_ptr<Call>& call);
    void finishRefresh(RefreshOutcome outcome);
    ServiceTransport& transport();

    ServiceTransport* m_transport = nullptr; // not owned
    std::function<void(const QString& path)> m_requestObserver;
    bool m_refreshing = false;
    std::vector<std::function<void(RefreshOutcome)>> m_refreshWaiters;
};
