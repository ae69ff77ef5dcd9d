#include "Editor/Pages/ViewTreeSearch.h"
#include "Editor/Pages/PageDisplayText.h"
#include "Editor/Pages/TreeContainer.h"
#include "Editor/Pages/ViewOutlineTreeModel.h"
#include "Editor/Pages/ViewTreeTestTrees.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include <string>
#include <vector>

namespace {

using namespace viewtree;
using Lines = std::vector<std::string>;

// The shown tree as "depth name" lines in outline order.
void appendLines(const QAbstractItemModel& model, const QModelIndex& parent, int depth, Lines& out)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        out.push_back(std::to_string(depth) + " " + index.data().toString().toStdString());
        appendLines(model, index, depth + 1, out);
    }
}

Lines shownLines(const QAbstractItemModel& model)
{
    Lines lines;
    appendLines(model, QModelIndex(), 0, lines);
    return lines;
}

Lines treeLines(const std::vector<Node>& list, int depth = 0)
{
    Lines lines;
    for (const auto& n : list) {
        lines.push_back(std::to_string(depth) + " " + n->name);
        for (auto& line : treeLines(n->views, depth + 1)) lines.push_back(std::move(line));
    }
    return lines;
}

class ViewOutlineTreeModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tester = std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        tree = screenTree();
        model.update({}, tree);
    }

    ViewOutlineTreeModel model;
    std::unique_ptr<QAbstractItemModelTester> tester;
    std::vector<Node> tree;
};

const Lines kWholeTree{"0 Screen", "1 Title", "1 Card", "2 OK"};

TEST_F(ViewOutlineTreeModelTest, SearchKeepsMatchingNodesWholeAndCutsOtherBranches)
{
    const struct {
        const char* query;
        Lines shown;
    } cases[] = {
        {"butt", {"0 Screen", "1 Card", "2 OK"}},    // by class name, two levels down
        {"LABEL", {"0 Screen", "1 Title"}},          // case-insensitive class name
        {"uiview", kWholeTree},                      // the root's class: the whole subtree
        {"card", {"0 Screen", "1 Card", "2 OK"}},    // a matching node keeps its children
        {"t", kWholeTree},                           // Title, and "UIButton" of OK under Card
        {"ok", {"0 Screen", "1 Card", "2 OK"}},
        {"zzz", {}},
        {"", kWholeTree},                            // clearing shows the whole tree again
    };
    for (const auto& c : cases) {
        model.applySearchText(c.query);
        EXPECT_EQ(shownLines(model), c.shown) << c.query;
        EXPECT_EQ(model.isSearchActive(), std::string(c.query) != "") << c.query;
        // the page's own tree is never cut
        EXPECT_EQ(treeLines(model.views().list), kWholeTree) << c.query;
    }
}

TEST_F(ViewOutlineTreeModelTest, ClearingShowsThePageTreeWithoutRecomputingIt)
{
    model.applySearchText("butt");
    const Node filteredRoot = model.views().filteredList.at(0);
    model.applySearchText("");
    EXPECT_EQ(model.shownList().at(0), tree.at(0)); // the very nodes handed in
    EXPECT_EQ(model.views().filteredList.at(0), filteredRoot); // the last result stays, unshown
    EXPECT_NE(filteredRoot, tree.at(0));
}

TEST_F(ViewOutlineTreeModelTest, UpdateDuringSearchShowsAnEmptyResultUntilTheTextChanges)
{
    model.applySearchText("butt");
    model.update({}, screenTree());
    EXPECT_TRUE(model.isSearchActive());
    EXPECT_EQ(shownLines(model), Lines{});
    model.applySearchText("butto");
    EXPECT_EQ(shownLines(model), (Lines{"0 Screen", "1 Card", "2 OK"}));
}

