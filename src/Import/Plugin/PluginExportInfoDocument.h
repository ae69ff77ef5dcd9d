#pragma once

#include "Base/BaseModel.h"

#include <string>

// The message a design-tool plug-in sends on the local WebSocket channel.
struct PluginExportInfoDocument : BaseModel {
    std::string actionCode; // "start" asks for an import
    std::string source;     // "adobeXd" for the XD plug-in
    std::string fileName;   // handed to the import dispatcher, which picks the importer by it
};
BOOST_DESCRIBE_STRUCT(PluginExportInfoDocument, (BaseModel), (actionCode, source, fileName))
