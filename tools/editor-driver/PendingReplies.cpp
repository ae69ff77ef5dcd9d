#include "PendingReplies.h"

#include "Base/ServiceManager.h"

#include <utility>

PendingReplies::PendingReplies()
{
    ServiceManager::shared().setTransport(this);
}

PendingReplies::~PendingReplies()
{
    ServiceManager::shared().setTransport(nullptr);
}

int PendingReplies::pending(const QUrl& url) const
{
    return m_pending->value(url);
}

void PendingReplies::postJson(const QUrl& url, const QByteArray& body, const platform::HttpHeaders& headers,
                              platform::HttpCompletion completion)
{
    ++(*m_pending)[url];
    auto answered = [pending = m_pending, url, completion = std::move(completion)](platform::HttpResult result) {
        // handed on by move: the reply's body is not kept twice
        if (completion) completion(std::move(result));
        if (--(*pending)[url] == 0) pending->remove(url);
    };
    platform::HttpSession::shared().postJson(url, body, headers, std::move(answered));
}

void PendingReplies::get(const QUrl& url, qint64 maxBytes, platform::HttpCompletion completion)
{
    platform::HttpSession::shared().get(url, maxBytes, std::move(completion));
}
