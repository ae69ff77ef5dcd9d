// The editor's replies of the stand-in service, made from a real upload: a generated Sketch
// document goes through the export-file writer and the import driver into the stand-in, and the
// detail, preview and component replies are read back over HTTP.

#include "GeneratedSketchDocument.h"
#include "ImportDriverProcess.h"

#include "Account/UserProfile.h"
#include "platform/Archive.h"
#include "platform/HttpSession.h"
#include "platform/JsonText.h"
#include "platform/MainQueue.h"
#include "platform/PropertyList.h"
#include "support/StandinService.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using G = GeneratedSketchDocument;
using Strings = std::vector<std::string>;

boost::json::object sketchColor(double r, double g, double b, double a = 1)
{
    return {{"_class", "color"}, {"alpha", a}, {"blue", b}, {"green", g}, {"red", r}};
}

boost::json::object filled(boost::json::object layer, const boost::json::object& color)
{
    layer["style"].as_object()["fills"] =
        boost::json::array{{{"_class", "fill"}, {"isEnabled", true}, {"fillType", 0}, {"color", color}}};
    return layer;
}

boost::json::object titleAttributes()
{
    return {{"MSAttributedStringFontAttribute", {{"_class", "fontDescriptor"}, {"attributes", {{"name", "Lato-Bold"}, {"size", 24}}}}},
            {"MSAttributedStringColorAttribute", sketchColor(1, 0, 0)},
            {"paragraphStyle", {{"_class", "paragraphStyle"}, {"alignment", 2}}}};
}

boost::json::object textLayer(const std::string& id, const std::string& name, const boost::json::object& frame,
                              const std::string& text)
{
    auto t = G::layer(id, name, frame, {}, {}, "text");
    t["attributedString"] = {{"_class", "attributedString"},
                             {"string", text},
                             {"attributes", boost::json::array{{{"_class", "stringAttribute"}, {"location", 0},
                                                                {"length", text.size()}, {"attributes", titleAttributes()}}}}};
    return t;
}

// Two screens: groups, a hidden layer, a text, fills, and instances of masters that use each other.
GeneratedSketchDocument editorDocument()
{
    GeneratedSketchDocument d;
    d.addPage("P1",
              {G::artboard("A1", "Home", G::frame(0, 0, 375, 812),
                           {G::group("G1", "toolbar", G::frame(10, 20, 300, 44),
                                     {G::layer("I1", "icon/back arrow", G::frame(5, 5, 24, 24), {"png"}),
                                      G::hidden(G::layer("H1", "hidden icon", G::frame(40, 5, 24, 24))),
                                      G::symbolInstance("X1", "SYM-A", G::frame(80, 2, 60, 40))}),
                            textLayer("T1", "Title", G::frame(16, 100, 200, 30), "Welcome home"),
                            filled(G::layer("R1", "Banner", G::frame(0, 200, 375, 100)), sketchColor(0, 0.5, 1)),
                            G::symbolInstance("X3", "SYM-B", G::frame(0, 300, 375, 44))}),
               G::artboard("A2", "Settings", G::frame(400, 0, 375, 812),
                           {filled(G::layer("R2", "Green", G::frame(10, 10, 50, 50)), sketchColor(0, 1, 0)),
                            G::symbolInstance("X5", "SYM-A", G::frame(0, 100, 60, 40))}),
               G::symbolMaster("MA", "SYM-A", "Button", G::frame(1000, 0, 60, 40),
                               {G::layer("MI1", "badge", G::frame(2, 2, 8, 8))}),
               G::symbolMaster("MB", "SYM-B", "Row", G::frame(1000, 100, 375, 44),
                               {G::symbolInstance("X4", "SYM-C", G::frame(340, 10, 24, 24))}),
               G::symbolMaster("MC", "SYM-C", "Chevron", G::frame(1000, 200, 24, 24),
                               {G::layer("MI2", "chevron", G::frame(0, 0, 24, 24))})});
    d.addTextStyle("Title", titleAttributes());
    return d;
}

const boost::json::object& member(const boost::json::object& o, std::string_view key)
{
    static const boost::json::object empty;
    const auto* v = o.if_contains(key);
    return v && v->is_object() ? v->get_object() : empty;
}

const boost::json::array& list(const boost::json::object& o, std::string_view key)
{
    static const boost::json::array empty;
    const auto* v = o.if_contains(key);
    return v && v->is_array() ? v->get_array() : empty;
}

