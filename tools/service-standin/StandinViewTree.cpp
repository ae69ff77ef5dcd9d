#include "StandinViewTree.h"

#include "StandinResources.h"

#include "platform/JsonText.h"

#include <algorithm>

namespace {

using L = StandinLayers;

boost::json::object constraint(const std::string& item, const char* attribute, const std::string& other, double constant,
                               const std::string& host)
{
    const bool toOther = !other.empty();
    return {{"firstItem", item},
            {"firstAttribute", attribute},
            {"secondItem", other},
            {"secondAttribute", toOther ? attribute : ""},
            {"multiplier", 1.0},
            {"multiplierFirstPart", 1.0},
            {"multiplierSecondPart", 1.0},
            {"constant", constant},
            {"relation", "equal"},
            {"priority", 1000},
            {"host", host},
            {"typeId", attribute},
            {"isDuplicate", false}};
}

// Symbol overrides as the service reports them; a text override names "stringValue".
boost::json::array overrides(const boost::json::object& layer)
{
    boost::json::array out;
    const auto* values = L::array(layer, "overrideValues");
    if (!values) return out;
    for (const auto& v : *values) {
        if (!v.is_object()) continue;
        const std::string name = L::string(v.get_object(), "overrideName");
        const auto cut = name.rfind('_');
        const std::string target = cut == std::string::npos ? name : name.substr(0, cut);
        const std::string property = cut == std::string::npos ? std::string() : name.substr(cut + 1);
        boost::json::object o{{"overrideName", name},
                              {"relatedLayerId", target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1)},
                              {"relatedProperty", property},
                              {"relatedVarName", ""}};
        if (const auto* value = v.get_object().if_contains("value"); value && value->is_string()) o["value"] = *value;
        out.push_back(std::move(o));
    }
    return out;
}

} // namespace

StandinViewTree::StandinViewTree(const Context& context, const boost::json::object& root)
{
    Parent top{L::string(root, "do_objectID"), L::string(root, "name"), "view",
               L::Rect{0, 0, L::rectFrom(L::object(root, "frame")).width, L::rectFrom(L::object(root, "frame")).height}};
    walk(context, root, top, m_tree);
}

std::string StandinViewTree::customClassName(const std::string& masterName)
{
    const std::string base = L::upperCamel(masterName);
    return (base.empty() || (base[0] >= '0' && base[0] <= '9') ? "Symbol" + base : base) + "View";
}

std::string StandinViewTree::uniqueVarName(const std::string& layerName)
{
    std::string base = L::lowerCamel(layerName, 4);
    if (base.empty() || (base[0] >= '0' && base[0] <= '9')) base = "view" + L::upperCamel(base);
    std::string name = base;
    for (int n = 2; m_varNames.count(name) || name == "view"; ++n) name = base + std::to_string(n);
    m_varNames.insert(name);
    return name;
}

void StandinViewTree::walk(const Context& context, const boost::json::object& layer, const Parent& parent,
                           boost::json::array& siblings)
{
    const auto* layers = L::array(layer, "layers");
    if (!layers) return;
    for (const auto& child : *layers) {
        if (!L::isShownLayer(child)) continue;
        const auto& o = child.get_object();
        const L::Rect frame = L::frameIn(o, parent.frame.x, parent.frame.y);
        const std::string id = L::string(o, "do_objectID");
        const std::string name = L::string(o, "name");
        const std::string varName = uniqueVarName(name);
        const auto* grandChildren = L::array(o, "layers");
        const bool hasChildren = grandChildren && std::any_of(grandChildren->begin(), grandChildren->end(), L::isShownLayer);

        std::string className, classKey;
        boost::json::object info = viewInfo(context, o, parent, frame, varName, hasChildren, className, classKey);
        m_views.push_back(info);
        m_frameTexts.push_back(boost::json::string(
            platform::jsonText(boost::json::object{{"do_objectID", id}, {"name", name}, {"frame", L::rectJson(frame)}}).value_or("{}")));

        bool isInstance = false;
        if (L::string(o, "_class") == "symbolInstance") {
            const std::string symbolID = L::string(o, "symbolID");
            if (std::find(m_usedSymbolIds.begin(), m_usedSymbolIds.end(), symbolID) == m_usedSymbolIds.end())
                m_usedSymbolIds.push_back(symbolID);
            m_instanceTexts.push_back(boost::json::string(L::layerJsonText(o)));
            isInstance = context.componentIds.count(symbolID) && !context.detachedInstances.count(id);
            if (isInstance) m_instanceIds.push_back(id);
        }

        boost::json::object node{{"id", id},
                                 {"name", name},
                                 {"frame", L::rectJson(frame)},
                                 {"classNameString", className},
                                 {"ancestorClassKey", classKey},
                                 {"parentId", parent.id},
                                 {"isInstance", isInstance},
                                 {"viewInfo", std::move(info)},
                                 {"views", boost::json::array()}};
        walk(context, o, Parent{id, name, varName, frame}, node["views"].get_array());
        siblings.push_back(std::move(node));
    }
}

