#include "StandinDetail.h"

#include "StandinLayers.h"
#include "StandinResources.h"
#include "StandinViewTree.h"

#include "platform/JsonText.h"

#include <functional>
#include <map>
#include <optional>

namespace {

using L = StandinLayers;

struct Master {
    const boost::json::object* record = nullptr; // not owned
    boost::json::object layer;
};

boost::json::object componentType(const char* key, const char* name, const char* classKey,
                                  std::vector<std::pair<const char*, const char*>> fields)
{
    boost::json::array fieldTypes;
    for (const auto& [fieldKey, fieldClass] : fields) {
        fieldTypes.push_back({{"key", fieldKey}, {"name", L::upperCamel(fieldKey)}, {"programmingClassKey", fieldClass}});
    }
    return {{"key", key}, {"name", name}, {"programmingClassKey", classKey}, {"fieldTypes", std::move(fieldTypes)}};
}

std::string number(const boost::json::object& frame, std::string_view key)
{
    return platform::decimalText(L::number(frame, key).value_or(0));
}

std::string stringKeyOf(const boost::json::object& view)
{
    const auto* style = L::object(view, "style");
    const auto* model = style ? L::object(*style, "stringModel") : nullptr;
    return model ? L::string(*model, "name") : std::string();
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out.push_back(c);
    }
    return out;
}

boost::json::object fileDTO(const std::string& folder, const std::string& name, const std::string& extension,
                            std::string content)
{
    const std::string fileName = name + "." + extension;
    return {{"path", fileName},
            {"absolutePath", "/" + folder + "/" + fileName},
            {"exportPath", folder + "/" + fileName},
            {"fileExtension", extension},
            {"name", name},
            {"content", std::move(content)}};
}

boost::json::object directoryDTO(const std::string& name, const std::string& path, boost::json::array files,
                                 boost::json::array directories = {})
{
    return {{"name", name}, {"path", path}, {"files", std::move(files)}, {"directories", std::move(directories)}};
}

std::string swiftScreen(const std::string& screenClass, const boost::json::array& views,
                        const std::map<std::string, std::string>& varById)
{
    std::string declarations, body;
    for (const auto& v : views) {
        const auto& view = v.get_object();
        const std::string var = L::string(view, "varName");
        const auto* style = L::object(view, "style");
        const std::string cls = style ? L::string(*style, "classNameString") : std::string("UIView");
        const auto* layoutInfo = L::object(view, "layoutInfo");
        const auto parent = varById.find(layoutInfo ? L::string(*layoutInfo, "parentLayerId") : std::string());
        const std::string parentVar = parent == varById.end() ? std::string("view") : parent->second;
        const auto* frame = L::object(view, "layout");
        declarations += "    private let " + var + " = " + cls + "()\n";
        if (frame) {
            body += "        " + var + ".frame = CGRect(x: " + number(*frame, "x") + ", y: " + number(*frame, "y") +
                    ", width: " + number(*frame, "width") + ", height: " + number(*frame, "height") + ")\n";
        }
        if (const std::string key = stringKeyOf(view); !key.empty())
            body += "        " + var + ".text = NSLocalizedString(\"" + key + "\", comment: \"\")\n";
        body += "        " + parentVar + ".addSubview(" + var + ")\n";
    }
    return "import UIKit\n\nfinal class " + screenClass + ": UIViewController {\n" + declarations +
           "\n    override func viewDidLoad() {\n        super.viewDidLoad()\n" + body + "    }\n}\n";
}

std::string kotlinScreen(const std::string& screenClass, const boost::json::array& views,
                         const std::map<std::string, std::string>& varById)
{
    std::string declarations, body;
    for (const auto& v : views) {
        const auto& view = v.get_object();
        const std::string var = L::string(view, "varName");
        const auto* style = L::object(view, "style");
        const std::string key = style ? L::string(*style, "ancestorClassKey") : std::string();
        const std::string cls = key == "label" ? "TextView" : key == "imageView" ? "ImageView" : "FrameLayout";
        const auto* layoutInfo = L::object(view, "layoutInfo");
        const auto parent = varById.find(layoutInfo ? L::string(*layoutInfo, "parentLayerId") : std::string());
        const std::string parentVar = parent == varById.end() ? std::string("root") : parent->second;
        const auto* frame = L::object(view, "layout");
        declarations += "    private lateinit var " + var + ": " + cls + "\n";
        body += "        " + var + " = " + cls + "(this)\n";
        if (frame) {
            body += "        " + var + ".layoutParams = frame(" + number(*frame, "x") + ", " + number(*frame, "y") + ", " +
                    number(*frame, "width") + ", " + number(*frame, "height") + ")\n";
        }
        if (const std::string stringKey = stringKeyOf(view); !stringKey.empty() && cls == "TextView")
            body += "        " + var + ".text = getString(R.string." + stringKey + ")\n";
        body += "        " + parentVar + ".addView(" + var + ")\n";
    }
    return "package com.example.screens\n\nclass " + screenClass + " : AppCompatActivity() {\n" + declarations +
           "\n    override fun onCreate(savedInstanceState: Bundle?) {\n        super.onCreate(savedInstanceState)\n"
           "        val root = FrameLayout(this)\n        setContentView(root)\n" +
           body + "    }\n}\n";
}

} // namespace

