#pragma once

#include "Components/ComponentSearchScope.h"
#include "Editor/Pages/PageSearchText.h"

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
    // The match test of one entry against the prepared (lower-cased) query.
    using Matcher = bool (*)(const PageSearchText::Query& query, const Entry& entry);

    explicit ResourceCardList(Matcher matcher)
        : m_matcher(matcher)
    {
    }

    void update(List projectList, List screenList)
    {
        m_projectContainer = std::make_shared<Container>();
        m_projectContainer->list = std::move(projectList);
        m_screenContainer = std::make_shared<Container>();
        m_screenContainer->list = std::move(screenList);
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

    // Filters the current scope's container only; a change of scope searches anew.
    void search(const std::string& queryText)
    {
        const std::shared_ptr<Container> container = getContainer();
        if (!container || !m_matcher) return;
        const PageSearchText::Query query(queryText);
        List result;
        for (const auto& entry : container->list) {
            if (entry && m_matcher(query, *entry)) result.push_back(entry);
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
    Matcher m_matcher = nullptr;
    std::shared_ptr<Container> m_projectContainer; // none until the first update
    std::shared_ptr<Container> m_screenContainer;
    bool m_isSearchActive = false;
    ComponentSearchScope m_searchScope = ComponentSearchScope::screen;
};
