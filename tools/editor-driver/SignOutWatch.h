#pragma once

#include "App/NavigatorInterface.h"

// Tells the driver when the application signs out: the service client ends the session on a
// refused token (400, 401, 403, 98002, or a second 98001), and signing out closes every window
// and shows the login window. Stands in front of the navigator that was installed, passing every
// call on unchanged, so the application does what it did; installs itself while alive.
class SignOutWatch final : public NavigatorInterface {
public:
    SignOutWatch();
    ~SignOutWatch() override;
    SignOutWatch(const SignOutWatch&) = delete;
    SignOutWatch& operator=(const SignOutWatch&) = delete;

    bool signedOut() const { return m_signedOut; }

    void activateApplication() override;
    void showLoginViewController() override;
    void closeAllWindowsAndBackToLogin() override;
    void showProjectSelectionViewController(QObject* window, std::function<void(bool shown)> completion) override;
    void openExportArtboards(QObject* window, const ProjectDisplayInfo& project) override;
    void bringWindowToFront(QObject* window) override;
    void showProjectsMainController(std::function<void(bool shown)> completion) override;
    void addIndicator(QObject* target) override;
    void removeIndicator() override;

private:
    NavigatorInterface& m_next; // not owned: the navigator installed before this one
    bool m_signedOut = false;
};
