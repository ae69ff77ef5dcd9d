#pragma once

// Shared by the editor's widget tests: a scripted artboard detail and a project window with the
// editor opened on it against the stand-in service.

#include "App/ui/WindowTestSupport.h"

#include "App/ui/MainContentViewController.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/ProjectMainWindowController.h"

#include <boost/json.hpp>

#include <QPointer>

#include <string>
#include <vector>

namespace editortest {

// A detail reply with one of everything the window hands out.
inline boost::json::object detailReply(const std::string& artboardId = "artboard-1")
{
    boost::json::object reply = boost::json::parse(R"({
      "componentTypeList": [{"key": "card", "name": "Card"}, {"key": "cell", "name": "Cell"}],
      "convertibleTypeList": [{"key": "button", "name": "Button"}],
      "componentList": [{"componentId": "component-1", "name": "Profile Card", "componentTypeKey": "card"}],
      "colors": [{"red": 1, "green": 0, "blue": 0, "alpha": 1}],
      "artboardFlatModel": {"artboard": {"oid": "", "name": "Home",
                            "frame": {"x": 0, "y": 0, "width": 750, "height": 1334},
                            "jsonString": "{\"_class\": \"artboard\", \"layers\": []}"}},
      "artboardViewInfoList": [{"classNameString": "HomeViewController",
                                "viewInfoList": [{"oid": "view-1", "layerName": "Title", "varName": "titleLabel"}],
                                "treeViewInfoList": [{"id": "view-1", "name": "Title"}]}],
      "codeDirectory": {"name": "root",
                        "files": [{"path": "Home.swift", "absolutePath": "/Home.swift", "fileExtension": "swift",
                                   "name": "Home", "content": "import UIKit\nclass Home {}"}],
                        "directories": [{"name": "Views",
                                         "files": [{"path": "Card.swift", "absolutePath": "/Views/Card.swift",
                                                    "fileExtension": "swift", "name": "Card", "content": "class Card {}"}]}]},
      "selectedCodeFilePath": "/Views/Card.swift"
    })").as_object();
    reply["artboardFlatModel"].as_object()["artboard"].as_object()["oid"] = artboardId;
    return reply;
}

// A script entry ({"path", "times", "body", "delayMs"}) for the stand-in.
inline boost::json::object scripted(const std::string& path, boost::json::value body, int times = 1, int delayMs = 0)
{
    return {{"path", path}, {"times", times}, {"body", std::move(body)}, {"delayMs", delayMs}};
}

// Previews answer without a media link, so the canvas shows its warning and asks nothing more.
inline boost::json::object noPreviews()
{
    return scripted("resource/downloadArtboardPreview", boost::json::object{{"mediaLink", ""}}, -1);
}

inline ProjectDisplayInfo project(const std::string& role = "developer")
{
    ProjectDisplayInfo p;
    p.projectId = "project-1";
    p.platform = "iOS";
    p.name = "Demo";
    p.members = {ProjectMember{{}, "demo@example.com", role}};
    p.artboardIds = {"artboard-1"};
    return p;
}

// A signed-in project window with the editor opened on "artboard-1" and its first reply shown.
class EditorTest : public windowtest::WindowTest {
protected:
    // `script` entries come before the first detail reply and the preview answers.
    MainEditorViewController* openEditor(std::vector<boost::json::object> script = {},
                                         const ProjectDisplayInfo& openedProject = project())
    {
        boost::json::array entries;
        entries.push_back(scripted("main/detailInfo", detailReply()));
        entries.push_back(noPreviews());
        for (auto& e : script) entries.push_back(std::move(e));
        startService(boost::json::serialize(entries));
        EXPECT_TRUE(signInDemoUser());
        window = new ProjectMainWindowController;
        Navigator::share().mainWindowController = window.data();
        window->bringToFront();
        editor = window->openScreen(openedProject, "artboard-1");
        EXPECT_TRUE(windowtest::waitUntil([this] { return editor && editor->response; }));
        return editor;
    }

    // Waits until the stand-in has received `count` requests to `path`.
    bool waitForRequests(const std::string& path, long count) const
    {
        return windowtest::waitUntil([&] {
            const auto paths = service->recordedPaths();
            return std::count(paths.begin(), paths.end(), path) >= count;
        });
    }

    // The first request to `path` received since the records were last cleared.
    boost::json::object firstRecord(const std::string& path) const
    {
        for (auto& r : service->records())
            if (r.contains("path") && r.at("path") == path.c_str()) return r;
        return {};
    }

    std::vector<std::string> editorPaths() const
    {
        std::vector<std::string> paths;
        for (const std::string& p : service->recordedPaths())
            if (p.rfind("components/", 0) == 0 || p == "main/detailInfo") paths.push_back(p);
        return paths;
    }

    QPointer<ProjectMainWindowController> window;
    QPointer<MainEditorViewController> editor;
};

} // namespace editortest
