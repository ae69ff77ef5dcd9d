#include "Projects/ProjectDisplayInfo.h"

#include "Account/UserProfile.h"

std::string ProjectDisplayInfo::getUserRole() const
{
    const auto& user = UserProfile::shared().userInfo;
    if (!user || user->email.empty()) return {};
    for (const auto& member : members) {
        if (member.email == user->email) return member.role;
    }
    return {};
}
