#include "platform/Reachability.h"

#include <gtest/gtest.h>

using platform::Reachability;

TEST(Reachability, LoopbackHostsAreReachableUnlessAnOverrideDecides)
{
    Reachability::setOverride(std::nullopt);
    for (const char* url : {"http://127.0.0.1:8765/x", "http://127.1.2.3/", "http://localhost/", "http://LOCALHOST.:80/",
                            "http://[::1]:8080/", "http://api.localhost/"}) {
        EXPECT_TRUE(Reachability::isReachable(QUrl(QString::fromLatin1(url)))) << url;
    }
    Reachability::setOverride(false);
    EXPECT_FALSE(Reachability::isReachable(QUrl(QStringLiteral("http://127.0.0.1:8765/"))));
    Reachability::setOverride(true);
    EXPECT_TRUE(Reachability::isReachable(QUrl(QStringLiteral("https://service.example.com/api"))));
    Reachability::setOverride(std::nullopt);
}
