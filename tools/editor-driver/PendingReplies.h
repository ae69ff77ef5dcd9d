#pragma once

#include "Base/ServiceTransport.h"

#include <QHash>
#include <QUrl>

#include <memory>

// Sends the service client's requests through the shared HTTP session as the application does,
// and counts, per address, the posts whose reply has not been handled yet, so the driver can tell
// a reply that has not come from one that came and caused nothing. A reply counts as handled once
// the client has acted on it (a repeat or a follow-up it sends is already out by then). Installs
// itself as the client's transport while alive.
class PendingReplies final : public ServiceTransport {
public:
    PendingReplies();
    ~PendingReplies() override;
    PendingReplies(const PendingReplies&) = delete;
    PendingReplies& operator=(const PendingReplies&) = delete;

    // Posts to `url` still waiting for their reply.
    int pending(const QUrl& url) const;

    void postJson(const QUrl& url, const QByteArray& body, const platform::HttpHeaders& headers,
                  platform::HttpCompletion completion) override;
    void get(const QUrl& url, qint64 maxBytes, platform::HttpCompletion completion) override;

private:
    // Shared with the completions: a reply may come after the driver let this go.
    std::shared_ptr<QHash<QUrl, int>> m_pending = std::make_shared<QHash<QUrl, int>>();
};
