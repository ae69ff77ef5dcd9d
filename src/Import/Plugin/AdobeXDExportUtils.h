#pragma once

#include "Import/Plugin/FrameInfo.h"

#include <boost/json.hpp>

#include <string>
#include <string_view>

// Readers of the nodes of the Adobe XD plug-in's layer JSON. A node is an object with the layer's
// own properties under "sceneNode", and "symbolId" and "children" beside it. Missing or
// mistyped values read as empty text, false, zeros or no children; nothing here throws.
class AdobeXDExportUtils {
public:
    static std::string getNodeGuid(const boost::json::object& node);
    static std::string getNodeName(const boost::json::object& node);
    static FrameInfo getNodeFrame(const boost::json::object& node);
    static bool getNodeVisible(const boost::json::object& node);
    static std::string getNodeSymbolId(const boost::json::object& node);
    // The node's "children" in place (an empty array when it has none).
    static const boost::json::array& getNodeChildren(const boost::json::object& node);
    // The name of the layer with id `oid` anywhere under `node`, depth first, parents before
    // children: the first non-empty name found, or "".
    static std::string getNodeName(const boost::json::object& node, std::string_view oid);

private:
    static std::string sceneNodeString(const boost::json::object& node, std::string_view key);
};
