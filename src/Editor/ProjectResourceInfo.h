#pragma once

#include "Base/BaseModel.h"

#include <string>

// One uploaded resource file as the artboard detail lists it.
struct ProjectResourceInfo : BaseModel {
    std::string path;
    std::string fileName;
    std::string imageName;
    std::string projectId;
    std::string oid;
    std::string type;
};
BOOST_DESCRIBE_STRUCT(ProjectResourceInfo, (BaseModel), (path, fileName, imageName, projectId, oid, type))
