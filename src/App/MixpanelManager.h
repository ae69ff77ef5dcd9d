#pragma once

#include "App/MixPanelEventCode.h"

#include <boost/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Analytics events through platform::EventSink::analytics().
class MixpanelManager {
public:
    // Sends one event named by the event code (followed by " - " and the extra text when that is
    // not empty) with the properties and the user's identity. Events of the excluded addresses
    // are dropped, so our own test accounts do not count as usage.
    static void mixPanelLog(const std::string& userName, const std::optional<std::string>& userEmail,
                            MixPanelEventCode eventCode, const std::string& extraInfo,
                            const boost::json::object& properties = {});

    // The user name sent with events: the signed-in user's name, "" when nobody is signed in.
    static std::string userNameValue();
    // The signed-in user's e-mail, nullopt when nobody is signed in.
    static std::optional<std::string> userEmailValue();

    // Our internal test accounts (compared without regard to case or surrounding blanks).
    static const std::vector<std::string>& excludedEmails();
    static bool isExcludedEmail(std::string_view email);

    static std::string eventName(MixPanelEventCode eventCode, const std::string& extraInfo);
};
