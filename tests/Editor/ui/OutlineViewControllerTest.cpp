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

std::vector<std::string> shownChildren(const QAbstractItemModel* shown, const QModelIndex& parent = {})
{
    std::vector<std::string> names;
    for (int row = 0; row < shown->rowCount(parent); ++row) names.push_back(shown->index(row, 0, parent).data().toString().toStdString());
    return names;
}

// The screen data of a view record brings the outline up to date with the layers it holds, also
// where they changed since they were set.
TEST(OutlineViewControllerTest, ScreenDataOfAViewRecordShowsTheLayersAsTheyAreNow)
{
    std::unique_ptr<OutlineViewController> outline(OutlineViewController::instantiate());
    auto group = layer("group", {layer("a")});
    outline->setLayers({group, layer("alone")});
    group->layers.push_back(layer("b"));

    outline->updateUIForScreenData(std::make_shared<ViewInfo>());
    const QAbstractItemModel* shown = outline->treeView()->model();
    EXPECT_EQ(shownChildren(shown), (std::vector<std::string>{"group", "alone"}));
    EXPECT_EQ(shownChildren(shown, shown->index(0, 0)), (std::vector<std::string>{"a", "b"}));
    outline->updateUIForScreenData(nullptr); // no record: the layers stay
    EXPECT_EQ(shownChildren(shown), (std::vector<std::string>{"group", "alone"}));
}

} // namespace
