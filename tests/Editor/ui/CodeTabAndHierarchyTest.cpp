#include "App/ui/MainContentViewController.h"
#include "CodePreferences/CodeSyntaxHighlighter.h"
#include "CodePreferences/ui/CodeTextViewer.h"
#include "CodePreferences/ui/MainEditorCodeViewController.h"
#include "Components/ui/ComponentsViewController.h"
#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/Pages/ui/ColorsViewController.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ProjectContainerModel.h"
#include "Projects/ui/MainViewController.h"
#include "Projects/ui/ProjectsViewController.h"
#include "Projects/ui/SideMenuContentViewController.h"
#include "Projects/ui/SideMenuViewController.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTest>
#include <QTextLayout>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::shared_ptr<ProjectContainerModel> containerWithCode(const std::string& selected)
{
    const auto reply = jsonmap::fromJson<ArtboardDetailInfoResponse>(boost::json::parse(R"({
      "codeDirectory": {"name": "root",
        "files": [{"path": "Home.swift", "absolutePath": "/Home.swift", "fileExtension": "swift", "content": "let a = 1"}],
        "directories": [
          {"name": "Views", "files": [{"path": "Card.kt", "absolutePath": "/Views/Card.kt", "fileExtension": "kt",
                                       "content": "val card = \"x\""},
                                      {"path": "Row.swift", "absolutePath": "/Views/Row.swift", "content": "// row"}],
           "directories": [{"name": "Cells", "files": [{"path": "Cell.swift", "absolutePath": "/Views/Cells/Cell.swift"}]}]},
          {"name": "Empty"}]}})"));
    auto container = std::make_shared<ProjectContainerModel>();
    container->codeDirectory = reply.codeDirectory;
    container->selectedCodeFilePath = selected;
    return container;
}

// Opens `menu` as the user does (a folder's entries are made when its menu is about to show) and
// answers its titles depth-first, sub-menus as "name/" followed by their entries, each opened.
std::vector<std::string> openedOutline(QMenu* menu, const std::string& prefix = {})
{
    menu->popup(QPoint(0, 0));
    std::vector<std::string> out;
    for (QAction* action : menu->actions()) {
        if (QMenu* sub = action->menu()) {
            out.push_back(prefix + action->text().toStdString() + "/");
            for (auto& entry : openedOutline(sub, prefix + "  ")) out.push_back(std::move(entry));
        } else {
            out.push_back(prefix + action->text().toStdString());
        }
    }
    menu->hide();
    return out;
}

TEST(CodeTabTest, MenuFollowsTheCodeTreeAndTheSelectedFileOpensFirst)
{
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->projectContainer = containerWithCode("/Views/Card.kt");
    code->updateUIForScreenData();
    // The selected file opens before any menu is made.
    EXPECT_TRUE(code->fileMenu()->actions().isEmpty());
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("val card = \"x\""));
    EXPECT_EQ(openedOutline(code->fileMenu()), (std::vector<std::string>{"Home.swift", "Views/", "  Card.kt", "  Row.swift",
                                                                         "  Cells/", "    Cell.swift", "Empty/"}));
    EXPECT_TRUE(code->textView()->isReadOnly());
    EXPECT_EQ(code->highlighter()->language(), CodeSyntaxHighlighter::Language::kotlin);
    EXPECT_EQ(code->fileLabel()->text(), QStringLiteral("Card.kt"));

    // Choosing another file from the menu shows it.
    QAction* home = code->fileMenu()->actions().front();
    code->menuItemSelected(home);
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("let a = 1"));
    EXPECT_EQ(code->highlighter()->language(), CodeSyntaxHighlighter::Language::swift);
    // An item of another menu changes nothing.
    QAction stranger(QStringLiteral("stranger"));
    code->menuItemSelected(&stranger);
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("let a = 1"));
}

