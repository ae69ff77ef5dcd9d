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

// Widget order is the opposite of the controller order on purpose: lookups must follow the
// controller list, never the widget tree.
TEST(ViewController, ChildLookupAnswersOnlyTheRightClassAtThePosition)
{
    ViewController root;
    auto* side = new SideController;
    auto* content = new ContentController;
    side->setParent(&root);
    content->setParent(&root);
    content->lower();
    root.addChildController(side);
    root.addChildController(content);

    EXPECT_EQ(root.childAs<SideController>(0), side);
    EXPECT_EQ(root.childAs<ContentController>(1), content);
    EXPECT_EQ(root.childAs<ViewController>(1), content);
    EXPECT_EQ(root.childAs<SideController>(1), nullptr);
    EXPECT_EQ(root.childAs<ContentController>(0), nullptr);
    EXPECT_EQ(root.childAs<ViewController>(2), nullptr);
    EXPECT_EQ(side->parentController(), &root);
    EXPECT_EQ(content->parentController(), &root);
}

TEST(ViewController, ParentAsAnswersNullForOtherClassAndMissingParent)
{
    SideController root;
    auto child = std::make_unique<ContentController>();
    EXPECT_EQ(child->parentAs<ViewController>(), nullptr);
    root.addChildController(child.get());
    EXPECT_EQ(child->parentAs<SideController>(), &root);
    EXPECT_EQ(child->parentAs<ContentController>(), nullptr);
}

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
