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

// The code tree above with its selected file's extension and content replaced.
std::shared_ptr<ProjectContainerModel> containerWithFile(const std::string& extension, std::string content)
{
    auto container = containerWithCode("/Home.swift");
    container->codeDirectory->files.front()->fileExtension = extension;
    container->codeDirectory->files.front()->content = std::move(content);
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
    std::string atLimit = "let s = 1 // note\n";
    while (atLimit.size() < MainEditorCodeViewController::kMaxHighlightedBytes) atLimit += std::string(79, 'a') + "\n";
    atLimit.resize(MainEditorCodeViewController::kMaxHighlightedBytes);
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->show();
    const struct {
        std::string content;
        bool highlighted;
    } cases[] = {{atLimit, true}, {atLimit + "a", false}, {"let s = 1 // note", true}};
    for (const auto& c : cases) {
        code->projectContainer = containerWithFile("swift", c.content);
        code->updateUIForScreenData();
        EXPECT_EQ(code->largeFileView()->isVisible(), !c.highlighted) << c.content.size();
        EXPECT_EQ(colourAt(*code, 10) == CodeSyntaxHighlighter::commentFormat().foreground().color(), c.highlighted)
            << c.content.size();
    }
}

// A file above the limit is shown whole, in both shapes a generator can run away with (one long
// line, many short ones): End and Home scroll to its last and first characters, and selecting all
// and copying hands over its text exactly. Dragging selects from the character boundary nearest
// the press to the one nearest the release, across lines and tabs.
TEST(CodeTabTest, ALargeFileIsShownWholeSelectedAndCopiedExactly)
{
    const std::size_t size = MainEditorCodeViewController::kMaxHighlightedBytes * 4;
    std::string oneLine = "BEGIN\t\xC3\xA9";
    while (oneLine.size() < size) oneLine += "let view = UIView(); ";
    oneLine += "END";
    std::string manyLines = "\tfirst line\r\nsecond line\n";
    for (int i = 0; manyLines.size() < size; ++i) manyLines += "let view" + std::to_string(i) + " = 12\n";
    manyLines += "\tEND \xE2\x82\xAC";
    std::unique_ptr<MainEditorCodeViewController> code(MainEditorCodeViewController::instantiate());
    code->resize(600, 400);
    code->show();
    CodeTextViewer* view = code->largeFileView();
    const auto tab = static_cast<qsizetype>(view->lines().tabColumns());
    ASSERT_GT(tab, 5);
    const struct {
        const std::string& content;
        QString first, last;
    } cases[] = {
        {oneLine, QStringLiteral("BEGIN") + QString(tab - 5, u' ') + QStringLiteral("\u00E9let view"),
         QStringLiteral("UIView(); END")},
        {manyLines, QString(tab, u' ') + QStringLiteral("first line"),
         QString(tab, u' ') + QStringLiteral("END \u20AC")},
    };
    for (const auto& c : cases) {
        code->projectContainer = containerWithFile("swift", c.content);
        code->updateUIForScreenData();
        QTest::keyClick(view, Qt::Key_End);
        EXPECT_TRUE(view->shownLines().back().endsWith(c.last)) << view->shownLines().back().toStdString();
        QTest::keyClick(view, Qt::Key_Home);
        EXPECT_TRUE(view->shownLines().front().startsWith(c.first)) << view->shownLines().front().toStdString();

        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        EXPECT_TRUE(QGuiApplication::clipboard()->text() == QString::fromStdString(c.content)) << "copied exactly";
    }

    // Over the many lines, shown from their start: the middle of a column and of a line, 4 pixels
    // in from the viewport's corner.
    QWidget* viewport = view->viewport();
    const QFontMetricsF font(view->font());
    const auto point = [&](double column, int line) {
        return QPointF(4 + column * font.horizontalAdvance(u'0'), 4 + (line + 0.5) * font.lineSpacing()).toPoint();
    };
    QTest::mousePress(viewport, Qt::LeftButton, {}, point(double(tab) + 2.2, 0)); // after "\tfi"
    const QPoint end = point(5.9, 1);
    QMouseEvent move(QEvent::MouseMove, end, viewport->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    EXPECT_EQ(view->selectedText(), QStringLiteral("rst line\r\nsecond"));

    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, point(double(tab) / 2 - 1, 0)); // inside the tab
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
