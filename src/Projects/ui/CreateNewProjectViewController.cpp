#include "Projects/ui/CreateNewProjectViewController.h"

#include "App/MixpanelManager.h"
#include "App/ui/WindowController.h"
#include "Base/ServiceEndPoints.h"
#include "Base/ServiceManager.h"
#include "Import/Plugin/ExportHelper.h"
#include "Projects/CreateProjectRequest.h"
#include "Projects/ProjectPlatform.h"
#include "Projects/ui/ProjectSelectionViewController.h"
#include "platform/Localization.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int kMaxNameLength = 100;
} // namespace

CreateNewProjectViewController* CreateNewProjectViewController::instantiate(const AllProjectResponse& selection)
{
    return new CreateNewProjectViewController(selection);
}

CreateNewProjectViewController::CreateNewProjectViewController(AllProjectResponse selection)
    : m_selection(std::move(selection))
{
    setObjectName(QStringLiteral("CreateNewProjectViewController"));
    setWindowTitle(platform::localized("createProject.title"));
    buildLayout();
}

void CreateNewProjectViewController::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(12);

    auto* header = new QLabel(platform::localized("createProject.header"), this);
    header->setWordWrap(true);
    layout->addWidget(header);

    auto* form = new QFormLayout;
    m_nameField = new QLineEdit(this);
    m_nameField->setObjectName(QStringLiteral("nameField"));
    m_nameField->setPlaceholderText(platform::localized("createProject.nameField.placeholder"));
    m_nameField->setMaxLength(kMaxNameLength);
    m_nameField->setMinimumWidth(260);
    connect(m_nameField, &QLineEdit::returnPressed, this, &CreateNewProjectViewController::callCreateProject);
    form->addRow(platform::localized("createProject.nameField.label"), m_nameField);

    m_platformField = new QComboBox(this);
    m_platformField->setObjectName(QStringLiteral("platformField"));
    for (const ProjectPlatform p : {ProjectPlatform::iOS, ProjectPlatform::Android}) {
        const auto raw = QString::fromLatin1(rawValue(p).data(), static_cast<qsizetype>(rawValue(p).size()));
        m_platformField->addItem(raw, raw);
    }
    form->addRow(platform::localized("createProject.platformField.label"), m_platformField);
    layout->addLayout(form);

    m_messageLabel = new FormMessageLabel(this);
    layout->addWidget(m_messageLabel);
    layout->addStretch();

    auto* buttons = new QHBoxLayout;
    m_backButton = new QPushButton(platform::localized("createProject.backButton"), this);
    m_backButton->setObjectName(QStringLiteral("backButton"));
    connect(m_backButton, &QPushButton::clicked, this, &CreateNewProjectViewController::goBack);
    buttons->addWidget(m_backButton);
    buttons->addStretch();
    m_createButton = new QPushButton(platform::localized("createProject.createButton"), this);
    m_createButton->setObjectName(QStringLiteral("createButton"));
    m_createButton->setDefault(true);
    connect(m_createButton, &QPushButton::clicked, this, &CreateNewProjectViewController::callCreateProject);
    buttons->addWidget(m_createButton);
    layout->addLayout(buttons);
}

void CreateNewProjectViewController::setBusy(bool busy)
{
    m_createButton->setEnabled(!busy);
    m_backButton->setEnabled(!busy);
    m_nameField->setEnabled(!busy);
    m_platformField->setEnabled(!busy);
}

void CreateNewProjectViewController::callCreateProject()
{
    // One request at a time: Return in the name field and the button both land here.
    if (!m_createButton->isEnabled()) return;
    const QString name = m_nameField->text().trimmed();
    if (name.isEmpty()) {
        m_messageLabel->showMessage(platform::localized("createProject.nameField.requiredError"));
        return;
    }
    m_messageLabel->showMessage({});
    setBusy(true);

    CreateProjectRequest request;
    request.name = name.toStdString();
    request.platform = m_platformField->currentData().toString().toStdString();

    ServiceCallOptions options;
    options.showIndicatorView = true;
    options.targetIndicatorView = this;
    options.ignoreError = true; // shown in the form instead of a dialog

    QPointer<CreateNewProjectViewController> self = this;
    auto failed = [self](const ErrorModel& error) {
        if (!self) return;
        self->setBusy(false);
        self->m_messageLabel->showError(error, "common.errorOccured");
    };
    ServiceManager::shared().callService<CreateProjectResponse>(
        ServiceEndPoints::Project::create, request, options,
        [self](const CreateProjectResponse& response) {
            if (!self) return;
            // A reply without a project would start an upload into no project at all.
            if (response.project.projectId.empty()) {
                self->setBusy(false);
                self->m_messageLabel->showMessage(platform::localized("common.errorOccured"));
                return;
            }
            MixpanelManager::mixPanelLog(MixpanelManager::userNameValue(), MixpanelManager::userEmailValue(),
                                         MixPanelEventCode::CREATE_PROJECT, {});
            const ProjectDisplayInfo project = response.project;
            // Going back from here must list the project that now exists.
            self->m_selection.projects.push_back(project);
            ExportHelper::importer().startExportProcess(project);
            if (self) self->setBusy(false);
        },
        failed, failed);
}

void CreateNewProjectViewController::goBack()
{
    auto* window = qobject_cast<WindowController*>(this->window());
    if (!window) return;
    window->setContentViewController(ProjectSelectionViewController::instantiate(m_selection));
}
