#include "CodePreferences/ui/MainEditorCodeViewController.h"

#include "CodePreferences/CodeFolderListing.h"
#include "CodePreferences/CodeSyntaxHighlighter.h"
#include "CodePreferences/ui/CodeTextViewer.h"
#include "Editor/DirectoryDTO.h"
#include "Projects/ProjectContainerModel.h"
#include "platform/Localization.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

MainEditorCodeViewController* MainEditorCodeViewController::instantiate()
{
    return new MainEditorCodeViewController;
}

MainEditorCodeViewController::MainEditorCodeViewController()
{
    setObjectName(QStringLiteral("MainEditorCodeViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(8, 4, 8, 4);
    bar->setSpacing(10);
    m_menuButton = new QToolButton(this);
    m_menuButton->setObjectName(QStringLiteral("codeFileMenuButton"));
    m_menuButton->setText(platform::localized("codeView.files"));
    m_menuButton->setPopupMode(QToolButton::InstantPopup);
    m_menu = new QMenu(this);
    m_menuButton->setMenu(m_menu);
    bar->addWidget(m_menuButton);
    m_fileLabel = new QLabel(this);
    m_fileLabel->setObjectName(QStringLiteral("codeFileLabel"));
    bar->addWidget(m_fileLabel, 1);
    layout->addLayout(bar);
    m_textViews = new QStackedWidget(this);
    m_text = new QPlainTextEdit(m_textViews);
    m_text->setObjectName(QStringLiteral("codeTextView"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlaceholderText(platform::localized("codeView.noFile"));
    m_textViews->addWidget(m_text);
    m_largeText = new CodeTextViewer(m_textViews);
    m_largeText->setObjectName(QStringLiteral("codeLargeTextView"));
    m_largeText->setFont(m_text->font());
    m_textViews->addWidget(m_largeText);
    layout->addWidget(m_textViews, 1);
    m_highlighter = new CodeSyntaxHighlighter(m_text->document());
    connect(m_menu, &QMenu::aboutToShow, this, [this] { fill(m_menu); });
    // Sub-menus hand their chosen items up to this menu's signal.
    connect(m_menu, &QMenu::triggered, this, &MainEditorCodeViewController::menuItemSelected);
}

void MainEditorCodeViewController::fill(QMenu* menu)
{
    const auto pending = m_pending.find(menu);
    if (pending == m_pending.end()) return; // filled already
    const PendingFolder folder = std::move(pending->second);
    m_pending.erase(pending);
    if (folder.directory) addEntries(menu, *folder.directory, folder.depth);
}

void MainEditorCodeViewController::addEntries(QMenu* menu, const DirectoryDTO& directory, int depth)
{
    const CodeFolderListing listing =
        CodeFolderListing::of(directory, depth < kMaxMenuDepth, static_cast<std::size_t>(kMaxMenuEntries));
    for (const auto& file : listing.files) {
        QAction* action = menu->addAction(QString::fromStdString(file->path.empty() ? file->name : file->path));
        m_files.emplace(action, file);
    }
    for (const auto& sub : listing.folders) {
        QMenu* subMenu = menu->addMenu(QString::fromStdString(sub->name));
        m_pending[subMenu] = PendingFolder{sub, depth + 1};
        connect(subMenu, &QMenu::aboutToShow, this, [this, subMenu] { fill(subMenu); });
    }
    if (listing.notListed > 0) {
        QAction* more = menu->addAction(platform::localizedFormat("codeView.moreEntries", {QString::number(listing.notListed)}));
        more->setEnabled(false);
    }
}

void MainEditorCodeViewController::clearMenu()
{
    m_files.clear();
    m_pending.clear();
    m_menu->clear();
    // clear() leaves the sub-menus alive (their actions belong to them); a menu may be showing
    // while a new reply arrives, so they go once control is back in the event loop.
    for (QMenu* sub : m_menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        sub->hide();
        sub->deleteLater();
    }
}

void MainEditorCodeViewController::updateUIForScreenData()
{
    clearMenu();
    showFile(nullptr);
    const ProjectContainerModel* container = projectContainer.get();
    if (!container || !container->codeDirectory) {
        m_menuButton->setEnabled(false);
        return;
    }
    m_pending[m_menu] = PendingFolder{container->codeDirectory, 0};
    const CodeFolderListing::Found found =
        CodeFolderListing::findFile(*container->codeDirectory, container->selectedCodeFilePath, kMaxMenuDepth);
    m_menuButton->setEnabled(found.anyFile);
    showFile(found.file);
}

void MainEditorCodeViewController::menuItemSelected(QAction* item)
{
    const auto found = m_files.find(item);
    if (found == m_files.end()) return;
    showFile(found->second);
}

void MainEditorCodeViewController::showFile(const std::shared_ptr<FileDTO>& file)
{
    m_shownFile = file;
    if (!file || file->content.size() > kMaxHighlightedBytes) {
        // emptied before the language changes, which colours the editor's text anew
        m_text->clear();
        m_highlighter->setLanguage(CodeSyntaxHighlighter::Language::plain);
    }
    if (!file) {
        m_fileLabel->clear();
        m_largeText->clear();
        m_textViews->setCurrentWidget(m_text);
        return;
    }
    m_fileLabel->setText(QString::fromStdString(file->path.empty() ? file->name : file->path));
    if (file->content.size() > kMaxHighlightedBytes) {
        // shares the file's content, which a decoded reply never changes
        m_largeText->setText(std::shared_ptr<const std::string>(file, &file->content));
        m_textViews->setCurrentWidget(m_largeText);
        return;
    }
    m_largeText->clear();
    m_textViews->setCurrentWidget(m_text);
    m_highlighter->setLanguage(CodeSyntaxHighlighter::languageForExtension(QString::fromStdString(file->fileExtension)));
    m_text->setPlainText(QString::fromStdString(file->content));
}