TEST_F(ViewOutlineTreeModelTest, RolesOfARow)
{
    model.update({}, {node("Root", "UIView", {node("Buy", "UIButton", {}, true), node("Group", "UIView", {}, false, false)})});
    const QModelIndex root = model.index(0, 0);
    const QModelIndex buy = model.index(0, 0, root);
    const QModelIndex group = model.index(1, 0, root);
    EXPECT_EQ(buy.data(ViewOutlineTreeModel::ClassNameRole).toString(), QStringLiteral("UIButton"));
    EXPECT_EQ(buy.data(ViewOutlineTreeModel::AncestorClassKeyRole).toString(), QStringLiteral("button"));
    EXPECT_EQ(buy.data(Qt::ToolTipRole).toString(), QStringLiteral("Root")); // the parent's id
    EXPECT_TRUE(buy.data(ViewOutlineTreeModel::IsInstanceRole).toBool());
    EXPECT_EQ(buy.data(ViewOutlineTreeModel::ViewIdRole).toString(), QStringLiteral("Buy"));
    EXPECT_EQ(group.data(ViewOutlineTreeModel::ViewIdRole).toString(), QString());
    EXPECT_EQ(model.parent(buy), root);
    EXPECT_EQ(model.nodeAt(group)->name, "Group");
    EXPECT_EQ(model.nodeAt(QModelIndex()), nullptr);
}

// A row's texts are asked for on every paint; a view lays out what it gets in full.
TEST_F(ViewOutlineTreeModelTest, LongTextsOfARowAreBoundedAndSearchedWhole)
{
    const std::string megabyte(1'000'000, 'z');
    model.update({}, {node(megabyte, megabyte, {node("Child", "UIView")})});
    const QModelIndex root = model.index(0, 0);
    const QString shown = QString(PageDisplayText::kMaxLength, QLatin1Char('z')) + QChar(0x2026);
    EXPECT_EQ(root.data().toString(), shown);
    EXPECT_EQ(root.data(ViewOutlineTreeModel::ClassNameRole).toString(), shown);
    EXPECT_EQ(model.index(0, 0, root).data(Qt::ToolTipRole).toString(), shown) << "its parent's id";
    model.applySearchText(megabyte.substr(0, 900) + "Z");
    EXPECT_EQ(shownLines(model).size(), 2u);
}

TEST(TreeContainerTest, CopyEqualsTheEncodedAndDecodedTreeAndSharesNoNode)
{
    auto tree = screenTree();
    tree.at(0)->views.at(1)->frame->width = 120.5;
    tree.at(0)->views.at(0)->frame = nullptr; // decodes to the default frame
    tree.at(0)->views.push_back(nullptr);     // the decoder skips it
    const TreeContainer original(tree);

    const auto copy = TreeContainer::getCopy(original);
    ASSERT_TRUE(copy.has_value());
    TreeContainer byEncoding;
    jsonmap::read(jsonmap::write(original), byEncoding);
    EXPECT_EQ(jsonmap::write(*copy), jsonmap::write(byEncoding));

    ASSERT_EQ(copy->list.size(), 1u);
    const Node& copiedCard = copy->list.at(0)->views.at(1);
    EXPECT_NE(copy->list.at(0), tree.at(0));
    EXPECT_NE(copiedCard, tree.at(0)->views.at(1));
    EXPECT_NE(copiedCard->frame, tree.at(0)->views.at(1)->frame);
    copiedCard->views.clear();
    copiedCard->frame->width = 1;
    EXPECT_EQ(tree.at(0)->views.at(1)->views.size(), 1u);
    EXPECT_EQ(tree.at(0)->views.at(1)->frame->width, 120.5);
}

TEST(ViewTreeSearchTest, SeveralRootsKeepTheirOrder)
{
    const std::vector<Node> roots{node("Header", "UIView", {node("Back", "UIButton")}), node("Body", "UILabel"),
                                  node("Footer", "UIView", {node("Next", "UIButton")})};
    const auto result = ViewTreeSearch(roots).search("Button");
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(treeLines(*result), (Lines{"0 Header", "1 Back", "0 Footer", "1 Next"}));
    EXPECT_EQ(roots.at(0)->views.size(), 1u);
}

} // namespace
