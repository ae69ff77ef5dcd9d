#pragma once

#include "Base/BaseModel.h"

#include <optional>
#include <string>

// One stored resource.
struct ResourceDownloadResponse : BaseResponseModel {
    std::optional<std::string> imageData = std::string(); // present and empty when the body omits it
    std::string mediaLink;
    std::string fileName;
    std::string scale;
};
BOOST_DESCRIBE_STRUCT(ResourceDownloadResponse, (BaseResponseModel), (imageData, mediaLink, fileName, scale))
