#pragma once

#include <string_view>

// Analytics event names; the raw value is the event name sent.
enum class MixPanelEventCode {
    SKETCH_UPLOAD,
    ADOBEXD_UPLOAD,
    SHOW_CODE,
    LOGIN,
    LOGOUT,
    CREATE_PROJECT,
};

constexpr std::string_view rawValue(MixPanelEventCode code)
{
    switch (code) {
    case MixPanelEventCode::SKETCH_UPLOAD: return "SKETCH_UPLOAD";
    case MixPanelEventCode::ADOBEXD_UPLOAD: return "ADOBEXD_UPLOAD";
    case MixPanelEventCode::SHOW_CODE: return "SHOW_CODE";
    case MixPanelEventCode::LOGIN: return "LOGIN";
    case MixPanelEventCode::LOGOUT: return "LOGOUT";
    case MixPanelEventCode::CREATE_PROJECT: return "CREATE_PROJECT";
    }
    return "";
}
