#pragma once

#include "App/ui/WindowController.h"

class LoginViewController;

// The sign-in window; its content is the LoginViewController.
class LoginWindowController : public WindowController {
    Q_OBJECT

public:
    explicit LoginWindowController(QWidget* parent = nullptr);
    LoginViewController* loginViewController() const;
};
