#pragma once

// Recording stand-ins for what the service client touches outside the core: the navigator
// (sign-out, indicator) and the dialogs. All write into one event log so that a
// test can compare the order of what happened with an expected list.

#include "App/NavigatorInterface.h"
#include "Projects/ProjectDisplayInfo.h"
#include "platform/DebugLog.h"
#include "platform/Dialogs.h"

#include <QObject>

#include <algorithm>
#include <string>
#include <vector>

struct EventLog {
    std::vector<std::string> events;
    void add(std::string event) { events.push_back(std::move(event)); }
    long count(const std::string& event) const { return std::count(events.begin(), events.end(), event); }
};

// Window arguments are written by their object names ("none" for no window).
class RecordingNavigator final : public NavigatorInterface {
public:
    explicit RecordingNavigator(EventLog& log) : m_log(log) { NavigatorInterface::install(this); }
    ~RecordingNavigator() override { NavigatorInterface::install(nullptr); }

    void activateApplication() override { m_log.add("activate"); }
    void showLoginViewController() override { m_log.add("showLogin"); }
    void closeAllWindowsAndBackToLogin() override { m_log.add("backToLogin"); }
    void showProjectSelectionViewController(QObject* window, std::function<void(bool)>) override
    {
        m_log.add("showProjectSelection:" + name(window));
    }
    void openExportArtboards(QObject* window, const ProjectDisplayInfo& project) override
    {
        m_log.add("openExportArtboards:" + name(window) + ":" + project.projectId);
    }
    void bringWindowToFront(QObject* window) override { m_log.add("bringToFront:" + name(window)); }
    void showProjectsMainController(std::function<void(bool)>) override { m_log.add("projectsMain"); }
    void addIndicator(QObject* target) override { m_log.add(target ? "addIndicator:target" : "addIndicator:window"); }
    void removeIndicator() override { m_log.add("removeIndicator"); }

private:
    static std::string name(QObject* window) { return window ? window->objectName().toStdString() : "none"; }
    EventLog& m_log; // not owned
};

class RecordingDialogs final : public platform::DialogPresenter {
public:
    explicit RecordingDialogs(EventLog& log) : m_log(log) { platform::Dialogs::setPresenter(this); }
    ~RecordingDialogs() override { platform::Dialogs::setPresenter(nullptr); }

    int confirmation(const QString& question, const QStringList& buttonTitles, const QString&) override
    {
        m_log.add("confirm:" + question.toStdString());
        return platform::kAlertFirstButtonReturn + static_cast<int>(buttonTitles.size()) - 1;
    }
    void alert(const QString& message, const QString& informativeText, const QString&) override
    {
        m_log.add("alert:" + message.toStdString());
        lastInformativeText = informativeText.toStdString();
    }

    std::string lastInformativeText;

private:
    EventLog& m_log; // not owned
};

// Captures debug lines for the life of the object.
class DebugLines {
public:
    DebugLines() { platform::setDebugCapture([this](const QString& line) { lines.push_back(line.toStdString()); }); }
    ~DebugLines() { platform::setDebugCapture(nullptr); }
    long containing(const std::string& part) const
    {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }
    std::vector<std::string> lines;
};
