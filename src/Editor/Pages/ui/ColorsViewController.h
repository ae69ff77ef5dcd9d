#pragma once

#include "Editor/ColorModel.h"
#include "Editor/Pages/ui/ResourceCardsPage.h"

#include <memory>
#include <vector>

class ColorCardListModel;

// The colours page of the side menu: the screen's and the project's colours as cards.
class ColorsViewController : public ResourceCardsPage {
    Q_OBJECT

public:
    static ColorsViewController* instantiate();

    // Called by the project window with the detail's colours on every artboard detail.
    void update(const std::vector<std::shared_ptr<ColorModel>>& projectList,
                const std::vector<std::shared_ptr<ColorModel>>& screenList);

    ColorCardListModel* colorList() const { return m_colors; }

protected:
    void loadLists(const ArtboardDetailInfoResponse& response) override;

private:
    explicit ColorsViewController(ColorCardListModel* model);

    ColorCardListModel* m_colors = nullptr; // owned by this widget (QObject child)
};
