#include "Import/Plugin/AdobeXDExportUtils.h"

namespace {
const boost::json::object* sceneNode(const boost::json::object& node)
{
    const auto* value = node.if_contains("sceneNode");
    return value ? value->if_object() : nullptr;
}

const boost::json::array& emptyArray()
{
    static const boost::json::array empty;
    return empty;
}
} // namespace

std::string AdobeXDExportUtils::sceneNodeString(const boost::json::object& node, std::string_view key)
{
    const auto* scene = sceneNode(node);
    if (!scene) return {};
    const auto* value = scene->if_contains(key);
    if (!value || !value->is_string()) return {};
    return std::string(value->get_string());
}

std::string AdobeXDExportUtils::getNodeGuid(const boost::json::object& node)
{
    return sceneNodeString(node, "guid");
}

std::string AdobeXDExportUtils::getNodeName(const boost::json::object& node)
{
    return sceneNodeString(node, "name");
}

FrameInfo AdobeXDExportUtils::getNodeFrame(const boost::json::object& node)
{
    const auto* scene = sceneNode(node);
    const auto* bounds = scene ? scene->if_contains("boundsInParent") : nullptr;
    if (!bounds || !bounds->is_object()) return FrameInfo{};
    // A bound that is missing or not a number reads as 0, like every other tolerant read.
    return jsonmap::fromJson<FrameInfo>(*bounds);
}

bool AdobeXDExportUtils::getNodeVisible(const boost::json::object& node)
{
    const auto* scene = sceneNode(node);
    const auto* value = scene ? scene->if_contains("visible") : nullptr;
    return value && value->is_bool() && value->get_bool();
}

std::string AdobeXDExportUtils::getNodeSymbolId(const boost::json::object& node)
{
    const auto* value = node.if_contains("symbolId");
    if (!value || !value->is_string()) return {};
    return std::string(value->get_string());
}

const boost::json::array& AdobeXDExportUtils::getNodeChildren(const boost::json::object& node)
{
    const auto* value = node.if_contains("children");
    if (!value || !value->is_array()) return emptyArray();
    return value->get_array();
}

std::string AdobeXDExportUtils::getNodeName(const boost::json::object& node, std::string_view oid)
{
    // Parsed trees are depth-bounded, so the recursion is too.
    if (getNodeGuid(node) == oid) return getNodeName(node);
    for (const auto& child : getNodeChildren(node)) {
        const auto* childNode = child.if_object();
        if (!childNode) continue;
        std::string name = getNodeName(*childNode, oid);
        if (!name.empty()) return name;
    }
    return {};
}
