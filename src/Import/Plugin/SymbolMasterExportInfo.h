#pragma once

#include "Base/BaseModel.h"
#include "Import/Plugin/FrameInfo.h"

#include <optional>
#include <string>

// One symbol master sent with an import; also the master form the service sends back.
struct SymbolMasterExportInfo : BaseModel {
    std::string oid;
    std::string class_; // "_class": the layer class as the design document names it
    std::string name;
    FrameInfo frame;
    bool isVisible = false;
    std::string symbolID; // the id that instances refer to
    std::optional<std::string> jsonString; // the master's layer dictionary as JSON text
    std::string type = "sketch";
};
BOOST_DESCRIBE_STRUCT(SymbolMasterExportInfo, (BaseModel), (oid, class_, name, frame, isVisible, symbolID, jsonString, type))
