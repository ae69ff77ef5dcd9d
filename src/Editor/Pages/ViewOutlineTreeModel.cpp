#include "Editor/Pages/ViewOutlineTreeModel.h"

#include "Editor/Pages/PageDisplayText.h"

#include <cstddef>
#include <utility>

ViewOutlineTreeModel::ViewOutlineTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
    , m_views(std::make_shared<ViewsContainer>())
{
}

void ViewOutlineTreeModel::update(std::vector<std::shared_ptr<ViewInfo>> viewInfoList, List treeViewList)
{
    beginResetModel();
    auto views = std::make_shared<ViewsContainer>();
    views->viewInfoList = std::move(viewInfoList);
    views->list = std::move(treeViewList);
    m_views = std::move(views);
    m_search = ViewTreeSearch(m_views->list);
    rebuildEntries();
    endResetModel();
}

void ViewOutlineTreeModel::applySearchText(const std::string& text)
{
    beginResetModel();
    if (text.empty()) {
        m_isSearchActive = false;
    } else {
        // a copy that cannot be made leaves the last result in place
        if (auto filtered = m_search.search(text)) m_views->filteredList = std::move(*filtered);
        m_isSearchActive = true;
    }
    rebuildEntries();
    endResetModel();
}

const ViewOutlineTreeModel::List& ViewOutlineTreeModel::shownList() const
{
    return m_isSearchActive ? m_views->filteredList : m_views->list;
}

void ViewOutlineTreeModel::rebuildEntries()
{
    m_entries.clear();
    const List& roots = shownList();
    for (const auto& root : roots) {
        if (root) m_entries.push_back({root.get(), -1, static_cast<int>(m_entries.size()), -1, 0});
    }
    m_rootCount = static_cast<int>(m_entries.size());
    // breadth first: each entry's children are appended as one block
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const int firstChild = static_cast<int>(m_entries.size());
        int count = 0;
        for (const auto& child : m_entries[i].node->views) {
            if (!child) continue;
            m_entries.push_back({child.get(), static_cast<int>(i), count, -1, 0});
            ++count;
        }
        m_entries[i].firstChild = firstChild;
        m_entries[i].childCount = count;
    }
}

const ViewOutlineTreeModel::Entry* ViewOutlineTreeModel::entryOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this) return nullptr;
    const quintptr id = index.internalId();
    if (id >= m_entries.size()) return nullptr;
    return &m_entries[id];
}

TreeViewInfo* ViewOutlineTreeModel::nodeAt(const QModelIndex& index) const
{
    const Entry* entry = entryOf(index);
    return entry ? entry->node : nullptr;
}

QModelIndex ViewOutlineTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row < m_rootCount ? createIndex(row, 0, static_cast<quintptr>(row)) : QModelIndex();
    const Entry* entry = entryOf(parent);
    if (!entry || row >= entry->childCount) return {};
    return createIndex(row, 0, static_cast<quintptr>(entry->firstChild + row));
}

QModelIndex ViewOutlineTreeModel::parent(const QModelIndex& child) const
{
    const Entry* entry = entryOf(child);
    if (!entry || entry->parent < 0) return {};
    const Entry& parentEntry = m_entries[static_cast<std::size_t>(entry->parent)];
    return createIndex(parentEntry.row, 0, static_cast<quintptr>(entry->parent));
}

int ViewOutlineTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid()) return m_rootCount;
    if (parent.column() != 0) return 0;
    const Entry* entry = entryOf(parent);
    return entry ? entry->childCount : 0;
}

int ViewOutlineTreeModel::columnCount(const QModelIndex& parent) const
{
    Q_UNUSED(parent)
    return 1;
}

bool ViewOutlineTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant ViewOutlineTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeViewInfo* node = nodeAt(index);
    if (!node) return {};
    // the texts a row paints (and its tool tip) are bounded: a view asks for them on every paint
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return PageDisplayText::bounded(node->name);
    case ClassNameRole:
        return PageDisplayText::bounded(node->classNameString);
    case AncestorClassKeyRole:
        return PageDisplayText::bounded(node->ancestorClassKey);
    case Qt::ToolTipRole:
    case ParentIdRole:
        return PageDisplayText::bounded(node->parentId);
    case IsInstanceRole:
        return node->isInstance;
    case ViewIdRole:
        return node->viewInfo ? QString::fromStdString(node->viewInfo->oid) : QString();
    default:
        return {};
    }
}

QHash<int, QByteArray> ViewOutlineTreeModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractItemModel::roleNames();
    names.insert(NameRole, QByteArrayLiteral("name"));
    names.insert(ClassNameRole, QByteArrayLiteral("classNameString"));
    names.insert(AncestorClassKeyRole, QByteArrayLiteral("ancestorClassKey"));
    names.insert(ParentIdRole, QByteArrayLiteral("parentId"));
    names.insert(IsInstanceRole, QByteArrayLiteral("isInstance"));
    names.insert(ViewIdRole, QByteArrayLiteral("viewId"));
    return names;
}
