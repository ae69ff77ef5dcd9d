#include "Account/ui/LoginWindowController.h"

#include "Account/ui/LoginViewController.h"
#include "platform/Localization.h"

LoginWindowController::LoginWindowController(QWidget* parent)
    : WindowController(parent)
{
    setObjectName(QStringLiteral("LoginWindowController"));
    setContentViewController(LoginViewController::instantiate());
    setWindowTitle(platform::localized("loginViewController.title"));
    setMinimumSize(380, 300);
    resize(420, 320);
}

LoginViewController* LoginWindowController::loginViewController() const
{
    return qobject_cast<LoginViewController*>(contentViewController());
}