// A tree of many files and folders stays cheap: the file the reply selects is found without a
// menu, a folder's menu is made when it is about to show and lists a bounded number of entries,
// the rest summed up in one disabled entry that opens nothing, and a new reply drops the menus made.
TEST(CodeTabTest, AWideTreeMakesOnlyTheMenusTheUserOpensEachBounded)
{
    constexpr int kMax = MainEditorCodeViewController::kMaxMenuEntries;
    const auto folder = [](const std::string& name, int files) {
        auto directory = std::make_shared<DirectoryDTO>();
        directory->name = name;
        for (int i = 0; i < files; ++i) {
            directory->files.push_back(std::make_shared<FileDTO>());
            directory->files.back()->path = "File" + std::to_string(i) + ".swift";
            directory->files.back()->absolutePath = "/" + name + "/" + std::to_string(i);
            directory->files.back()->content = name + " " + std::to_string(i);
        }
        return directory;
    };
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->projectContainer = std::make_shared<ProjectContainerModel>();
    code->projectContainer->codeDirectory = folder("", kMax - 1);
    code->projectContainer->codeDirectory->directories = {folder("F1", kMax + 1), folder("F2", 0), folder("F3", 1)};
    code->projectContainer->selectedCodeFilePath = "/F3/0";
    code->updateUIForScreenData();
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("F3 0")) << "found without a menu";
    EXPECT_TRUE(code->fileMenu()->findChildren<QMenu*>().isEmpty());

    code->fileMenu()->popup(QPoint(0, 0));
    const QList<QAction*> top = code->fileMenu()->actions();
    ASSERT_EQ(top.size(), kMax + 1);
    EXPECT_EQ(top[kMax - 1]->text(), QStringLiteral("F1"));
    EXPECT_EQ(top.back()->text(), QStringLiteral("… and 2 more"));
    QMenu* first = top[kMax - 1]->menu();
    EXPECT_TRUE(first->actions().isEmpty()) << "made when it is about to show";
    first->popup(QPoint(0, 0));
    ASSERT_EQ(first->actions().size(), kMax + 1);
    EXPECT_EQ(first->actions().back()->text(), QStringLiteral("… and 1 more"));
    for (QAction* summary : {top.back(), first->actions().back()}) {
        EXPECT_FALSE(summary->isEnabled());
        code->menuItemSelected(summary);
    }
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("F3 0")) << "a summary opens nothing";
    first->actions().front()->trigger();
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("F1 0")) << "a late menu's entry reaches the tab";
    first->hide();

    code->updateUIForScreenData();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(code->fileMenu()->findChildren<QMenu*>().isEmpty()) << "the folders of the last reply are gone";
    code->fileMenu()->popup(QPoint(0, 0));
    EXPECT_EQ(code->fileMenu()->actions().size(), kMax + 1) << "the new reply's menu fills as the old one did";
}

// The colour the highlighter gave the text at `position` of the shown file's first line.
QColor colourAt(const MainEditorCodeViewController& code, int position)
{
    const QTextBlock block = code.textView()->document()->firstBlock();
    for (const QTextLayout::FormatRange& range : block.layout()->formats())
        if (position >= range.start && position < range.start + range.length) return range.format.foreground().color();
    return {};
}

// A container whose tree holds one file, which it selects.
std::shared_ptr<ProjectContainerModel> containerWithFile(const std::string& extension, std::string content)
{
    auto container = std::make_shared<ProjectContainerModel>();
    container->codeDirectory = std::make_shared<DirectoryDTO>();
    auto file = std::make_shared<FileDTO>();
    file->absolutePath = "/F";
    file->fileExtension = extension;
    file->content = std::move(content);
    container->codeDirectory->files.push_back(file);
    container->selectedCodeFilePath = "/F";
    return container;
}

