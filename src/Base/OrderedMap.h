#pragma once

// A map that remembers insertion order. Several tables of the importer and the editor are walked
// to produce results (dependency sorts, name lookups that may match more than one entry); walking
// them in the order they were filled keeps those results reproducible from run to run.

#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

template <class Key, class Value, class Hash = std::hash<Key>>
class OrderedMap {
public:
    using Entry = std::pair<Key, Value>;
    using const_iterator = typename std::vector<Entry>::const_iterator;
    using iterator = typename std::vector<Entry>::iterator;

    // Replacing the value of a known key keeps the key's first position.
    Value& insert_or_assign(const Key& key, Value value)
    {
        const auto found = m_index.find(key);
        if (found != m_index.end()) {
            m_entries[found->second].second = std::move(value);
            return m_entries[found->second].second;
        }
        m_index.emplace(key, m_entries.size());
        m_entries.emplace_back(key, std::move(value));
        return m_entries.back().second;
    }

    // nullptr when the key is unknown; the pointer is valid until the next insertion.
    const Value* find(const Key& key) const
    {
        const auto found = m_index.find(key);
        return found == m_index.end() ? nullptr : &m_entries[found->second].second;
    }
    Value* find(const Key& key)
    {
        const auto found = m_index.find(key);
        return found == m_index.end() ? nullptr : &m_entries[found->second].second;
    }

    bool contains(const Key& key) const { return m_index.find(key) != m_index.end(); }
    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    void clear()
    {
        m_entries.clear();
        m_index.clear();
    }

    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    iterator begin() { return m_entries.begin(); }
    iterator end() { return m_entries.end(); }

private:
    std::vector<Entry> m_entries;
    std::unordered_map<Key, std::size_t, Hash> m_index;
};
