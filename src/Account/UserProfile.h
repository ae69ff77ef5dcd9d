#pragma once

#include "Base/BaseModel.h"

#include <functional>
#include <optional>
#include <string>

struct UserInfo : BaseModel {
    std::string userId;
    std::string email;
    std::string username;
    std::string name;
};
BOOST_DESCRIBE_STRUCT(UserInfo, (BaseModel), (userId, email, username, name))

struct AccessDTO : BaseModel {
    std::string accessToken;
    std::string refreshToken;
    std::string expiredAt;
};
BOOST_DESCRIBE_STRUCT(AccessDTO, (BaseModel), (accessToken, refreshToken, expiredAt))

// The signed-in session, mirrored into the user defaults (UserDefaultsKeys: the two models as
// JSON text and a flag) so it survives restarts.
class UserProfile {
public:
    static UserProfile& shared();

    std::optional<UserInfo> userInfo;
    std::optional<AccessDTO> accessDto;

    // True when the user defaults say that a user is signed in.
    static bool isLoggedInBefore();

    // Both a user and access data are present.
    bool isSignedIn() const { return userInfo.has_value() && accessDto.has_value(); }

    // Loads the saved user and token from the user defaults.
    void load();
    // Stores a new session (after sign-in or a token refresh) and persists it.
    void save(const UserInfo& user, const AccessDTO& access);
    void updateAccess(const AccessDTO& access);
    // Forgets the session here and in the user defaults.
    void clear();
    // clear(), then every window closes and the login window shows.
    void signOut();

    // Confirms the saved session with the service by renewing its access token.
    // completion(false) only when there is no session or the service refused it (the session is
    // then cleared); when the service cannot be reached the session is kept and completion(true)
    // lets the application go on (its next call checks the token again).
    void checkIsAlive(std::function<void(bool alive)> completion);

private:
    UserProfile() = default;
};
