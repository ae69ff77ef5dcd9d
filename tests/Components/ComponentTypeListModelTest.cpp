#include "Components/ComponentTypeListModel.h"
#include "Components/ComponentTypeSamples.h"
#include "Editor/Pages/PageDisplayText.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <string>
#include <vector>

namespace {

TEST(ComponentTypeListModelTest, RowsFollowTheReplyWithBoundedNamesAndToolTips)
{
    ComponentTypeListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    const std::string longText(PageDisplayText::kMaxLength + 1, 'x');
    model.update({componentType("card", "Card", "A card"), componentType("cell", "\u00C9l\u00E9ment", ""),
                  componentType("long", longText, longText)});
    EXPECT_EQ(resets.count(), 1) << "one reset for the whole list";

    const struct {
        int row;
        const char* key;
        QString name, toolTip;
    } rows[] = {
        {0, "card", QStringLiteral("Card"), QStringLiteral("A card")},
        {1, "cell", QStringLiteral("\u00C9l\u00E9ment"), QString()},
        {2, "long", PageDisplayText::bounded(longText), PageDisplayText::bounded(longText)},
    };
    ASSERT_EQ(model.rowCount(), 3);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.key);
        const QModelIndex index = model.index(r.row, 0);
        EXPECT_EQ(index.data(Qt::DisplayRole).toString(), r.name);
        EXPECT_EQ(index.data(Qt::ToolTipRole).toString(), r.toolTip);
        ASSERT_TRUE(model.typeAt(r.row));
        EXPECT_EQ(model.typeAt(r.row)->key, r.key);
    }
    for (int outside : {-1, 3}) EXPECT_FALSE(model.typeAt(outside));

    model.update({});
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.types().empty());
}

} // namespace
