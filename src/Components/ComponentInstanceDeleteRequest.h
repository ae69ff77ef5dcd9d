#pragma once

#include "Base/BaseModel.h"

#include <string>

// Turns one component instance back into plain views ("components/deleteComponentInstance").
struct ComponentInstanceDeleteRequest : BaseRequestModel {
    std::string projectId;
    std::string instanceId; // oid of the instance's view
};
BOOST_DESCRIBE_STRUCT(ComponentInstanceDeleteRequest, (BaseRequestModel), (projectId, instanceId))
