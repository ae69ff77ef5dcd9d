#pragma once

#include "Editor/FontModel.h"
#include "Editor/Pages/ResourceCardList.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <memory>
#include <vector>

using TextStylesContainer = ResourceListContainer<FontModel>;

// The text-styles page's cards: the design's style name, and "font name, size".
class TextStyleCardListModel : public ResourceCardListModel {
    Q_OBJECT

public:
    using List = std::vector<std::shared_ptr<FontModel>>;

    explicit TextStyleCardListModel(QObject* parent = nullptr);

    // New containers on every artboard detail; scope and search mode stay.
    void update(List projectList, List screenList);

    // A style matches when its font name, else its style name, else its size text contains the query.
    static bool contains(const PageSearchText::Query& query, const FontModel& font);
    static ResourceCard card(const FontModel& font);

    const ResourceCardList<FontModel>& state() const { return m_state; }
    const List& getList() const { return m_state.getList(); }
    bool isSearchActive() const override { return m_state.isSearchActive(); }
    ComponentSearchScope searchScope() const override { return m_state.searchScope(); }

protected:
    int cardCount() const override;
    ResourceCard makeCard(int row) const override;
    void applySearch(const std::optional<std::string>& query, ComponentSearchScope scope) override;

private:
    ResourceCardList<FontModel> m_state;
};
