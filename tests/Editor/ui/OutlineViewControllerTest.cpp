#include "Editor/LayerOutlineTreeModel.h"
#include "Editor/ViewInfo.h"
#include "Editor/ui/OutlineViewController.h"

#include <gtest/gtest.h>

#include <QTreeView>

#include <memory>
#include <string>

namespace {

std::shared_ptr<LayerSumModel> layer(const std::string& name, std::vector<std::shared_ptr<LayerSumModel>> children = {})
{
    auto l = std::make_shared<LayerSumModel>();
    l->name = name;
    l->isVisible = true;
    l->layers = std::move(children);
    return l;
}

std::vector<std::string> shownChildren(QTreeView* tree, const QModelIndex& parent = {})
{
    std::vector<std::string> names;
    for (int row = 0; row < tree->model()->rowCount(parent); ++row)
        names.push_back(tree->model()->index(row, 0, parent).data().toString().toStdString());
    return names;
}

// The screen data of a view record brings the outline up to date with the layers it holds, also
// where they changed since they were set.
TEST(OutlineViewControllerTest, ScreenDataOfAViewRecordShowsTheLayersAsTheyAreNow)
{
    std::unique_ptr<OutlineViewController> outline(OutlineViewController::instantiate());
    auto group = layer("group", {layer("a")});
    outline->setLayers({group, layer("alone")});
    QTreeView* tree = outline->treeView();
    tree->expandAll();
    group->layers.push_back(layer("b"));

    auto record = std::make_shared<ViewInfo>();
    record->oid = "view-1";
    outline->updateUIForScreenData(record);
    EXPECT_EQ(shownChildren(tree), (std::vector<std::string>{"group", "alone"}));
    EXPECT_EQ(shownChildren(tree, tree->model()->index(0, 0)), (std::vector<std::string>{"a", "b"}));

    outline->updateUIForScreenData(nullptr); // no record: the layers stay
    EXPECT_EQ(shownChildren(tree), (std::vector<std::string>{"group", "alone"}));
}

} // namespace
