#include "App/ui/ViewController.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SideController : public ViewController {
    Q_OBJECT
};

class ContentController : public ViewController {
    Q_OBJECT
};

TEST(ViewController, DestroyedChildLeavesTheListAndAParentlessChildStaysSafe)
{
    auto root = std::make_unique<ViewController>();
    auto first = std::make_unique<SideController>();
    auto second = std::make_unique<ContentController>();
    root->addChildController(first.get());
    root->addChildController(second.get());
    first.reset();
    EXPECT_EQ(root->childControllerCount(), 1u);
    EXPECT_EQ(root->childAs<ContentController>(0), second.get());

    root.reset();
    EXPECT_EQ(second->parentController(), nullptr);
}

} // namespace

#include "ViewControllerTest.moc"
