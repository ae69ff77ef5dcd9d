#pragma once

#include "Editor/Pages/ResourceCardList.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <memory>
#include <utility>
#include <vector>

// The card list of one kind of resource: its entries with scope and search, shown through the
// kind's search texts and card.
template <class Entry>
class ResourceCardListModelOf : public ResourceCardListModel {
public:
    using List = std::vector<std::shared_ptr<Entry>>;
    using CardMaker = ResourceCard (*)(const Entry& entry);

    ResourceCardListModelOf(typename ResourceCardList<Entry>::SearchTexts searchTexts, CardMaker cardMaker,
                            QObject* parent)
        : ResourceCardListModel(parent)
        , m_state(searchTexts)
        , m_cardMaker(cardMaker)
    {
    }

    // New containers on every artboard detail; scope and search mode stay.
    void update(List projectList, List screenList)
    {
        beginResetModel();
        m_state.update(std::move(projectList), std::move(screenList));
        endResetModel();
    }

    const ResourceCardList<Entry>& state() const { return m_state; }
    const List& getList() const { return m_state.getList(); }
    bool isSearchActive() const override { return m_state.isSearchActive(); }
    ComponentSearchScope searchScope() const override { return m_state.searchScope(); }

protected:
    int cardCount() const override { return static_cast<int>(m_state.getList().size()); }
    ResourceCard makeCard(int row) const override
    {
        const auto& entry = m_state.getList().at(static_cast<std::size_t>(row));
        return entry ? m_cardMaker(*entry) : ResourceCard{};
    }
    void applySearch(const std::optional<std::string>& query, ComponentSearchScope scope) override
    {
        m_state.startSearch(query, scope);
    }

private:
    ResourceCardList<Entry> m_state;
    CardMaker m_cardMaker;
};