TEST(CodeTabTest, SwiftAndKotlinGetKeywordStringNumberAndCommentColours)
{
    struct Case {
        const char* extension;
        const char* line;
        int keyword, string, number, comment, plain;
    } cases[] = {
        {"swift", "let s = \"a\" + 42 // note", 0, 8, 14, 17, 4},
        {"kt", "val s = \"a\" + 42 // note", 0, 8, 14, 17, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
        code->projectContainer = containerWithFile(c.extension, c.line);
        code->updateUIForScreenData();
        EXPECT_EQ(colourAt(*code, c.keyword), CodeSyntaxHighlighter::keywordFormat().foreground().color());
        EXPECT_EQ(colourAt(*code, c.string), CodeSyntaxHighlighter::stringFormat().foreground().color());
        EXPECT_EQ(colourAt(*code, c.number), CodeSyntaxHighlighter::numberFormat().foreground().color());
        EXPECT_EQ(colourAt(*code, c.comment), CodeSyntaxHighlighter::commentFormat().foreground().color());
        EXPECT_FALSE(colourAt(*code, c.plain).isValid());
    }
}

// A file of the largest highlighted size still opens in the highlighting editor; one byte more
// goes to the viewer of large files, and a small file after it to the editor again.
TEST(CodeTabTest, FilesUpToTheLimitKeepTheirColours)
{
    constexpr std::size_t kLimit = MainEditorCodeViewController::kMaxHighlightedBytes;
    std::string atLimit = "let s = 1 // note\n";
    while (atLimit.size() < kLimit) atLimit += std::string(std::min<std::size_t>(79, kLimit - atLimit.size() - 1), 'a') + "\n";
    ASSERT_EQ(atLimit.size(), kLimit);
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->show();
    const struct {
        std::string content;
        bool highlighted;
    } cases[] = {{atLimit, true}, {atLimit + "a", false}, {"let s = 1 // note", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.content.size());
        code->projectContainer = containerWithFile("swift", c.content);
        code->updateUIForScreenData();
        EXPECT_EQ(code->textView()->isVisible(), c.highlighted);
        EXPECT_EQ(code->largeFileView()->isVisible(), !c.highlighted);
        EXPECT_EQ(colourAt(*code, 0).isValid(), c.highlighted);
        EXPECT_EQ(colourAt(*code, 10) == CodeSyntaxHighlighter::commentFormat().foreground().color(), c.highlighted);
    }
}

// What the large-file viewer paints from its first to its last line, scrolled with Home and End.
struct ShownEnds {
    QString firstLine, lastLine;
};

ShownEnds shownEnds(CodeTextViewer* view)
{
    QTest::keyClick(view, Qt::Key_End);
    const QString last = view->shownLines().back();
    QTest::keyClick(view, Qt::Key_Home);
    return {view->shownLines().front(), last};
}

// A file above the limit is shown whole: its first and last characters can be scrolled to, and
// selecting all and copying hands over the file's text exactly, in both shapes a generator can
// run away with (one long line, many short ones).
TEST(CodeTabTest, ALargeFileIsShownWholeAndCopiesExactly)
{
    const std::size_t size = MainEditorCodeViewController::kMaxHighlightedBytes * 4;
    std::string oneLine = "BEGIN\t\xC3\xA9";
    while (oneLine.size() < size) oneLine += "let view = UIView(); ";
    oneLine += "END";
    std::string manyLines = "BEGIN\r\n";
    for (int i = 0; manyLines.size() < size; ++i) manyLines += "let view" + std::to_string(i) + " = 12\n";
    manyLines += "\tEND \xE2\x82\xAC";
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->resize(600, 400);
    code->show();
    const auto tab = static_cast<qsizetype>(code->largeFileView()->lines().tabColumns());
    ASSERT_GT(tab, 5);
    const struct {
        const char* name;
        const std::string& content;
        QString first, last;
    } cases[] = {
        {"one line", oneLine, QStringLiteral("BEGIN") + QString(tab - 5, u' ') + QStringLiteral("\u00E9let view"),
         QStringLiteral("UIView(); END")},
        {"many lines", manyLines, QStringLiteral("BEGIN"), QString(tab, u' ') + QStringLiteral("END \u20AC")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        code->projectContainer = containerWithFile("swift", c.content);
        code->updateUIForScreenData();
        CodeTextViewer* view = code->largeFileView();
        ASSERT_TRUE(view->isVisible());
        const ShownEnds ends = shownEnds(view);
        EXPECT_TRUE(ends.firstLine.startsWith(c.first)) << ends.firstLine.toStdString();
        EXPECT_TRUE(ends.lastLine.endsWith(c.last)) << ends.lastLine.toStdString();

        QGuiApplication::clipboard()->clear();
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(QGuiApplication::clipboard()->text() == QString::fromStdString(c.content)) << "copied exactly";
    }
}

// Dragging over the viewer selects from the character boundary nearest the press to the one
// nearest the release, across lines and tabs.
TEST(CodeTabTest, DraggingOverALargeFileSelectsBetweenTheNearestCharacters)
{
    std::string content = "\tfirst line\nsecond line\n";
    content += std::string(MainEditorCodeViewController::kMaxHighlightedBytes, 'x');
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->resize(600, 400);
    code->show();
    code->projectContainer = containerWithFile("swift", content);
    code->updateUIForScreenData();
    CodeTextViewer* view = code->largeFileView();
    const auto tab = static_cast<double>(view->lines().tabColumns());
    const QFontMetricsF metrics(view->font());
    // the middle of a column and of a line, 4 pixels in from the viewport's corner
    const auto point = [&](double column, int line) {
        return QPointF(4 + column * metrics.horizontalAdvance(QLatin1Char('0')), 4 + (line + 0.5) * metrics.lineSpacing()).toPoint();
    };
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, point(tab + 2.2, 0)); // after "\tfi"
    QMouseEvent move(QEvent::MouseMove, point(5.9, 1), view->viewport()->mapToGlobal(point(5.9, 1)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &move);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, point(5.9, 1));
    EXPECT_EQ(view->selectedText(), QStringLiteral("rst line\nsecond"));

    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, point(tab / 2 - 1, 0)); // inside the tab: its start
    EXPECT_EQ(view->selectedText(), QStringLiteral("\tfi"));
}

