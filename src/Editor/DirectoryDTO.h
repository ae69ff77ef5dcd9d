#pragma once

#include "Base/BaseModel.h"
#include "Editor/FileDTO.h"

#include <memory>
#include <string>
#include <vector>

// One folder of the generated code tree. Sub-folders nest as deep as the reply's JSON, whose depth
// the service client's parser bounds.
struct DirectoryDTO : BaseResponseModel {
    std::string name;
    std::string path;
    std::vector<std::shared_ptr<FileDTO>> files;
    std::vector<std::shared_ptr<DirectoryDTO>> directories;
};
BOOST_DESCRIBE_STRUCT(DirectoryDTO, (BaseResponseModel), (name, path, files, directories))