std::string str(const boost::json::object& o, std::string_view key)
{
    const auto* v = o.if_contains(key);
    return v && v->is_string() ? std::string(v->get_string()) : std::string();
}

Strings strings(const boost::json::array& items, std::string_view key)
{
    Strings out;
    for (const auto& i : items) out.push_back(i.is_object() ? str(i.get_object(), key) : std::string());
    return out;
}

std::vector<double> frameOf(const boost::json::object& frame)
{
    std::vector<double> out;
    for (const char* k : {"x", "y", "width", "height"}) out.push_back(frame.contains(k) ? frame.at(k).to_number<double>() : -1);
    return out;
}

class StandinEditorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        service.emplace();
        ASSERT_TRUE(service->isRunning()) << service->errorText().toStdString();
        const QString exportFile = work.filePath(QStringLiteral("editor.zvusk"));
        QString error;
        ASSERT_TRUE(editorDocument().writeExportFile(work.filePath(QStringLiteral("Editor Design.sketch")), exportFile, &error))
            << error.toStdString();
        const auto plist = platform::readPropertyList(exportFile);
        ASSERT_TRUE(plist && plist->is_object());
        Strings ids;
        for (const auto& id : list(plist->get_object(), "artboardIds")) ids.emplace_back(id.is_string() ? id.get_string() : "");
        EXPECT_EQ(ids, (Strings{"A1", "A2"})) << "every artboard, in document order";
        EXPECT_EQ(str(plist->get_object(), "sketchtoolPath"), ImportDriverProcess::sketchToolStandin().toStdString());

        const DriverOutcome outcome = ImportDriverProcess::run(
            ImportDriverProcess::arguments(service->baseUrl(), "demo-ios", exportFile, {QStringLiteral("--timeout"), QStringLiteral("300")}));
        ASSERT_EQ(outcome.exitCode, 0) << outcome.lastLine() << "\n" << outcome.errorOutput;
        ASSERT_TRUE(service->signInDemoUser());
        token = UserProfile::shared().accessDto->accessToken;
        service->clearRecords();
    }
    void TearDown() override { UserProfile::shared().clear(); }

    boost::json::object detail(const std::string& artboardId, const std::string& projectId = "demo-ios",
                               const std::string& platform = "iOS")
    {
        auto reply = service->post("main/detailInfo",
                                   {{"projectId", projectId}, {"artboardId", artboardId}, {"isSample", false}, {"platform", platform}}, token);
        return reply ? *reply : boost::json::object();
    }
    std::map<std::string, boost::json::object> viewsById(const boost::json::object& reply)
    {
        std::map<std::string, boost::json::object> out;
        const auto& items = list(reply, "artboardViewInfoList");
        if (items.empty()) return out;
        for (const auto& v : list(items[0].as_object(), "viewInfoList")) out[str(v.as_object(), "oid")] = v.as_object();
        return out;
    }
    std::map<std::string, bool> instanceMarks(const boost::json::object& reply)
    {
        std::map<std::string, bool> out;
        std::function<void(const boost::json::array&)> walk = [&](const boost::json::array& nodes) {
            for (const auto& n : nodes) {
                out[str(n.as_object(), "id")] = n.as_object().at("isInstance").as_bool();
                walk(list(n.as_object(), "views"));
            }
        };
        const auto& items = list(reply, "artboardViewInfoList");
        if (!items.empty() && items[0].is_object()) walk(list(items[0].get_object(), "treeViewInfoList"));
        return out;
    }

    QTemporaryDir work;
    std::optional<StandinService> service;
    std::string token;
};

