#pragma once

#include "App/ui/FormMessageLabel.h"
#include "App/ui/ViewController.h"
#include "Projects/AllProjectResponse.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// Creates a project ("project/create") for the design being imported and starts the upload into
// it. "Back" returns to the project selection it came from.
class CreateNewProjectViewController : public ViewController {
    Q_OBJECT

public:
    // `selection`: the project list to go back to.
    static CreateNewProjectViewController* instantiate(const AllProjectResponse& selection);

    // Checks the form and asks the service for the new project; on success the upload starts.
    void callCreateProject();
    void goBack();

    QLineEdit* nameField() const { return m_nameField; }
    QComboBox* platformField() const { return m_platformField; }
    QPushButton* createButton() const { return m_createButton; }
    QPushButton* backButton() const { return m_backButton; }
    QLabel* messageLabel() const { return m_messageLabel; }

private:
    explicit CreateNewProjectViewController(AllProjectResponse selection);
    void buildLayout();
    void setBusy(bool busy);

    AllProjectResponse m_selection;
    QLineEdit* m_nameField = nullptr;      // owned by the layout
    QComboBox* m_platformField = nullptr;  // owned by the layout
    QPushButton* m_createButton = nullptr; // owned by the layout
    QPushButton* m_backButton = nullptr;   // owned by the layout
    FormMessageLabel* m_messageLabel = nullptr; // owned by the layout
};
