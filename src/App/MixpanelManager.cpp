#include "App/MixpanelManager.h"

#include "Account/UserProfile.h"
#include "platform/EventSinks.h"

#include <algorithm>
#include <cctype>

namespace {

std::string normalisedEmail(std::string_view email)
{
    auto isBlank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!email.empty() && isBlank(static_cast<unsigned char>(email.front()))) email.remove_prefix(1);
    while (!email.empty() && isBlank(static_cast<unsigned char>(email.back()))) email.remove_suffix(1);
    std::string lower(email);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

} // namespace

const std::vector<std::string>& MixpanelManager::excludedEmails()
{
    static const std::vector<std::string> emails = {
        "qa@quorvex.app",
        "test@quorvex.app",
        "designer.test@quorvex.app",
        "developer.test@quorvex.app",
    };
    return emails;
}

bool MixpanelManager::isExcludedEmail(std::string_view email)
{
    const std::string key = normalisedEmail(email);
    const auto& list = excludedEmails();
    return std::find(list.begin(), list.end(), key) != list.end();
}

std::string MixpanelManager::userNameValue()
{
    const auto& user = UserProfile::shared().userInfo;
    return user ? user->username : std::string();
}

std::optional<std::string> MixpanelManager::userEmailValue()
{
    const auto& user = UserProfile::shared().userInfo;
    return user ? std::optional(user->email) : std::nullopt;
}

std::string MixpanelManager::eventName(MixPanelEventCode eventCode, const std::string& extraInfo)
{
    std::string name(rawValue(eventCode));
    if (!extraInfo.empty()) name += " - " + extraInfo;
    return name;
}

void MixpanelManager::mixPanelLog(const std::string& userName, const std::optional<std::string>& userEmail,
                                  MixPanelEventCode eventCode, const std::string& extraInfo,
                                  const boost::json::object& properties)
{
    if (userEmail && isExcludedEmail(*userEmail)) return;

    boost::json::object props = properties;
    const std::string distinctId = userEmail && !userEmail->empty() ? *userEmail : userName;
    if (!distinctId.empty()) props["distinct_id"] = distinctId;
    if (!userName.empty()) props["userName"] = userName;
    if (userEmail && !userEmail->empty()) props["userEmail"] = *userEmail;

    boost::json::object event;
    event["event"] = eventName(eventCode, extraInfo);
    event["properties"] = std::move(props);
    platform::EventSink::analytics().record(event);
}
