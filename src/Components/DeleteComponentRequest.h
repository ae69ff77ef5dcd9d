#pragma once

#include "Base/BaseModel.h"

#include <string>

// Deletes a component of the project ("components/delete").
struct DeleteComponentRequest : BaseRequestModel {
    std::string projectId;
    std::string componentId;
    bool deleteAllInstances = false;
};
BOOST_DESCRIBE_STRUCT(DeleteComponentRequest, (BaseRequestModel), (projectId, componentId, deleteAllInstances))
