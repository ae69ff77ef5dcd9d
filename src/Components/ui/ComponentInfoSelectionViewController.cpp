#include "Components/ui/ComponentInfoSelectionViewController.h"

#include "Components/CreateComponentSession.h"
#include "Editor/Canvas/SelectedViewInfo.h"
#include "Editor/Pages/PageDisplayText.h"
#include "platform/Localization.h"

#include <QHeaderView>
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
    layout->addWidget(m_table);
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