TEST(CodeTabTest, NoMatchingPathOrNoTreeOpensNoFile)
{
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->projectContainer = containerWithCode("/Nowhere.swift");
    code->updateUIForScreenData();
    EXPECT_EQ(code->shownFile(), nullptr);
    EXPECT_TRUE(code->textView()->toPlainText().isEmpty());
    code->fileMenu()->popup(QPoint(0, 0));
    EXPECT_EQ(code->fileMenu()->actions().size(), 3);
    code->fileMenu()->hide();

    code->projectContainer = std::make_shared<ProjectContainerModel>(); // a reply whose tree was null
    code->updateUIForScreenData();
    code->fileMenu()->popup(QPoint(0, 0));
    EXPECT_TRUE(code->fileMenu()->actions().isEmpty());
    EXPECT_FALSE(code->fileMenuButton()->isEnabled());
}

TEST(CodeTabTest, CanvasMenuChoiceReachesTheCodeTabOfItsEditor)
{
    std::unique_ptr<MainEditorViewController> editor(MainEditorViewController::instantiate());
    auto* code = editor->getCodeViewController();
    ASSERT_NE(code, nullptr);
    code->projectContainer = containerWithCode("");
    code->updateUIForScreenData();
    code->fileMenu()->popup(QPoint(0, 0));
    editor->getDesignViewController()->menuItemSelected(code->fileMenu()->actions().front());
    EXPECT_EQ(code->textView()->toPlainText(), QStringLiteral("let a = 1"));
}

// The whole window chain, as the project window builds it, with the editor on top.
struct Chain {
    std::unique_ptr<MainViewController> root{MainViewController::instantiate()};
    MainEditorViewController* editor = MainEditorViewController::instantiate(); // owned by the stack
    MainContentViewController* stack = root->contentStack();                    // owned by root
    SideMenuViewController* side = root->sideMenu();                            // owned by root
    Chain() { stack->push(editor); }
    SideMenuContentViewController* content() const { return side->contentViewController(); }
};