boost::json::array StandinDetail::componentTypeList()
{
    return {componentType("button", "Button", "button", {{"title", "label"}, {"icon", "imageView"}}),
            componentType("card", "Card", "view", {{"title", "label"}, {"subtitle", "label"}, {"image", "imageView"}}),
            componentType("listItem", "List item", "tableViewCell", {{"title", "label"}, {"detail", "label"}})};
}

boost::json::array StandinDetail::convertibleTypeList()
{
    return {componentType("button", "Button", "button", {{"title", "label"}, {"icon", "imageView"}}),
            componentType("listItem", "List item", "tableViewCell", {{"title", "label"}, {"detail", "label"}})};
}

boost::json::object StandinDetail::componentOf(const std::string& symbolID, const std::string& masterName,
                                               const std::string& platform)
{
    return {{"componentId", "component-" + symbolID},
            {"name", masterName},
            {"symbolId", symbolID},
            {"classNameString", StandinViewTree::customClassName(masterName)},
            {"ancestorClassKey", "view"},
            {"componentTypeKey", "card"},
            {"platform", platform}};
}

boost::json::object StandinDetail::reply(const Input& input)
{
    StandinResources resources;
    resources.collectTextStyles(input.textStyles);
    resources.collectLayerStyles(input.layerStyles);
    for (const auto& record : input.artboards) {
        if (auto layer = L::parsedJson(record)) resources.collect(*layer);
    }
    std::map<std::string, Master> masters;
    StandinViewTree::Context context;
    context.resources = &resources;
    context.detachedInstances = input.detachedInstances;
    for (const auto& record : input.masters) {
        auto layer = L::parsedJson(record);
        if (!layer) layer.emplace();
        std::string symbolID = L::string(record, "symbolID");
        if (symbolID.empty()) symbolID = L::string(*layer, "symbolID");
        resources.collect(*layer);
        context.masterNames[symbolID] = L::string(record, "name");
        masters[symbolID] = Master{&record, std::move(*layer)};
    }
    for (const auto& c : input.components) {
        if (c.is_object()) context.componentIds[L::string(c.get_object(), "symbolId")] = L::string(c.get_object(), "componentId");
    }

    const boost::json::object artboardLayer = L::parsedJson(input.artboard).value_or(boost::json::object());
    const StandinViewTree screen(context, artboardLayer);

    // The masters the screen uses, through other masters too, dependencies first.
    std::map<std::string, StandinViewTree> masterTrees;
    std::vector<std::string> sorted;
    std::set<std::string> visited;
    std::function<void(const std::string&)> visit = [&](const std::string& symbolID) {
        const auto master = masters.find(symbolID);
        if (master == masters.end() || !visited.insert(symbolID).second) return;
        const auto& tree = masterTrees.emplace(symbolID, StandinViewTree(context, master->second.layer)).first->second;
        for (const auto& dependency : tree.usedSymbolIds()) visit(dependency);
        sorted.push_back(symbolID);
    };
    for (const auto& symbolID : screen.usedSymbolIds()) visit(symbolID);

    boost::json::array masterViews, flatMasters, sortedIds;
    for (const auto& symbolID : sorted) {
        const Master& master = masters.at(symbolID);
        const StandinViewTree& tree = masterTrees.at(symbolID);
        boost::json::object detailInfo{{"hasBackgroundColor", false}};
        if (auto fill = resources.fillColor(master.layer, true)) {
            detailInfo["hasBackgroundColor"] = true;
            detailInfo["backgroundColorModel"] = std::move(*fill);
        }
        masterViews.push_back({{"classNameString", StandinViewTree::customClassName(L::string(*master.record, "name"))},
                               {"symbolId", symbolID},
                               {"detailInfo", std::move(detailInfo)},
                               {"viewInfoList", tree.viewInfoList()}});
        boost::json::array dependencies;
        for (const auto& d : tree.usedSymbolIds()) dependencies.emplace_back(d);
        flatMasters.push_back({{"masterLayer", *master.record},
                               {"dependentMasterSymbolInstances", tree.symbolInstanceTexts()},
                               {"dependentMasterSymbolIds", std::move(dependencies)},
                               {"orderedBefore", false}});
        sortedIds.emplace_back(symbolID);
    }

    boost::json::object artboardRecord{{"oid", L::string(input.artboard, "oid")},
                                       {"name", L::string(input.artboard, "name")},
                                       {"type", L::string(input.artboard, "type").empty() ? std::string("sketch")
                                                                                          : L::string(input.artboard, "type")},
                                       {"frame", L::rectJson(L::rectFrom(L::object(input.artboard, "frame")))},
                                       {"previewImageURI", ""},
                                       {"jsonString", L::string(input.artboard, "jsonString")},
                                       {"updateTime", L::string(input.artboard, "updateTime")}};
    boost::json::object flat{{"artboard", std::move(artboardRecord)},
                             {"frameList", screen.frameTexts()},
                             {"usedSymbolMasters", std::move(flatMasters)},
                             {"usedSymbolInstances", screen.symbolInstanceTexts()},
                             {"mainSymbolMasterSortedList", std::move(sortedIds)}};

    const bool android = input.platform == "Android";
    std::string screenClass = L::upperCamel(L::string(input.artboard, "name"));
    if (screenClass.empty() || (screenClass[0] >= '0' && screenClass[0] <= '9')) screenClass = "Screen" + screenClass;
    screenClass += android ? "Activity" : "ViewController";
    boost::json::object artboardDetail{{"hasBackgroundColor", false}};
    if (L::flag(artboardLayer, "hasBackgroundColor", false)) {
        if (auto color = StandinResources::colorModel(L::object(artboardLayer, "backgroundColor"))) {
            artboardDetail["hasBackgroundColor"] = true;
            artboardDetail["backgroundColorModel"] = std::move(*color);
        }
    }
    boost::json::object artboardItem{{"baseClassNameString", android ? "AppCompatActivity" : "UIViewController"},
                                     {"classNameString", screenClass},
                                     {"artboardId", L::string(input.artboard, "oid")},
                                     {"detailInfo", std::move(artboardDetail)},
                                     {"viewInfoList", screen.viewInfoList()},
                                     {"treeViewInfoList", screen.treeViewInfoList()}};

    std::string selectedPath;
    boost::json::object directory =
        codeDirectory(input.platform, screenClass, screen.viewInfoList(), resources.strings(true), selectedPath);
    return {{"resources", boost::json::array()},
            {"componentTypeList", componentTypeList()},
            {"convertibleTypeList", convertibleTypeList()},
            {"componentList", input.components},
            {"codePreferences", boost::json::object()},
            {"colors", resources.colors(false)},
            {"fonts", resources.fonts(false)},
            {"images", resources.images(false)},
            {"strings", resources.strings(false)},
            {"screenColors", resources.colors(true)},
            {"screenFonts", resources.fonts(true)},
            {"screenStrings", resources.strings(true)},
            {"artboardFlatModel", std::move(flat)},
            {"symbolMasterViewInfoList", std::move(masterViews)},
            {"artboardViewInfoList", boost::json::array{std::move(artboardItem)}},
            {"customViewInfoList", boost::json::array()},
            {"codeDirectory", std::move(directory)},
            {"selectedCodeFilePath", selectedPath}};
}

