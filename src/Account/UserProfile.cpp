#include "Account/UserProfile.h"

#include "App/NavigatorInterface.h"
#include "App/UserDefaultsKeys.h"
#include "Base/ServiceManager.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/UserDefaults.h"

#include <utility>

namespace {

const QString kUserInfoKey = QString(UserDefaultsKeys::userInfo);
const QString kAccessKey = QString(UserDefaultsKeys::accessDto);
const QString kLoggedInKey = QString(UserDefaultsKeys::isLoggedIn);

template <class T>
std::optional<T> storedModel(const QString& key)
{
    const QByteArray bytes = platform::UserDefaults::standard().dataForKey(key);
    const auto object = platform::parseJsonObject(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!object) return std::nullopt;
    return jsonmap::fromJson<T>(*object);
}

template <class T>
void storeModel(const QString& key, const T& model)
{
    const auto text = platform::jsonText(jsonmap::write(model));
    platform::UserDefaults::standard().setData(key, text ? QByteArray::fromStdString(*text) : QByteArray());
}

// The saved session, when it can be used: the flag, a user and an access token.
std::optional<std::pair<UserInfo, AccessDTO>> storedSession()
{
    if (!platform::UserDefaults::standard().boolForKey(kLoggedInKey)) return std::nullopt;
    auto user = storedModel<UserInfo>(kUserInfoKey);
    auto access = storedModel<AccessDTO>(kAccessKey);
    if (!user || !access || access->accessToken.empty()) return std::nullopt;
    return std::make_pair(std::move(*user), std::move(*access));
}

} // namespace

UserProfile& UserProfile::shared()
{
    static UserProfile profile;
    return profile;
}

bool UserProfile::isLoggedInBefore()
{
    return storedSession().has_value();
}

void UserProfile::load()
{
    auto session = storedSession();
    if (!session) {
        userInfo.reset();
        accessDto.reset();
        return;
    }
    userInfo = std::move(session->first);
    accessDto = std::move(session->second);
}

void UserProfile::save(const UserInfo& user, const AccessDTO& access)
{
    userInfo = user;
    accessDto = access;
    storeModel(kUserInfoKey, user);
    storeModel(kAccessKey, access);
    platform::UserDefaults::standard().setBool(kLoggedInKey, true);
    platform::UserDefaults::standard().synchronize();
}

void UserProfile::updateAccess(const AccessDTO& access)
{
    // a renewal that lands after a sign-out must not bring half a session back
    if (!userInfo) return;
    AccessDTO merged = access;
    if (merged.refreshToken.empty() && accessDto) merged.refreshToken = accessDto->refreshToken;
    save(*userInfo, merged);
}

void UserProfile::clear()
{
    userInfo.reset();
    accessDto.reset();
    auto& defaults = platform::UserDefaults::standard();
    defaults.removeObject(kUserInfoKey);
    defaults.removeObject(kAccessKey);
    defaults.removeObject(kLoggedInKey);
    defaults.synchronize();
}

void UserProfile::signOut()
{
    clear();
    NavigatorInterface::share().closeAllWindowsAndBackToLogin();
}

void UserProfile::checkIsAlive(std::function<void(bool alive)> completion)
{
    if (!accessDto || accessDto->refreshToken.empty()) {
        platform::dispatchMain([completion = std::move(completion)] {
            if (completion) completion(false);
        });
        return;
    }
    const std::string checked = accessDto->refreshToken;
    ServiceManager::shared().refreshAccessToken([this, checked, completion = std::move(completion)](ServiceManager::RefreshOutcome outcome) {
        const bool refused = outcome == ServiceManager::RefreshOutcome::rejected;
        // only the session that was checked is forgotten, not one made since
        if (refused && accessDto && accessDto->refreshToken == checked) clear();
        if (completion) completion(!refused);
    });
}