TEST(EditorHierarchyTest, EveryChainAnswersAlongTheFullHierarchy)
{
    Chain chain;
    EXPECT_EQ(editorhierarchy::mainViewOfEditor(chain.editor), chain.root.get());
    EXPECT_NE(chain.editor->getComponentsVC(), nullptr);
    EXPECT_NE(chain.editor->getCreateComponentVC(), nullptr);
    EXPECT_NE(chain.editor->getConvertViewVC(), nullptr);
    EXPECT_EQ(chain.root->contentStack()->getDesignVC(), chain.editor->getDesignViewController());
    auto* page = chain.content()->getVC(SideMenuContentType::colors);
    EXPECT_EQ(editorhierarchy::editorOfPage(page), chain.editor);
    EXPECT_EQ(editorhierarchy::sideMenuOfPage(page), chain.root->sideMenu());
    EXPECT_EQ(editorhierarchy::editorOfCanvas(chain.editor->getDesignViewController()), chain.editor);
    EXPECT_EQ(chain.content()->getVC(kSideMenuContentTypeCount), nullptr);
}

struct MissingLink {
    const char* name;
    std::function<void(Chain&)> cut;
    bool canvasStillReachable; // the design canvas hangs on the stack alone, not on the window
};

void PrintTo(const MissingLink& link, std::ostream* os) { *os << link.name; }

class MissingLinkTest : public ::testing::TestWithParam<MissingLink> {};

TEST_P(MissingLinkTest, EndsEveryChainThroughItSilently)
{
    Chain chain;
    GetParam().cut(chain);
    EXPECT_EQ(editorhierarchy::mainViewOfEditor(chain.editor), nullptr);
    EXPECT_EQ(chain.editor->getComponentsVC(), nullptr);
    EXPECT_EQ(chain.editor->getCreateComponentVC(), nullptr);
    EXPECT_EQ(chain.editor->getConvertViewVC(), nullptr);
    EXPECT_EQ(editorhierarchy::editorOfPage(chain.content()->getVC(SideMenuContentType::components)), nullptr);
    EXPECT_EQ(chain.stack->getDesignVC() != nullptr, GetParam().canvasStillReachable);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MissingLinkTest,
    ::testing::Values(
        // The editor is covered by another screen: it is no longer the stack's child.
        MissingLink{"covered", [](Chain& c) { c.root->contentStack()->push(ProjectsViewController::instantiate()); }, false},
        // The stack has no window root above it.
        MissingLink{"rootless",
                    [](Chain& c) {
                        c.root->removeChildController(c.root->contentStack());
                        c.root->removeChildController(c.root->sideMenu());
                    },
                    true}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(EditorHierarchyTest, MissingLinksBelowTheEditorEndTheirChains)
{
    std::unique_ptr<MainEditorViewController> editor(MainEditorViewController::instantiate());
    auto* canvas = editor->getDesignViewController();
    ASSERT_NE(canvas, nullptr);
    auto* split = canvas->parentController();
    split->removeChildController(canvas);
    EXPECT_EQ(editor->getDesignViewController(), nullptr);
    EXPECT_EQ(editorhierarchy::editorOfCanvas(canvas), nullptr);
    EXPECT_EQ(editorhierarchy::codeTabOfCanvas(canvas), nullptr);
    split->addChildController(canvas);

    auto* code = editor->getCodeViewController();
    editor->removeChildController(code);
    EXPECT_EQ(editor->getCodeViewController(), nullptr);
    // Without its code tab the editor still updates its design half.
    editor->updateUI(std::make_shared<ProjectContainerModel>(), true);
    EXPECT_EQ(editorhierarchy::codeTabOfCanvas(canvas), nullptr);
    delete code;

    // A page outside any side menu finds no editor.
    std::unique_ptr<ColorsViewController> loose(ColorsViewController::instantiate());
    EXPECT_EQ(editorhierarchy::editorOfPage(loose.get()), nullptr);
    EXPECT_EQ(editorhierarchy::sideMenuOfPage(loose.get()), nullptr);
}

} // namespace
