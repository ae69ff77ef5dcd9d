#pragma once

#include "Editor/FontModel.h"
#include "Editor/Pages/ui/ResourceCardsPage.h"

#include <memory>
#include <vector>

class TextStyleCardListModel;

// The text-styles page of the side menu: the screen's and the project's text styles as cards.
class TextStylesViewController : public ResourceCardsPage {
    Q_OBJECT

public:
    static TextStylesViewController* instantiate();

    // Called by the project window with the detail's text styles on every artboard detail.
    void update(const std::vector<std::shared_ptr<FontModel>>& projectList,
                const std::vector<std::shared_ptr<FontModel>>& screenList);

    TextStyleCardListModel* textStyleList() const { return m_textStyles; }

protected:
    void loadLists(const ArtboardDetailInfoResponse& response) override;

private:
    explicit TextStylesViewController(TextStyleCardListModel* model);

    TextStyleCardListModel* m_textStyles = nullptr; // owned by this widget (QObject child)
};
