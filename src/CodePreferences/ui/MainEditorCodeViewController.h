#pragma once

#include "App/ui/ViewController.h"

#include <map>
#include <memory>

class CodeSyntaxHighlighter;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolButton;
struct ArtboardContainerModel;
struct DirectoryDTO;
struct FileDTO;
struct ProjectContainerModel;

// The editor's code tab: a menu of the artboard's generated files and the text of the chosen one.
class MainEditorCodeViewController : public ViewController {
    Q_OBJECT

public:
    static MainEditorCodeViewController* instantiate();

    std::shared_ptr<ArtboardContainerModel> selectedArtboardContainer;
    std::shared_ptr<ProjectContainerModel> projectContainer;

    // Rebuilds the file menu from the project container's code tree and opens the file whose
    // absolutePath is the container's selectedCodeFilePath (none when no file has it).
    void updateUIForScreenData();
    // Shows the file that a menu item of this tab carries; other items change nothing.
    void menuItemSelected(QAction* item);

    QMenu* fileMenu() const { return m_menu; }
    QToolButton* fileMenuButton() const { return m_menuButton; }
    QPlainTextEdit* textView() const { return m_text; }
    QLabel* fileLabel() const { return m_fileLabel; }
    const std::shared_ptr<FileDTO>& shownFile() const { return m_shownFile; }
    CodeSyntaxHighlighter* highlighter() const { return m_highlighter; }

private:
    MainEditorCodeViewController();
    // Adds the folder's files, then a sub-menu per sub-folder, to `menu`.
    void addDirectory(QMenu* menu, const DirectoryDTO& directory, int depth);
    void showFile(const std::shared_ptr<FileDTO>& file);

    std::map<const QAction*, std::shared_ptr<FileDTO>> m_files;
    std::shared_ptr<FileDTO> m_shownFile;
    QToolButton* m_menuButton = nullptr;          // owned by the layout
    QMenu* m_menu = nullptr;                      // owned by this widget
    QLabel* m_fileLabel = nullptr;                // owned by the layout
    QPlainTextEdit* m_text = nullptr;             // owned by the layout
    CodeSyntaxHighlighter* m_highlighter = nullptr; // owned by m_text's document
};
