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

// The signed-in session, mirrored into the user defaults so it survives restarts.
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

    // Confirms the saved token with the service; completion(true) when it is still good.
    void checkIsAlive(std::function<void(bool alive)> completion);

private:
    UserProfile() = default;
};
