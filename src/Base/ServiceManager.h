#pragma once

#include "Base/BaseModel.h"
#include "Base/ServiceEndPoint.h"

#include <boost/json.hpp>

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <optional>

enum class HudType { none, loading };

struct ServiceCallOptions {
    bool silentNoInternetConnection = false;
    bool showIndicatorView = false;
    QPointer<QObject> targetIndicatorView; // a widget to cover with the loading indicator; not owned
    HudType hudType = HudType::none;
    QPointer<QObject> hudRepresenter;      // a screen that shows its own HUD; not owned
    bool ignoreError = false;
};

using ServiceErrorHandler = std::function<void(const ErrorModel&)>;

// The single entry to the service: posts a request model as JSON with the service headers,
// maps the reply, and handles error ids (dialogs, sign-out, one token refresh).
// Every completion is delivered asynchronously on the main thread, never from inside the call.
class ServiceManager {
public:
    static ServiceManager& shared();

    template <class Response, class Request>
    void callService(const ServiceEndPoint& endPoint, const Request& request, const ServiceCallOptions& options,
                     std::function<void(const Response&)> completionHandler,
                     ServiceErrorHandler errorHandler = {}, ServiceErrorHandler noConnectionHandler = {})
    {
        callServiceJson(endPoint, jsonmap::toJsonObject(request), options,
                        [completionHandler = std::move(completionHandler)](const boost::json::object& body) {
                            if (completionHandler) completionHandler(jsonmap::fromJson<Response>(body));
                        },
                        std::move(errorHandler), std::move(noConnectionHandler));
    }

    // The untyped form: `completion` receives the reply's JSON object when its error id is 0.
    void callServiceJson(const ServiceEndPoint& endPoint, boost::json::object body, const ServiceCallOptions& options,
                         std::function<void(const boost::json::object&)> completion,
                         ServiceErrorHandler errorHandler = {}, ServiceErrorHandler noConnectionHandler = {});

    // Fetches the bytes at an http or https URL without the service headers (size-capped).
    // The completion gets the bytes, or nullopt and an error text.
    void getData(const QUrl& url, std::function<void(std::optional<QByteArray> data, QString error)> completion);

private:
    ServiceManager() = default;
};
