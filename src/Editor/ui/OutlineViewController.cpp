#include "Editor/ui/OutlineViewController.h"

#include "Editor/LayerOutlineTreeModel.h"

#include <QHeaderView>
#include <QTreeView>
#include <QVBoxLayout>

OutlineViewController* OutlineViewController::instantiate()
{
    return new OutlineViewController;
}

OutlineViewController::OutlineViewController()
{
    setObjectName(QStringLiteral("OutlineViewController"));
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    setPalette(yellow);
    auto* layout = new QVBoxLayout(this);
    m_model = new LayerOutlineTreeModel(this);
    m_treeView = new QTreeView(this);
    m_treeView->setObjectName(QStringLiteral("layerOutline"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setModel(m_model);
    layout->addWidget(m_treeView);
}

void OutlineViewController::setLayers(std::vector<std::shared_ptr<LayerSumModel>> layers)
{
    m_model->setLayers(std::move(layers));
}

const std::vector<std::shared_ptr<LayerSumModel>>& OutlineViewController::layers() const
{
    return m_model->layers();
}

void OutlineViewController::updateUIForScreenData(const std::shared_ptr<ViewInfo>& /*viewInfo*/)
{
    m_model->setLayers(m_model->layers());
}
