#include "CodePreferences/ui/MainEditorCodeViewController.h"

#include "CodePreferences/CodeSyntaxHighlighter.h"
#include "Editor/DirectoryDTO.h"
#include "Projects/ProjectContainerModel.h"
#include "platform/Localization.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace {
// Generated trees are a few folders deep; a deeper reply is cut off rather than followed.
constexpr int kMaxMenuDepth = 16;
}

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
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("codeTextView"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlaceholderText(platform::localized("codeView.noFile"));
    layout->addWidget(m_text, 1);
    m_highlighter = new CodeSyntaxHighlighter(m_text->document());
    connect(m_menu, &QMenu::triggered, this, &MainEditorCodeViewController::menuItemSelected);
}

void MainEditorCodeViewController::addDirectory(QMenu* menu, const DirectoryDTO& directory, int depth)
{
    for (const auto& file : directory.files) {
        if (!file) continue;
        QAction* action = menu->addAction(QString::fromStdString(file->path.empty() ? file->name : file->path));
        m_files.emplace(action, file);
    }
    if (depth >= kMaxMenuDepth) return;
    for (const auto& sub : directory.directories) {
        if (!sub) continue;
        QMenu* subMenu = menu->addMenu(QString::fromStdString(sub->name));
        addDirectory(subMenu, *sub, depth + 1);
    }
}

void MainEditorCodeViewController::updateUIForScreenData()
{
    m_files.clear();
    m_menu->clear(); // deletes the sub-menus it made
    showFile(nullptr);
    const ProjectContainerModel* container = projectContainer.get();
    if (!container || !container->codeDirectory) {
        m_menuButton->setEnabled(false);
        return;
    }
    addDirectory(m_menu, *container->codeDirectory, 0);
    m_menuButton->setEnabled(!m_files.empty());
    // Files in menu order: the first whose identity matches opens.
    const std::function<std::shared_ptr<FileDTO>(const DirectoryDTO&, int)> find =
        [&](const DirectoryDTO& directory, int depth) -> std::shared_ptr<FileDTO> {
        for (const auto& file : directory.files)
            if (file && file->absolutePath == container->selectedCodeFilePath) return file;
        if (depth >= kMaxMenuDepth) return nullptr;
        for (const auto& sub : directory.directories) {
            if (!sub) continue;
            if (auto found = find(*sub, depth + 1)) return found;
        }
        return nullptr;
    };
    showFile(find(*container->codeDirectory, 0));
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
    if (!file) {
        m_fileLabel->clear();
        m_text->clear();
        m_highlighter->setLanguage(CodeSyntaxHighlighter::Language::plain);
        return;
    }
    m_fileLabel->setText(QString::fromStdString(file->path.empty() ? file->name : file->path));
    m_highlighter->setLanguage(CodeSyntaxHighlighter::languageForExtension(QString::fromStdString(file->fileExtension)));
    m_text->setPlainText(QString::fromStdString(file->content));
}
