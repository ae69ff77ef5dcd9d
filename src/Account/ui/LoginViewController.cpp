#include "Account/ui/LoginViewController.h"

#include "Account/LoginRequest.h"
#include "Account/UserProfile.h"
#include "App/MixpanelManager.h"
#include "App/ui/Navigator.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "platform/AppInfo.h"
#include "platform/Localization.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
constexpr int kMaxFieldLength = 254; // the longest e-mail address there can be
} // namespace

LoginViewController* LoginViewController::instantiate()
{
    return new LoginViewController;
}

LoginViewController::LoginViewController()
{
    setObjectName(QStringLiteral("LoginViewController"));
    setWindowTitle(platform::localized("loginViewController.title"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 28);
    layout->setSpacing(14);

    auto* heading = new QLabel(platform::localized("loginViewController.heading"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    layout->addWidget(heading);

    auto* form = new QFormLayout;
    m_emailField = new QLineEdit(this);
    m_emailField->setObjectName(QStringLiteral("emailField"));
    m_emailField->setPlaceholderText(platform::localized("loginForm.emailField.placeholder"));
    m_emailField->setMaxLength(kMaxFieldLength);
    m_emailField->setMinimumWidth(240);
    form->addRow(platform::localized("loginForm.emailField.label"), m_emailField);

    m_passwordField = new QLineEdit(this);
    m_passwordField->setObjectName(QStringLiteral("passwordField"));
    m_passwordField->setEchoMode(QLineEdit::Password);
    m_passwordField->setPlaceholderText(platform::localized("loginForm.passwordField.placeholder"));
    m_passwordField->setMaxLength(kMaxFieldLength);
    form->addRow(platform::localized("loginForm.passwordField.label"), m_passwordField);
    layout->addLayout(form);

    m_messageLabel = new FormMessageLabel(this);
    layout->addWidget(m_messageLabel);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_loginButton = new QPushButton(platform::localized("loginForm.loginButton"), this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setDefault(true);
    buttons->addWidget(m_loginButton);
    layout->addLayout(buttons);

    connect(m_loginButton, &QPushButton::clicked, this, &LoginViewController::login);
    connect(m_emailField, &QLineEdit::returnPressed, this, &LoginViewController::login);
    connect(m_passwordField, &QLineEdit::returnPressed, this, &LoginViewController::login);
}

QString LoginViewController::validationMessage(const QString& email, const QString& password)
{
    static const QRegularExpression emailPattern(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$"));
    const QString trimmed = email.trimmed();
    if (trimmed.isEmpty()) return platform::localized("loginForm.emailField.requiredError");
    if (!emailPattern.match(trimmed).hasMatch()) return platform::localized("loginForm.emailField.invalidError");
    if (password.isEmpty()) return platform::localized("loginForm.passwordField.requiredError");
    return {};
}

void LoginViewController::setBusy(bool busy)
{
    m_busy = busy;
    m_loginButton->setEnabled(!busy);
    m_emailField->setEnabled(!busy);
    m_passwordField->setEnabled(!busy);
}

void LoginViewController::login()
{
    if (m_busy) return;
    const QString problem = validationMessage(m_emailField->text(), m_passwordField->text());
    if (!problem.isEmpty()) {
        m_messageLabel->showMessage(problem);
        return;
    }
    m_messageLabel->showMessage({});
    setBusy(true);

    LoginRequest request;
    request.email = m_emailField->text().trimmed().toStdString();
    request.password = m_passwordField->text().toStdString();
    request.macAddress = platform::primaryMacAddress().toStdString();

    ServiceCallOptions options;
    options.showIndicatorView = true;
    options.targetIndicatorView = this;
    options.ignoreError = true; // explained in the form, not in a dialog

    QPointer<LoginViewController> self = this;
    auto failed = [self](const ErrorModel& error) {
        if (!self) return;
        self->setBusy(false);
        self->m_messageLabel->showError(error, "loginForm.error.failed");
    };
    ServiceManager::shared().callService<LoginResponse>(
        ServiceEndPoints::User::login, request, options,
        [self](const LoginResponse& response) {
            if (!self) return;
            // A reply without a token is no session: keep the user here instead of saving it.
            if (response.accessDto.accessToken.empty()) {
                self->setBusy(false);
                self->m_messageLabel->showMessage(platform::localized("loginForm.error.failed"));
                return;
            }
            UserProfile::shared().save(response.userInfo, response.accessDto);
            MixpanelManager::mixPanelLog(MixpanelManager::userNameValue(), response.userInfo.email,
                                         MixPanelEventCode::LOGIN, {});
            self->signedIn();
        },
        failed, failed);
}

void LoginViewController::signedIn()
{
    m_passwordField->clear();
    QPointer<QWidget> loginWindow = window();
    Navigator::share().showProjectsMainController([loginWindow](bool shown) {
        // Signed in even when the list could not be loaded: the project window opens empty and
        // offers a refresh, instead of leaving the user at a sign-in form that has done its job.
        if (!shown) Navigator::share().openProjectsMainWindow(nullptr);
        if (loginWindow) loginWindow->close();
    });
}
