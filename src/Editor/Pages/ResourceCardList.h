#pragma once

#include "Components/ComponentSearchScope.h"
#include "Editor/Pages/PageSearchText.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The entries one scope of a resource page holds, and the result of the last search in it.
template <class Entry>
struct ResourceListContainer {
    std::vector<std::shared_ptr<Entry>> list;
    std::vector<std::shared_ptr<Entry>> filteredList; // empty when made
};

// What the colours and the text-styles pages show: the screen's and the project's entries, the
// scope the user chose, and whether a search is in force. The state survives new data: an update
// replaces both containers (with empty search results) and leaves scope and search mode alone,
// so a search that was active shows nothing until the query or the scope changes.
template <class Entry>
class ResourceCardList {
public:
    using List = std::vector<std::shared_ptr<Entry>>;
    using Container = ResourceListContainer<Entry>;
    // The texts of an entry that a query is looked for in, in the order they are tested.
    using SearchTexts = std::vector<std::string> (*)(const Entry& entry);

    explicit ResourceCardList(SearchTexts searchTexts)
        : m_searchTexts(searchTexts)
    {
    }

    void update(List projectList, List screenList)
    {
        m_projectContainer = std::make_shared<Container>();
        m_projectContainer->list = std::move(projectList);
        m_projectTexts.reset();
        m_screenContainer = std::make_shared<Container>();
        m_screenContainer->list = std::move(screenList);
        m_screenTexts.reset();
    }

    // The header's search handler: the chosen scope and the field's whole text.
    void startSearch(const std::optional<std::string>& query, ComponentSearchScope scope)
    {
        m_searchScope = scope;
        if (query && !query->empty()) {
            search(*query);
            m_isSearchActive = true;
        } else {
            // the last result stays in the container, unshown
            m_isSearchActive = false;
        }
    }

    // Filters the current scope's container only; a change of scope searches anew. An entry
    // matches when one of its texts contains the query (lower-cased on both sides).
    void search(const std::string& queryText)
    {
        const std::shared_ptr<Container> container = getContainer();
        if (!container || !m_searchTexts) return;
        const FoldedTexts& texts = foldedTexts();
        const PageSearchText::Query query(queryText);
        List result;
        for (std::size_t i = 0; i < container->list.size(); ++i) {
            const auto& entryTexts = texts[i];
            if (std::any_of(entryTexts.begin(), entryTexts.end(),
                            [&query](const PageSearchText::Folded& text) { return query.isFoundIn(text); }))
                result.push_back(container->list[i]);
        }
        container->filteredList = std::move(result);
    }

    std::shared_ptr<Container> getContainer() const
    {
        return m_searchScope == ComponentSearchScope::project ? m_projectContainer : m_screenContainer;
    }

    const List& getList() const
    {
        static const List none;
        const Container* container = getContainer().get();
        if (!container) return none;
        return m_isSearchActive ? container->filteredList : container->list;
    }

    std::shared_ptr<Container> projectContainer() const { return m_projectContainer; }
    std::shared_ptr<Container> screenContainer() const { return m_screenContainer; }
    bool isSearchActive() const { return m_isSearchActive; }
    ComponentSearchScope searchScope() const { return m_searchScope; }

private:
    // Per entry of a container's list, its texts folded; a missing entry has none.
    using FoldedTexts = std::vector<std::vector<PageSearchText::Folded>>;

    // The current scope's texts, folded on its first search after an update and kept for the
    // keystrokes that follow.
    const FoldedTexts& foldedTexts()
    {
        std::optional<FoldedTexts>& texts =
            m_searchScope == ComponentSearchScope::project ? m_projectTexts : m_screenTexts;
        if (!texts) {
            texts.emplace();
            const std::shared_ptr<Container> container = getContainer();
            texts->reserve(container->list.size());
            for (const auto& entry : container->list) {
                std::vector<PageSearchText::Folded> entryTexts;
                if (entry) {
                    for (const std::string& text : m_searchTexts(*entry)) entryTexts.emplace_back(text);
                }
                texts->push_back(std::move(entryTexts));
            }
        }
        return *texts;
    }

    SearchTexts m_searchTexts = nullptr;
    std::shared_ptr<Container> m_projectContainer; // none until the first update
    std::shared_ptr<Container> m_screenContainer;
    std::optional<FoldedTexts> m_projectTexts; // none until searched
    std::optional<FoldedTexts> m_screenTexts;
    bool m_isSearchActive = false;
    ComponentSearchScope m_searchScope = ComponentSearchScope::screen;
};
