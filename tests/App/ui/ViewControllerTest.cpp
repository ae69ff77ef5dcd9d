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

enum class Kind { side, content, any };

struct ChildLookup {
    const char* name;
    std::size_t index;
    Kind asked;
    bool found;
};

class ViewControllerChildLookup : public ::testing::TestWithParam<ChildLookup> {};

TEST_P(ViewControllerChildLookup, AnswersOnlyTheRightClassAtThePosition)
{
    const ChildLookup& c = GetParam();
    ViewController root;
    auto* side = new SideController;
    auto* content = new ContentController;
    side->setParent(&root);
    content->setParent(&root);
    // Widget order is the opposite of the controller order on purpose: lookups must follow
    // the controller list.
    content->lower();
    root.addChildController(side);
    root.addChildController(content);

    ViewController* got = nullptr;
    switch (c.asked) {
    case Kind::side: got = root.childAs<SideController>(c.index); break;
    case Kind::content: got = root.childAs<ContentController>(c.index); break;
    case Kind::any: got = root.childAs<ViewController>(c.index); break;
    }
    EXPECT_EQ(got != nullptr, c.found);
    if (got && c.asked != Kind::any) {
        EXPECT_EQ(got->parentController(), &root);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ViewControllerChildLookup,
                         ::testing::Values(ChildLookup{"sideAt0", 0, Kind::side, true},
                                           ChildLookup{"contentAt1", 1, Kind::content, true},
                                           ChildLookup{"sideAt1IsOtherClass", 1, Kind::side, false},
                                           ChildLookup{"contentAt0IsOtherClass", 0, Kind::content, false},
                                           ChildLookup{"anyAt1", 1, Kind::any, true},
                                           ChildLookup{"outOfRange", 2, Kind::any, false}),
                         [](const auto& info) { return std::string(info.param.name); });

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
