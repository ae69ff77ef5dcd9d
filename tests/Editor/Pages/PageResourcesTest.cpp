#include "Editor/Pages/PageResources.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>

namespace {

// The class keys the service sends each have their own row icon; anything else falls back.
TEST(PageResourcesTest, RowIconByClassKeyWithThePointFallback)
{
    const struct {
        const char* key;
        const char* file;
    } cases[] = {
        {"button", "icbutton.png"},       {"label", "iclabel.png"},
        {"imageView", "icimageView.png"}, {"view", "icview.png"},
        {"tableView", "ictableView.png"}, {"collectionViewCell", "iccollectionViewCell.png"},
        {"rocket", "icPoint.png"},        {"", "icPoint.png"},
        {"../images/icbutton", "icPoint.png"},
    };
    for (const auto& c : cases) {
        const QString path = PageResources::iconPathForClassKey(QString::fromUtf8(c.key));
        EXPECT_EQ(QFileInfo(path).fileName(), QString::fromUtf8(c.file)) << c.key;
        EXPECT_FALSE(QImage(path).isNull()) << c.key;
    }
}

TEST(PageResourcesTest, EmptyStatePicturesAndNamedColoursExist)
{
    for (const char* name : {"ic_layers_nodata", "ic_colors_nodata", "ic_textstyles_nodata"})
        EXPECT_FALSE(QImage(PageResources::imagePath(QString::fromUtf8(name))).isNull()) << name;
    for (const char* name : {"menuListBg", "menuCardItemBg", "menuCardItemHoverBorder"})
        EXPECT_TRUE(PageResources::namedColor(QString::fromUtf8(name)).isValid()) << name;
    EXPECT_EQ(PageResources::namedColor(QStringLiteral("noSuchColour"), Qt::red), QColor(Qt::red));
}

} // namespace
