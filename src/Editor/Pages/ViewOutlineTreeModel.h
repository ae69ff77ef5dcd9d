#pragma once

#include "Editor/Pages/ViewTreeSearch.h"
#include "Editor/Pages/ViewsContainer.h"

#include <QAbstractItemModel>

#include <memory>
#include <string>
#include <vector>

// The views page's outline: the artboard's view tree, or the result of the search in force.
// It keeps the page's data (ViewsContainer) and search mode: a non-empty search text turns the
// mode on and filters a copy of the tree, an empty one turns it off and shows the whole tree
// again without recomputing anything. New data does not touch the search mode, so an update that
// arrives during a search shows the new container's empty result until the text changes.
class ViewOutlineTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    using List = std::vector<std::shared_ptr<TreeViewInfo>>;

    enum Role {
        NameRole = Qt::UserRole + 1,
        ClassNameRole,
        AncestorClassKeyRole,
        ParentIdRole,
        IsInstanceRole,
        ViewIdRole, // the oid of the node's view record; empty without one
    };

    explicit ViewOutlineTreeModel(QObject* parent = nullptr);

    // A new container with the two lists and an empty search result.
    void update(std::vector<std::shared_ptr<ViewInfo>> viewInfoList, List treeViewList);
    // The header's search handler: whole current text of the search field.
    void applySearchText(const std::string& text);

    const List& shownList() const;
    const ViewsContainer& views() const { return *m_views; }
    bool isSearchActive() const { return m_isSearchActive; }

    // The node of an index of this model; null for the invisible root or a foreign index.
    TreeViewInfo* nodeAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    // The shown tree laid out flat for O(1) index and parent look-ups: the children of an entry
    // sit one after another from `firstChild`. Entry ids are the internal ids of the indexes.
    struct Entry {
        TreeViewInfo* node = nullptr; // not owned: the shown list keeps the nodes alive
        int parent = -1;
        int row = 0;
        int firstChild = -1;
        int childCount = 0;
    };

    void rebuildEntries();
    const Entry* entryOf(const QModelIndex& index) const;

    std::shared_ptr<ViewsContainer> m_views;
    ViewTreeSearch m_search; // over m_views->list, whose texts it folds once per update
    bool m_isSearchActive = false;
    std::vector<Entry> m_entries;
    int m_rootCount = 0;
};