TEST_F(StandinEditorEndToEnd, DetailCarriesTheScreensViewsInArtboardSpaceWithTheirResources)
{
    const auto reply = detail("A1");
    ASSERT_FALSE(reply.contains("errorModel")) << str(member(reply, "errorModel"), "errorMsg");
    const auto& item = list(reply, "artboardViewInfoList").at(0).as_object();
    EXPECT_EQ(str(item, "artboardId"), "A1");
    EXPECT_EQ(str(item, "classNameString"), "HomeViewController");
    EXPECT_EQ(strings(list(item, "viewInfoList"), "oid"), (Strings{"G1", "I1", "X1", "T1", "R1", "X3"}))
        << "shown layers in tree order; the hidden one left out";

    struct ViewCase {
        std::string oid;
        std::vector<double> frame; // artboard space
        std::string className;
        std::string parent;
        std::string varName;
    };
    const std::vector<ViewCase> views = {
        {"G1", {10, 20, 300, 44}, "UIView", "A1", "toolbar"},
        {"I1", {15, 25, 24, 24}, "UIView", "G1", "iconBackArrow"},
        {"X1", {90, 22, 60, 40}, "ButtonView", "G1", "instanceX1"},
        {"T1", {16, 100, 200, 30}, "UILabel", "A1", "title"},
        {"R1", {0, 200, 375, 100}, "UIView", "A1", "banner"},
        {"X3", {0, 300, 375, 44}, "RowView", "A1", "instanceX3"},
    };
    auto byId = viewsById(reply);
    for (const auto& c : views) {
        SCOPED_TRACE(c.oid);
        const auto& v = byId[c.oid];
        EXPECT_EQ(frameOf(member(v, "layout")), c.frame);
        EXPECT_EQ(str(member(v, "style"), "classNameString"), c.className);
        EXPECT_EQ(str(member(v, "layoutInfo"), "parentLayerId"), c.parent);
        EXPECT_EQ(str(v, "varName"), c.varName);
        const auto layer = platform::parseJsonObject(str(v, "jsonString"));
        ASSERT_TRUE(layer);
        EXPECT_EQ(str(*layer, "do_objectID"), c.oid) << "the view carries its own layer";
    }

    // The tree: the same views, nested as the layers are.
    const auto& tree = list(item, "treeViewInfoList");
    EXPECT_EQ(strings(tree, "id"), (Strings{"G1", "T1", "R1", "X3"}));
    EXPECT_EQ(strings(list(tree.at(0).as_object(), "views"), "id"), (Strings{"I1", "X1"}));
    EXPECT_EQ(str(tree.at(0).as_object().at("views").as_array().at(1).as_object(), "parentId"), "G1");
    EXPECT_EQ(instanceMarks(reply), (std::map<std::string, bool>{{"G1", false}, {"I1", false}, {"X1", true},
                                                                  {"T1", false}, {"R1", false}, {"X3", true}}));

    // Resources: (style member of a view, its name, the project list, whether the screen lists it).
    struct ResourceCase {
        std::string oid;
        std::string styleKey;
        std::string nameKey;
        std::string name;
        std::string projectList;
        std::string screenList;
    };
    const std::vector<ResourceCase> resources = {
        {"T1", "textColorModel", "name", "colorFF0000", "colors", "screenColors"},
        {"R1", "backgroundColorModel", "name", "color0080FF", "colors", "screenColors"},
        {"T1", "fontModel", "textStyleName", "title", "fonts", "screenFonts"},
        {"T1", "fontModel", "uniqueKey", "Lato-Bold--24.0", "fonts", "screenFonts"},
        {"T1", "stringModel", "name", "textWelcomeHome", "strings", "screenStrings"},
    };
    for (const auto& c : resources) {
        SCOPED_TRACE(c.styleKey + " " + c.name);
        EXPECT_EQ(str(member(member(byId[c.oid], "style"), c.styleKey), c.nameKey), c.name);
        for (const auto& listKey : {c.projectList, c.screenList}) {
            const Strings names = strings(list(reply, listKey), c.nameKey);
            EXPECT_EQ(std::count(names.begin(), names.end(), c.name), 1) << listKey;
        }
    }
    const Strings projectColors = strings(list(reply, "colors"), "name");
    const Strings screenColors = strings(list(reply, "screenColors"), "name");
    EXPECT_NE(std::find(projectColors.begin(), projectColors.end(), "color00FF00"), projectColors.end()) << "the other screen's colour";
    EXPECT_EQ(std::find(screenColors.begin(), screenColors.end(), "color00FF00"), screenColors.end());
    EXPECT_EQ(strings(list(reply, "images"), "oid"), Strings{"I1"});

    // Masters the screen uses, dependencies first, in the view lists and the flat record.
    const Strings usedMasters{"SYM-A", "SYM-C", "SYM-B"};
    EXPECT_EQ(strings(list(reply, "symbolMasterViewInfoList"), "symbolId"), usedMasters);
    const auto& flat = member(reply, "artboardFlatModel");
    EXPECT_EQ(str(member(flat, "artboard"), "oid"), "A1");
    EXPECT_EQ(frameOf(member(member(flat, "artboard"), "frame")), (std::vector<double>{0, 0, 375, 812}));
    Strings sorted;
    for (const auto& s : list(flat, "mainSymbolMasterSortedList")) sorted.emplace_back(s.as_string());
    EXPECT_EQ(sorted, usedMasters);
    EXPECT_EQ(list(flat, "usedSymbolInstances").size(), 2u);
    EXPECT_EQ(strings(list(reply, "componentList"), "symbolId").size(), 2u);
    EXPECT_EQ(strings(list(reply, "componentTypeList"), "key"), (Strings{"button", "card", "listItem"}));

    // The code tree: the screen's file is the one opened first and lists the views.
    const auto& code = member(reply, "codeDirectory");
    const auto& screenFile = list(list(code, "directories").at(0).as_object(), "files").at(0).as_object();
    for (const char* line : {"private let title = UILabel()", "toolbar.addSubview(iconBackArrow)",
                             "banner.frame = CGRect(x: 0.0, y: 200.0, width: 375.0, height: 100.0)"})
        EXPECT_NE(str(screenFile, "content").find(line), std::string::npos) << line;

    // The code follows the platform asked for.
    struct CodeCase {
        std::string platform;
        Strings folders;
        std::string screenPath;
        std::string line;
    };
    for (const auto& c : std::vector<CodeCase>{
             {"iOS", {"Screens", "Resources"}, "HomeViewController.swift", "title.text = NSLocalizedString(\"textWelcomeHome\""},
             {"Android", {"screens", "values"}, "HomeActivity.kt", "title.text = getString(R.string.textWelcomeHome)"}}) {
        SCOPED_TRACE(c.platform);
        const auto platformReply = detail("A1", "demo-ios", c.platform);
        const auto& dirs = list(member(platformReply, "codeDirectory"), "directories");
        EXPECT_EQ(strings(dirs, "name"), c.folders);
        ASSERT_EQ(dirs.size(), 2u);
        const auto& file = list(dirs[0].as_object(), "files").at(0).as_object();
        EXPECT_EQ(str(file, "path"), c.screenPath);
        EXPECT_EQ(str(file, "absolutePath"), str(platformReply, "selectedCodeFilePath"));
        EXPECT_NE(str(file, "content").find(c.line), std::string::npos) << str(file, "content");
    }

    // The other screen stands at its own origin too.
    auto settings = viewsById(detail("A2"));
    EXPECT_EQ(frameOf(member(settings["X5"], "layout")), (std::vector<double>{0, 100, 60, 40}));
}

