#include "Editor/Pages/ui/TextStylesViewController.h"

#include "Editor/ArtboardDetailInfoResponse.h"
#include "Editor/Pages/PageResources.h"
#include "Editor/Pages/TextStyleCardListModel.h"
#include "Editor/Pages/ui/ResourceCardDelegate.h"

#include <QIcon>

TextStylesViewController* TextStylesViewController::instantiate()
{
    return new TextStylesViewController(new TextStyleCardListModel);
}

TextStylesViewController::TextStylesViewController(TextStyleCardListModel* model)
    : ResourceCardsPage({QStringLiteral("Text Styles"), QStringLiteral("Text Style List"),
                         QStringLiteral("When you upload your design artboard, your text styles in the design will be listed here."),
                         QStringLiteral("ic_textstyles_nodata")},
                        model)
    , m_textStyles(model)
{
    setObjectName(QStringLiteral("TextStylesViewController"));
    cardDelegate()->setCardIcon(QIcon(PageResources::imagePath(QStringLiteral("card_textstyle"))));
}

void TextStylesViewController::update(const std::vector<std::shared_ptr<FontModel>>& projectList,
                                      const std::vector<std::shared_ptr<FontModel>>& screenList)
{
    m_textStyles->update(projectList, screenList);
}

void TextStylesViewController::loadLists(const ArtboardDetailInfoResponse& response)
{
    m_textStyles->update(response.fonts, response.screenFonts);
}
