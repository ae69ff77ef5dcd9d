#pragma once

#include "Base/BaseModel.h"

#include <string>

// One generated source file of the artboard's code tree.
struct FileDTO : BaseResponseModel {
    std::string path;         // title in the code tab's file menu
    std::string absolutePath; // identity; compared with the reply's selectedCodeFilePath
    std::string exportPath;   // relative to the target project folder
    std::string fileExtension;
    std::string name;
    std::string content;
};
BOOST_DESCRIBE_STRUCT(FileDTO, (BaseResponseModel), (path, absolutePath, exportPath, fileExtension, name, content))
