#pragma once

#include "Base/BaseModel.h"

#include <optional>
#include <string>

// One image file: an artboard preview or an exportable image at one scale.
struct ResourceUploadRequest : BaseRequestModel {
    std::string projectId;
    std::string artboardId; // the artboard, or for images inside symbols the symbol id
    std::string oid;        // the exported layer
    std::optional<std::string> appVersion;
    std::string imageData;  // the file's bytes in Base64
    std::string prefix;     // always travels empty
    std::string imageName;
    std::string fileName;   // without extension
    std::string scale;      // "1", "1.5", "2", "3", "4", or "-1" for vector formats
    std::string format;     // a raw value of FileFormats
};
BOOST_DESCRIBE_STRUCT(ResourceUploadRequest, (BaseRequestModel),
                      (projectId, artboardId, oid, appVersion, imageData, prefix, imageName, fileName, scale, format))
