#pragma once

#include "Editor/ColorModel.h"
#include "Editor/Pages/ResourceCardList.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <memory>
#include <vector>

using ColorsContainer = ResourceListContainer<ColorModel>;

// The colours page's cards: swatch, name, hex text, "Rgb r g b" and "%alpha".
class ColorCardListModel : public ResourceCardListModel {
    Q_OBJECT

public:
    using List = std::vector<std::shared_ptr<ColorModel>>;

    explicit ColorCardListModel(QObject* parent = nullptr);

    // New containers on every artboard detail; scope and search mode stay.
    void update(List projectList, List screenList);

    // A colour matches when its name, else its hex text, else its RGB text contains the query.
    static bool contains(const PageSearchText::Query& query, const ColorModel& color);
    static ResourceCard card(const ColorModel& color);

    const ResourceCardList<ColorModel>& state() const { return m_state; }
    const List& getList() const { return m_state.getList(); }
    bool isSearchActive() const override { return m_state.isSearchActive(); }
    ComponentSearchScope searchScope() const override { return m_state.searchScope(); }

protected:
    int cardCount() const override;
    ResourceCard makeCard(int row) const override;
    void applySearch(const std::optional<std::string>& query, ComponentSearchScope scope) override;

private:
    ResourceCardList<ColorModel> m_state;
};