TEST_F(StandinEditorEndToEnd, BadDetailRequestsAnswerErrorsAndTheListCountsTheUploads)
{
    const std::vector<std::pair<boost::json::object, int>> cases = {
        {{{"projectId", "demo-ios"}, {"artboardId", "NOPE"}}, 20001},
        {{{"projectId", "demo-ios"}, {"artboardId", ""}}, 20001},
        {{{"projectId", "demo-ios"}, {"artboardId", 7}}, 20001},
        {{{"projectId", "demo-android"}, {"artboardId", "A1"}}, 20001},
        {{{"projectId", "nobody's"}, {"artboardId", "A1"}}, 20001},
    };
    for (const auto& [body, errorId] : cases) {
        for (const char* path : {"main/detailInfo", "resource/downloadArtboardPreview"}) {
            auto b = body;
            b["oid"] = b["artboardId"];
            const auto reply = service->post(path, b, token);
            ASSERT_TRUE(reply) << path;
            EXPECT_EQ(member(*reply, "errorModel").at("errorId").to_number<int>(), errorId) << path << " " << boost::json::serialize(body);
        }
    }
    const auto projects = service->post("project/getAll", {}, token);
    ASSERT_TRUE(projects);
    for (const auto& p : list(*projects, "projects")) {
        const bool ios = str(p.as_object(), "projectId") == "demo-ios";
        EXPECT_EQ(p.as_object().at("artboardCount").to_number<int>(), ios ? 2 : 0);
        EXPECT_EQ(list(p.as_object(), "artboardIds").size(), ios ? 2u : 0u);
    }
}

