#include "Components/ComponentTypeListModel.h"
#include "Components/ComponentTypeSamples.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {

// One reset for a whole reply (long texts are bounded: the page's tests).
TEST(ComponentTypeListModelTest, RowsFollowTheReplyWithTheInformationAsToolTip)
{
    ComponentTypeListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.update({componentType("card", "Card", "A card"), componentType("cell", "\u00C9l\u00E9ment", "")});
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("Card"));
    EXPECT_EQ(model.index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("A card"));
    EXPECT_EQ(model.index(1, 0).data().toString(), QStringLiteral("\u00C9l\u00E9ment"));
    EXPECT_EQ(model.index(1, 0).data(Qt::ToolTipRole).toString(), QString());
    EXPECT_EQ(model.typeAt(1).value_or(ComponentTypeDisplayInfo{}).key, "cell");
    for (int outside : {-1, 2}) EXPECT_FALSE(model.typeAt(outside)) << outside;

    model.update({});
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
