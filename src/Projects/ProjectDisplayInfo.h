#pragma once

#include "Base/BaseModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ProjectMember : BaseModel {
    std::string email;
    std::string role;
};
BOOST_DESCRIBE_STRUCT(ProjectMember, (BaseModel), (email, role))

// A project as the service lists it.
struct ProjectDisplayInfo : BaseModel {
    std::string projectId;
    std::string platform; // "iOS" or "Android"
    std::string updateTime;
    std::string name;
    std::optional<std::string> preview;
    std::vector<ProjectMember> members;
    std::int64_t artboardCount = 0;
    std::vector<std::string> artboardIds;

    // The role of the member whose e-mail is the signed-in user's; "" when none matches.
    std::string getUserRole() const;
};
BOOST_DESCRIBE_STRUCT(ProjectDisplayInfo, (BaseModel),
                      (projectId, platform, updateTime, name, preview, members, artboardCount, artboardIds))