boost::json::object StandinViewTree::viewInfo(const Context& context, const boost::json::object& layer, const Parent& parent,
                                              const L::Rect& frame, const std::string& varName, bool hasChildren,
                                              std::string& className, std::string& classKey)
{
    StandinResources& resources = *context.resources;
    const std::string sketchClass = L::string(layer, "_class");
    std::string masterId;
    classKey = "view";
    className = "UIView";
    if (sketchClass == "text") {
        classKey = "label";
        className = "UILabel";
    } else if (sketchClass == "bitmap") {
        classKey = "imageView";
        className = "UIImageView";
    } else if (sketchClass == "symbolInstance") {
        masterId = L::string(layer, "symbolID");
        const auto master = context.masterNames.find(masterId);
        className = customClassName(master == context.masterNames.end() ? masterId : master->second);
    }

    boost::json::object style{{"frame", L::rectJson(frame)},
                              {"overrides", boost::json::array()},
                              {"sketchClass", sketchClass},
                              {"textAlignment", 0},
                              {"cornerRadius", L::number(layer, "fixedRadius").value_or(0)},
                              {"isBorderEnabled", false},
                              {"borderWidth", 0.0},
                              {"imageName", resources.image(layer, true)},
                              {"masterId", masterId},
                              {"contentMode", sketchClass == "bitmap" ? "aspectToFill" : ""},
                              {"classNameString", className},
                              {"ancestorClassKey", classKey},
                              {"useExtraInfo", false}};
    if (auto fill = resources.fillColor(layer, true)) style["backgroundColorModel"] = std::move(*fill);
    if (auto border = resources.borderColor(layer, true)) {
        style["isBorderEnabled"] = true;
        style["borderWidth"] = L::number(*L::firstEnabledBorder(layer), "thickness").value_or(1);
        style["borderColorModel"] = std::move(*border);
    }
    if (auto color = resources.textColor(layer, true)) style["textColorModel"] = std::move(*color);
    if (auto font = resources.font(layer, true)) style["fontModel"] = std::move(*font);
    if (auto text = resources.text(layer, true)) style["stringModel"] = std::move(*text);
    if (const auto* attributes = L::textAttributes(layer); attributes && sketchClass == "text") {
        if (const auto* paragraph = L::object(*attributes, "paragraphStyle"))
            style["textAlignment"] = static_cast<std::int64_t>(std::clamp(L::number(*paragraph, "alignment").value_or(0), -1.0, 4.0));
    }

    boost::json::array constraints{
        constraint(varName, "leading", parent.varName, frame.x - parent.frame.x, parent.varName),
        constraint(varName, "top", parent.varName, frame.y - parent.frame.y, parent.varName),
        constraint(varName, "width", {}, frame.width, varName),
        constraint(varName, "height", {}, frame.height, varName)};
    boost::json::object layoutInfo{{"parentName", parent.name},  {"parentLayerId", parent.id},
                                   {"parentLayerDistance", 0.0},  {"isParent", hasChildren},
                                   {"isBelongToRow", false},      {"constraints", std::move(constraints)}};
    return {{"oid", L::string(layer, "do_objectID")},
            {"layerName", L::string(layer, "name")},
            {"varName", varName},
            {"style", std::move(style)},
            {"layout", L::rectJson(frame)},
            {"overrides", overrides(layer)},
            {"isImaginary", false},
            {"layoutInfo", std::move(layoutInfo)},
            {"jsonString", L::layerJsonText(layer)}};
}
