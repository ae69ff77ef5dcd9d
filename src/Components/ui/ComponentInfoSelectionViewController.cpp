#include "Components/ui/ComponentInfoSelectionViewController.h"

#include "Components/CreateComponentSession.h"
#include "Editor/Canvas/SelectedViewInfo.h"
#include "Editor/Pages/PageDisplayText.h"
#include "platform/Localization.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

ComponentInfoSelectionViewController* ComponentInfoSelectionViewController::instantiate()
{
    return new ComponentInfoSelectionViewController;
}

ComponentInfoSelectionViewController::ComponentInfoSelectionViewController()
{
    setObjectName(QStringLiteral("ComponentInfoSelectionViewController"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_table = new QTableWidget(0, 1, this);
    m_table->setObjectName(QStringLiteral("layerTable"));
    m_table->setHorizontalHeaderLabels({platform::localized("componentInfoSelection.column.layer")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    // A layer picked by mistake leaves from its row's menu, or with Delete.
    auto* remove = new QAction(platform::localized("componentInfoSelection.removeLayer"), m_table);
    remove->setObjectName(QStringLiteral("removeLayer"));
    m_table->addAction(remove);
    m_table->installEventFilter(this);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(remove, &QAction::triggered, this, &ComponentInfoSelectionViewController::removeCurrentLayer);
    layout->addWidget(m_table);
}

bool ComponentInfoSelectionViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            removeCurrentLayer();
            return true;
        }
    }
    return ViewController::eventFilter(watched, event);
}

void ComponentInfoSelectionViewController::removeCurrentLayer()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= static_cast<int>(m_viewIds.size())) return;
    Q_EMIT layerRemovalRequested(m_viewIds[static_cast<std::size_t>(row)]);
}

void ComponentInfoSelectionViewController::updateSelectedViewInfoList()
{
    m_viewIds.clear();
    const auto& selection = CreateComponentSession::session().selectViewInfoList;
    m_table->setRowCount(static_cast<int>(selection.size()));
    int row = 0;
    for (const auto& [oid, selected] : selection) {
        m_viewIds.push_back(oid);
        // the layer as the designer named it; a layer without a name is told by its id
        const std::string& layerName = selected && selected->viewInfo ? selected->viewInfo->layerName : std::string();
        m_table->setItem(row++, 0, new QTableWidgetItem(PageDisplayText::bounded(layerName.empty() ? oid : layerName)));
    }
}
