#pragma once

// Shared by the widget tests of every area: a clean slate of windows and session per test, and
// lookups of what is on screen.

#include "Account/UserProfile.h"
#include "Account/ui/LoginViewController.h"
#include "App/ui/Navigator.h"
#include "App/ui/WindowController.h"
#include "Import/Plugin/ExportHelper.h"
#include "Projects/ui/ProjectMainWindowController.h"
#include "platform/MainQueue.h"
#include "platform/ScriptedDialogPresenter.h"
#include "platform/UserDefaults.h"
#include "support/StandinService.h"

#include <boost/json.hpp>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace windowtest {

// Generous bound for replies of the local stand-in; a test waits for an outcome, never a time.
constexpr int kWaitMs = 20000;

inline bool waitUntil(const std::function<bool()>& done)
{
    return platform::runMainLoopUntil(done, kWaitMs);
}

inline void flushDeletions()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Open (not hidden) window controllers, in the application's window order.
inline std::vector<WindowController*> openWindows()
{
    std::vector<WindowController*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<WindowController*>(w);
        if (window && !window->isHidden()) windows.push_back(window);
    }
    return windows;
}

template <class Content>
std::vector<WindowController*> windowsShowing()
{
    std::vector<WindowController*> found;
    for (WindowController* w : openWindows())
        if (qobject_cast<Content*>(w->contentViewController())) found.push_back(w);
    return found;
}

template <class Content>
Content* shownContent()
{
    const auto windows = windowsShowing<Content>();
    return windows.empty() ? nullptr : qobject_cast<Content*>(windows.front()->contentViewController());
}

inline void closeEveryWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<WindowController*>(w)) w->close();
    }
    flushDeletions();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<WindowController*>(w)) delete w;
    }
    flushDeletions();
}

// Types into the login window's form (opening the window when needed) and clicks its button;
// nullptr when no login window shows.
inline LoginViewController* submitLoginForm(const QString& email, const QString& password)
{
    Navigator::share().showLoginViewController();
    auto* login = shownContent<LoginViewController>();
    if (!login) return nullptr;
    QTest::keyClicks(login->emailField(), email);
    QTest::keyClicks(login->passwordField(), password);
    QTest::mouseClick(login->loginButton(), Qt::LeftButton);
    return login;
}

inline std::vector<std::string> tableColumn(const QTableWidget* table, int column)
{
    std::vector<std::string> values;
    for (int row = 0; row < table->rowCount(); ++row)
        values.push_back(table->item(row, column) ? table->item(row, column)->text().toStdString() : "");
    return values;
}

// An analytics event as "NAME COUNT", COUNT being its uploaded artboard count ("-" without one).
inline std::string uploadEventLine(const boost::json::object& event)
{
    const auto* properties = event.at("properties").if_object();
    const auto* count = properties ? properties->if_contains("Uploaded Artboard/s Count") : nullptr;
    return std::string(event.at("event").as_string()) + " " +
           (count ? std::to_string(count->to_number<long long>()) : std::string("-"));
}

inline void resetExportHelper()
{
    ExportHelper& helper = ExportHelper::importer();
    helper.uploadEnded();
    helper.designImporter = nullptr;
    helper.shouldUploadSketch = false;
    helper.projectId.reset();
    helper.windowController = nullptr;
    helper.platform = "iOS";
}

// Each widget test starts without windows, without a session, with the application's
// navigator installed and every dialog answered from a script.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        closeEveryWindow();
        UserProfile::shared().clear();
        resetExportHelper();
        Navigator::install();
        Navigator::share().mainWindowController = nullptr;
        dialogs = std::make_unique<platform::ScriptedDialogPresenter>();
    }

    void TearDown() override
    {
        closeEveryWindow();
        UserProfile::shared().clear();
        resetExportHelper();
        dialogs.reset();
        service.reset();
    }

    // The stand-in for this test, answering `script` (a JSON list) first; it stops after the windows close.
    StandinService& startService(const std::string& script = {})
    {
        StandinService::Options options;
        options.scriptJson = script;
        return startService(options);
    }
    StandinService& startService(const StandinService::Options& options)
    {
        service.reset(); // first, so that it puts back the base URL before the next one takes it
        service = std::make_unique<StandinService>(options);
        EXPECT_TRUE(service->isRunning()) << service->errorText().toStdString();
        return *service;
    }

    bool signInDemoUser() const { return service && service->signInDemoUser(); }

    std::unique_ptr<platform::ScriptedDialogPresenter> dialogs;
    std::unique_ptr<StandinService> service;
};

} // namespace windowtest
