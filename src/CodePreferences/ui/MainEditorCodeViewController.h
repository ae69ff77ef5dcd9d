#pragma once

#include "App/ui/ViewController.h"

#include <cstddef>
#include <map>
#include <memory>

class CodeSyntaxHighlighter;
class CodeTextViewer;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QStackedWidget;
class QToolButton;
struct ArtboardContainerModel;
struct DirectoryDTO;
struct FileDTO;
struct ProjectContainerModel;

// The editor's code tab: a menu of the artboard's generated files and the text of the chosen one.
// A folder's menu is filled when it is about to show, and holds at most kMaxMenuEntries entries
// (the rest summed up in one disabled entry), so a code tree of any size costs nothing until the
// user opens its folders.
//
// A file up to kMaxHighlightedBytes is shown highlighted in a plain text editor. A larger one
// (a hostile or runaway reply can send tens of megabytes, possibly on one line) is shown whole
// and uncoloured in a viewer that lays out only the lines in its window, read from the file's
// content in place: the editor would lay out and colour every line at once, for seconds and
// dozens of bytes of memory per byte of the file.
class MainEditorCodeViewController : public ViewController {
    Q_OBJECT

public:
    // More entries than fit a screen are of no use in one menu, and each costs a widget.
    static constexpr int kMaxMenuEntries = 200;
    // Generated trees are a few folders deep; a deeper reply is cut off rather than followed.
    static constexpr int kMaxMenuDepth = 16;
    // Far above a generated screen's code (a few kilobytes to some tens); the editor shows a
    // file of this size in a fraction of a second.
    static constexpr std::size_t kMaxHighlightedBytes = 256 * 1024;

    static MainEditorCodeViewController* instantiate();

    std::shared_ptr<ArtboardContainerModel> selectedArtboardContainer;
    std::shared_ptr<ProjectContainerModel> projectContainer;

    // Empties the file menu (its folders are filled when shown) and opens the file whose
    // absolutePath is the container's selectedCodeFilePath (none when no file has it).
    void updateUIForScreenData();
    // Shows the file that a menu item of this tab carries; other items change nothing.
    void menuItemSelected(QAction* item);

    QMenu* fileMenu() const { return m_menu; }
    QToolButton* fileMenuButton() const { return m_menuButton; }
    // The highlighted view of a file up to kMaxHighlightedBytes (empty while a larger one is shown).
    QPlainTextEdit* textView() const { return m_text; }
    // The view of a larger file (empty otherwise); whichever of the two shows a file is visible.
    CodeTextViewer* largeFileView() const { return m_largeText; }
    QLabel* fileLabel() const { return m_fileLabel; }
    const std::shared_ptr<FileDTO>& shownFile() const { return m_shownFile; }
    CodeSyntaxHighlighter* highlighter() const { return m_highlighter; }

private:
    struct PendingFolder {
        std::shared_ptr<const DirectoryDTO> directory;
        int depth = 0;
    };

    MainEditorCodeViewController();
    // Gives a menu its folder's entries on its first showing.
    void fill(QMenu* menu);
    // Files first, then a sub-menu per sub-folder, up to kMaxMenuEntries.
    void addEntries(QMenu* menu, const DirectoryDTO& directory, int depth);
    void clearMenu();
    void showFile(const std::shared_ptr<FileDTO>& file);

    std::map<const QAction*, std::shared_ptr<FileDTO>> m_files;
    std::map<const QMenu*, PendingFolder> m_pending; // menus not shown yet, with what they will hold
    std::shared_ptr<FileDTO> m_shownFile;
    QToolButton* m_menuButton = nullptr;          // owned by the layout
    QMenu* m_menu = nullptr;                      // owned by this widget
    QLabel* m_fileLabel = nullptr;                // owned by the layout
    QStackedWidget* m_textViews = nullptr;        // owned by the layout
    QPlainTextEdit* m_text = nullptr;             // owned by m_textViews
    CodeTextViewer* m_largeText = nullptr;        // owned by m_textViews
    CodeSyntaxHighlighter* m_highlighter = nullptr; // owned by m_text's document
};
