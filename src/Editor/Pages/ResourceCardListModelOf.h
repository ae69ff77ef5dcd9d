#pragma once

#include "Editor/Pages/ResourceCardList.h"
#include "Editor/Pages/ResourceCardListModel.h"

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

// The card list of one kind of resource: its entries with scope and search, shown through the
// kind's search texts and card.
//
// A card is made the first time a view asks for it after an update and then kept until the next
// update, also across searches and scope changes: a view asks for several roles of every card on
// each paint and repaints on every hover, and making a card can record a crash-report event (a
// colour out of the platform's range), which must happen once per card, not once per paint.
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
        m_cards.clear();
        endResetModel();
    }

    const ResourceCardList<Entry>& state() const { return m_state; }
    const List& getList() const { return m_state.getList(); }
    bool isSearchActive() const override { return m_state.isSearchActive(); }
    ComponentSearchScope searchScope() const override { return m_state.searchScope(); }

protected:
    int cardCount() const override { return static_cast<int>(m_state.getList().size()); }
    const ResourceCard& cardOfRow(int row) const override
    {
        static const ResourceCard none;
        const Entry* entry = m_state.getList().at(static_cast<std::size_t>(row)).get();
        if (!entry) return none;
        auto found = m_cards.find(entry);
        if (found == m_cards.end()) found = m_cards.emplace(entry, m_cardMaker(*entry)).first;
        return found->second;
    }
    void applySearch(const std::optional<std::string>& query, ComponentSearchScope scope) override
    {
        m_state.startSearch(query, scope);
    }

private:
    ResourceCardList<Entry> m_state;
    CardMaker m_cardMaker;
    // Keys are not owned: the containers keep the entries until the update that clears this.
    mutable std::unordered_map<const Entry*, ResourceCard> m_cards;
};
