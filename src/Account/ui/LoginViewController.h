#pragma once

#include "App/ui/FormMessageLabel.h"
#include "App/ui/ViewController.h"

class QLineEdit;
class QPushButton;

// Sign-in with e-mail and password ("user/login"). A failed sign-in is explained in the form
// itself; a successful one saves the session and opens the project window.
class LoginViewController : public ViewController {
    Q_OBJECT

public:
    static LoginViewController* instantiate();

    // Checks the form and sends the sign-in; does nothing while one is on its way.
    void login();

    QLineEdit* emailField() const { return m_emailField; }
    QLineEdit* passwordField() const { return m_passwordField; }
    QPushButton* loginButton() const { return m_loginButton; }
    QLabel* messageLabel() const { return m_messageLabel; }

    // The message for the form's content, "" when it can be sent.
    static QString validationMessage(const QString& email, const QString& password);

private:
    LoginViewController();
    void setBusy(bool busy);
    void signedIn();

    bool m_busy = false;
    QLineEdit* m_emailField = nullptr;    // owned by the layout
    QLineEdit* m_passwordField = nullptr; // owned by the layout
    QPushButton* m_loginButton = nullptr; // owned by the layout
    FormMessageLabel* m_messageLabel = nullptr; // owned by the layout
};