boost::json::object StandinDetail::codeDirectory(const std::string& platform, const std::string& screenClass,
                                                 const boost::json::array& views, const boost::json::array& strings,
                                                 std::string& selectedPath)
{
    std::map<std::string, std::string> varById;
    for (const auto& v : views) varById[L::string(v.get_object(), "oid")] = L::string(v.get_object(), "varName");

    const bool android = platform == "Android";
    const std::string screens = android ? "app/src/main/java/screens" : "Sources/Screens";
    const std::string resourcesFolder = android ? "app/src/main/res/values" : "Sources/Resources";
    boost::json::object screenFile = android ? fileDTO(screens, screenClass, "kt", kotlinScreen(screenClass, views, varById))
                                             : fileDTO(screens, screenClass, "swift", swiftScreen(screenClass, views, varById));
    selectedPath = L::string(screenFile, "absolutePath");

    std::string table = android ? "<resources>\n" : "";
    for (const auto& s : strings) {
        const auto& o = s.get_object();
        table += android ? "    <string name=\"" + L::string(o, "name") + "\">" + escaped(L::string(o, "text")) + "</string>\n"
                         : "\"" + L::string(o, "name") + "\" = \"" + escaped(L::string(o, "text")) + "\";\n";
    }
    if (android) table += "</resources>\n";
    boost::json::object stringsFile = android ? fileDTO(resourcesFolder, "strings", "xml", table)
                                              : fileDTO(resourcesFolder, "Localizable", "strings", table);

    const std::string root = android ? "app" : "Sources";
    return directoryDTO(root, root, {},
                        {directoryDTO(android ? "screens" : "Screens", screens, {std::move(screenFile)}),
                         directoryDTO(android ? "values" : "Resources", resourcesFolder, {std::move(stringsFile)})});
}
