#include "Editor/Pages/ui/ColorsViewController.h"

#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/Pages/ColorCardListModel.h"

ColorsViewController* ColorsViewController::instantiate()
{
    return new ColorsViewController(new ColorCardListModel);
}

ColorsViewController::ColorsViewController(ColorCardListModel* model)
    : ResourceCardsPage({QStringLiteral("Colors"), QStringLiteral("Color List"),
                         QStringLiteral("When you upload your design artboard, your colors in the design will be listed here."),
                         QStringLiteral("ic_colors_nodata")},
                        model)
    , m_colors(model)
{
    setObjectName(QStringLiteral("ColorsViewController"));
}

void ColorsViewController::update(const std::vector<std::shared_ptr<ColorModel>>& projectList,
                                  const std::vector<std::shared_ptr<ColorModel>>& screenList)
{
    m_colors->update(projectList, screenList);
}

void ColorsViewController::loadLists(const ArtboardDetailInfoResponse& response)
{
    m_colors->update(response.colors, response.screenColors);
}
