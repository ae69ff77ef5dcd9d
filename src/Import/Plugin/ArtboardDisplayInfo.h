#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/FrameInfo.h"

#include <optional>
#include <string>

// An uploaded artboard as the service lists it.
struct ArtboardDisplayInfo : BaseModel {
    std::string oid;
    std::string name;
    std::string type = "sketch";
    FrameInfo frame;
    std::optional<std::string> previewImageURI;
    std::optional<std::string> jsonString; // the artboard's layer JSON as uploaded
    std::string updateTime;
};
BOOST_DESCRIBE_STRUCT(ArtboardDisplayInfo, (BaseModel), (oid, name, type, frame, previewImageURI, jsonString, updateTime))
