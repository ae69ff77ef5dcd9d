#include "Editor/ui/OutlineViewController.h"
#include "Editor/LayerOutlineTreeModel.h"
#include "Editor/ViewInfo.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeView>

#include <memory>
#include <string>
#include <vector>

namespace {

std::shared_ptr<LayerSumModel> layer(const std::string& name, bool visible,
                                     std::vector<std::shared_ptr<LayerSumModel>> children = {})
{
    auto l = std::make_shared<LayerSumModel>();
    l->name = name;
    l->isVisible = visible;
    l->layers = std::move(children);
    return l;
}

// The rows the user sees: names, a child row indented by two spaces.
std::vector<std::string> shownRows(const QTreeView& tree, const QModelIndex& parent = {},
                                   const std::string& indent = {})
{
    std::vector<std::string> rows;
    for (int row = 0; row < tree.model()->rowCount(parent); ++row) {
        const QModelIndex index = tree.model()->index(row, 0, parent);
        rows.push_back(indent + index.data().toString().toStdString());
        if (tree.isExpanded(index))
            for (auto& child : shownRows(tree, index, indent + "  ")) rows.push_back(std::move(child));
    }
    return rows;
}

TEST(OutlineViewControllerTest, RowsHoldingSubLayersOpenWithTheRightKeyDrawnOrNot)
{
    std::unique_ptr<OutlineViewController> outline(OutlineViewController::instantiate());
    outline->setLayers({layer("Card", true, {layer("Title", true)}),
                        layer("Hidden card", false, {layer("Badge", true)}), layer("Divider", true),
                        layer("Ghost", false)});
    outline->show();
    QTreeView* tree = outline->treeView();
    const struct {
        const char* name;
        bool opens;
    } rows[] = {{"Card", true}, {"Hidden card", true}, {"Divider", false}, {"Ghost", false}};
    for (int row = 0; row < 4; ++row) {
        const QModelIndex index = tree->model()->index(row, 0);
        ASSERT_EQ(index.data().toString().toStdString(), rows[row].name);
        tree->setCurrentIndex(index);
        QTest::keyClick(tree, Qt::Key_Right);
        EXPECT_EQ(tree->isExpanded(index), rows[row].opens) << rows[row].name;
    }
    // The sub-layers of an invisible layer are not drawn, so it opens onto nothing.
    EXPECT_EQ(shownRows(*tree), (std::vector<std::string>{"Card", "  Title", "Hidden card", "Divider", "Ghost"}));
}

TEST(OutlineViewControllerTest, ScreenDataShowsTheLayersAsTheyAreNow)
{
    auto card = layer("Card", true);
    std::unique_ptr<OutlineViewController> outline(OutlineViewController::instantiate());
    outline->setLayers({card});
    card->name = "Profile card";
    card->layers = {layer("Avatar", true)};
    outline->updateUIForScreenData(std::make_shared<ViewInfo>());
    outline->treeView()->expandAll();
    EXPECT_EQ(shownRows(*outline->treeView()), (std::vector<std::string>{"Profile card", "  Avatar"}));
}

} // namespace
