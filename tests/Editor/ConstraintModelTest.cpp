#include "Editor/ConstraintModel.h"
#include "Editor/ViewInfoMapper.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ConstraintModelTest, FreshRecordDiffersFromServerDefaults)
{
    const ConstraintModel fresh;
    EXPECT_EQ(fresh.multiplier, 0);
    EXPECT_TRUE(fresh.isAnchor);
    EXPECT_EQ(fresh.priority, ConstraintPriority::required);
    EXPECT_EQ(fresh.priorityS, "required");
    EXPECT_EQ(fresh.prioritySnapKit, "");
}

TEST(ConstraintModelTest, PriorityFormsAfterTheFullInitialiser)
{
    const struct {
        ConstraintPriority priority;
        const char* priorityS;
        bool needed;
        const char* snapKit;
    } cases[] = {
        {ConstraintPriority::none, "none", true, "none"},
        {ConstraintPriority::required, "required", false, "required"},
        {ConstraintPriority::defaultHigh, "defaultHigh", true, "high"},
        {ConstraintPriority::defaultLow, "defaultLow", true, "low"},
    };
    for (const auto& c : cases) {
        const ConstraintModel m({.priority = c.priority});
        EXPECT_EQ(m.priorityS, c.priorityS);
        EXPECT_EQ(m.priorityNeeded, c.needed) << c.priorityS;
        EXPECT_EQ(m.prioritySnapKit, c.snapKit);
        EXPECT_EQ(m.prioritySnapKitNeeded, c.needed) << c.priorityS;
    }
    ConstraintModel raised({.priority = ConstraintPriority::defaultHigh});
    raised.populate(ConstraintPriority::required);
    raised.populatePriority("required");
    EXPECT_TRUE(raised.priorityNeeded); // the flags are never lowered
    EXPECT_TRUE(raised.prioritySnapKitNeeded);
    EXPECT_EQ(raised.prioritySnapKit, "required");
}

TEST(ConstraintModelTest, AttributesAndMultiplier)
{
    const ConstraintModel none({.attr1 = Anchors::none, .relation = ""});
    EXPECT_EQ(none.attr1, "none");
    EXPECT_EQ(none.attribute1Str, "");
    EXPECT_EQ(none.relation, ""); // stored without a check
    const ConstraintModel ratio({.attr1 = Anchors::width, .attr2 = Anchors::height});
    EXPECT_EQ(ratio.attr1, "width");
    EXPECT_EQ(ratio.attr2, "height");
    EXPECT_EQ(ratio.attribute1Str, "width");
    EXPECT_EQ(ratio.attribute2Str, "height");

    ConstraintModel m;
    const struct {
        const char* attr;
        const char* shortName;
    } table[] = {{"leadingAnchor", "leading"}, {"topAnchor", "top"},         {"trailingAnchor", "trailing"},
                 {"bottomAnchor", "bottom"},   {"widthAnchor", "width"},     {"width", "width"},
                 {"heightAnchor", "height"},   {"height", "height"},         {"centerXAnchor", "centerX"},
                 {"centerYAnchor", "centerY"}, {"leading", "centerY"},       {"", "centerY"}};
    for (const auto& row : table) {
        EXPECT_EQ(m.populateAttribute2Str(row.attr), row.shortName) << row.attr; // unknown texts keep the field
        EXPECT_EQ(m.attribute2Str, row.shortName);
    }

    EXPECT_EQ(ConstraintModel({.multiplierPart1 = 1, .multiplierPart2 = 2}).multiplier, 0.5);
    EXPECT_TRUE(std::isinf(ConstraintModel({.multiplierPart1 = 1, .multiplierPart2 = 0}).multiplier));
    EXPECT_TRUE(std::isnan(ConstraintModel({.multiplierPart1 = 0, .multiplierPart2 = 0}).multiplier));
}

// Server constraint -> client constraint, row by row.
TEST(ConstraintModelTest, ServerConstraintConversion)
{
    const struct {
        const char* first;
        const char* second;
        const char* typeId;
        const char* relation;
        std::int64_t priority;
        const char* attr1;
        const char* attr2;
        const char* clientRelation;
        ConstraintPriority clientPriority;
        Anchors clientType;
        bool isAnchor, isConstant, isRatio;
    } cases[] = {
        {"width", "height", "width", "equal", 1000, "width", "height", "equalTo", ConstraintPriority::required,
         Anchors::widthAnchor, false, true, true},
        {"height", "width", "none", "", 500, "width", "height", "equalTo", ConstraintPriority::required, Anchors::none,
         false, false, true},
        {"leading", "trailing", "leading", "EQUAL", 250, "leadingAnchor", "trailingAnchor", "equalTo",
         ConstraintPriority::defaultLow, Anchors::leadingAnchor, true, false, false},
        {"top", "bottom", "centerY", "lessThanOrEqual", 0, "topAnchor", "bottomAnchor", "lessThanOrEqualTo",
         ConstraintPriority::none, Anchors::centerYAnchor, true, false, false},
        {"centerX", "bogus", "height", "greaterThanOrEqual", 750, "centerXAnchor", "none", "greaterThanOrEqualTo",
         ConstraintPriority::defaultHigh, Anchors::heightAnchor, false, true, false},
        {"Leading", "", "top", "lessThanOrEqualTo", -250, "none", "none", "equalTo", ConstraintPriority::required,
         Anchors::topAnchor, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "/" + c.second + "/" + c.typeId);
        ConstraintServerModel server;
        server.firstItem = "a";
        server.secondItem = "b";
        server.firstAttribute = c.first;
        server.secondAttribute = c.second;
        server.typeId = c.typeId;
        server.relation = c.relation;
        server.priority = c.priority;
        server.multiplier = 2; // not read: the client multiplier comes from the parts
        server.constant = -3;
        server.host = "h";
        server.isDuplicate = true;
        const auto m = ViewInfoMapper::map(server, nullptr, nullptr, nullptr);
        EXPECT_EQ(m->view1, "a");
        EXPECT_EQ(m->view2, "b");
        EXPECT_EQ(m->attr1, c.attr1);
        EXPECT_EQ(m->attr2, c.attr2);
        EXPECT_EQ(m->relation, c.clientRelation);
        EXPECT_EQ(m->priority, c.clientPriority);
        EXPECT_EQ(m->typeId, c.clientType);
        EXPECT_EQ(m->isAnchor, c.isAnchor);
        EXPECT_EQ(m->isConstantConstraint, c.isConstant);
        EXPECT_EQ(m->isRatio, c.isRatio);
        EXPECT_EQ(m->multiplier, 0);
        EXPECT_EQ(m->constant, -3);
        EXPECT_EQ(m->host, "h");
        EXPECT_TRUE(m->isDuplicate);
        EXPECT_FALSE(m->view2Item);
    }
}

} // namespace