TEST_F(StandinEditorEndToEnd, PreviewLinkServesTheUploadedPreviewGzipped)
{
    const auto reply = service->post("resource/downloadArtboardPreview", {{"projectId", "demo-ios"}, {"oid", "A1"}, {"scale", "1"}}, token);
    ASSERT_TRUE(reply);
    const QUrl link(QString::fromStdString(str(*reply, "mediaLink")));
    ASSERT_TRUE(link.isValid());
    EXPECT_EQ(link.host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(link.port(), service->baseUrl().port());

    auto result = std::make_shared<std::optional<platform::HttpResult>>();
    platform::HttpSession::shared().get(link, 64 << 20, [result](const platform::HttpResult& r) { *result = r; });
    ASSERT_TRUE(platform::runMainLoopUntil([result] { return result->has_value(); }, 30000));
    ASSERT_EQ((*result)->statusCode, 200);
    const QByteArray bytes = (*result)->body;
    ASSERT_TRUE(platform::isGzipData(bytes));
    const auto png = platform::gunzipData(bytes);
    ASSERT_TRUE(png);
    EXPECT_EQ(*png, readFileBytes(service->dataDir() + QStringLiteral("/uploads/demo-ios/images/A1/A1@1.png")));
    EXPECT_FALSE(QImage::fromData(*png).isNull());
}

TEST_F(StandinEditorEndToEnd, ComponentChangesShowInTheNextDetailInOrderAndSurviveARestart)
{
    const std::string button = "component-SYM-A";
    const std::string row = "component-SYM-B";
    struct Step {
        std::string path;
        boost::json::object body;
        bool status;
        std::map<std::string, bool> marksAfter; // instance marks of A1's instances
        size_t componentsAfter;
    };
    const std::vector<Step> steps = {
        {"components/deleteComponentInstance", {{"instanceId", "X1"}}, true, {{"X1", false}, {"X3", true}}, 2},
        {"components/deleteComponentInstance", {{"instanceId", "X1"}}, false, {{"X1", false}, {"X3", true}}, 2},
        {"components/deleteComponentInstance", {{"instanceId", "T1"}}, false, {{"X1", false}, {"X3", true}}, 2},
        {"components/delete", {{"componentId", "nope"}, {"deleteAllInstances", true}}, false, {{"X1", false}, {"X3", true}}, 2},
        {"components/delete", {{"componentId", row}, {"deleteAllInstances", true}}, true, {{"X1", false}, {"X3", false}}, 1},
    };
    Strings expectedPaths;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.path + " " + boost::json::serialize(s.body));
        auto body = s.body;
        body["projectId"] = "demo-ios";
        const auto reply = service->post(s.path, body, token);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->at("status").as_bool(), s.status);
        const auto all = service->post("components/getAll", {{"projectId", "demo-ios"}}, token);
        ASSERT_TRUE(all);
        EXPECT_EQ(list(*all, "components").size(), s.componentsAfter);
        auto marks = instanceMarks(detail("A1"));
        EXPECT_EQ((std::map<std::string, bool>{{"X1", marks["X1"]}, {"X3", marks["X3"]}}), s.marksAfter);
        expectedPaths.insert(expectedPaths.end(), {s.path, "components/getAll", "main/detailInfo"});
    }
    EXPECT_EQ(service->recordedPaths(), expectedPaths);

    const auto types = service->post("components/getComponentTypeList", {{"projectId", "demo-ios"}, {"platform", "iOS"}}, token);
    ASSERT_TRUE(types);
    EXPECT_EQ(strings(list(*types, "convertibleTypeList"), "key"), (Strings{"button", "listItem"}));

    // A restart on the same data keeps the uploads and what was deleted.
    const QString data = service->dataDir();
    const auto before = detail("A1");
    service->stop();
    StandinService::Options options;
    options.dataDir = data;
    StandinService again(options);
    ASSERT_TRUE(again.isRunning());
    ASSERT_TRUE(again.signInDemoUser());
    const auto after = again.post("main/detailInfo", {{"projectId", "demo-ios"}, {"artboardId", "A1"}, {"isSample", false}, {"platform", "iOS"}},
                                  UserProfile::shared().accessDto->accessToken);
    ASSERT_TRUE(after);
    EXPECT_EQ(boost::json::serialize(*after), boost::json::serialize(before));
    EXPECT_EQ(strings(list(*after, "componentList"), "componentId"), Strings{button});
}

} // namespace
