#include "Components/ui/ComponentInfoSelectionViewController.h"

#include "Components/CreateComponentSession.h"
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
    for (const auto& entry : CreateComponentSession::session().selectViewInfoList) m_viewIds.push_back(entry.first);
    m_table->setRowCount(static_cast<int>(m_viewIds.size()));
    for (std::size_t i = 0; i < m_viewIds.size(); ++i)
        m_table->setItem(static_cast<int>(i), 0, new QTableWidgetItem(QString::fromStdString(m_viewIds[i])));
}
