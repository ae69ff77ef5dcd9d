#pragma once

// What the service client sends its requests through. The application uses the shared HTTP
// session; a test of a screen scripts the replies in-process instead of starting a stand-in.
// Completions must arrive on the main thread, never from inside the call, and are given the
// result to keep (HttpCompletion): hand it over by move, so that no copy of a large body stays
// behind while the service client reads it.

#include "platform/HttpSession.h"

#include <QByteArray>
#include <QUrl>

#include <functional>

class ServiceTransport {
public:
    virtual ~ServiceTransport() = default;

    virtual void postJson(const QUrl& url, const QByteArray& body, const platform::HttpHeaders& headers,
                          platform::HttpCompletion completion) = 0;
    // GET without the service headers; at most maxBytes of body.
    virtual void get(const QUrl& url, qint64 maxBytes, platform::HttpCompletion completion) = 0;
};
