#include "Components/ui/ComponentFlowViewController.h"

#include "App/ui/SearchableListHeader.h"
#include "Components/CreateComponentSession.h"
#include "Components/ui/ComponentInfoSelectionViewController.h"
#include "Components/ui/ComponentTypeSelectionViewController.h"
#include "Editor/Canvas/ui/MainEditorDesignViewController.h"
#include "Editor/ui/EditorHierarchy.h"
#include "Editor/ui/MainEditorViewController.h"
#include "Projects/ui/SideMenuViewController.h"
#include "platform/Localization.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

ComponentFlowViewController::ComponentFlowViewController(const char* titleKey)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_header = new SearchableListHeader(this);
    m_header->setupView(platform::localized(titleKey), false, {}, false, {},
                        [this] {
                            CreateComponentSession::session().progress = CreateComponentProgress::inactive;
                            if (auto* side = editorhierarchy::sideMenuOfPage(this)) side->closeMenuContent();
                        },
                        {}, {});
    m_header->searchField()->hide();
    layout->addWidget(m_header);

    auto* pagesHolder = new QWidget(this);
    m_pages = new QStackedLayout(pagesHolder);
    auto* typePage = ComponentTypeSelectionViewController::instantiate();
    auto* infoPage = ComponentInfoSelectionViewController::instantiate();
    m_pages->addWidget(typePage);
    m_pages->addWidget(infoPage);
    addChildController(typePage);
    addChildController(infoPage);
    layout->addWidget(pagesHolder, 1);

    auto* buttons = new QHBoxLayout;
    m_back = new QPushButton(platform::localized("componentFlow.back"), this);
    m_back->setObjectName(QStringLiteral("componentFlowBack"));
    m_next = new QPushButton(platform::localized("componentFlow.next"), this);
    m_next->setObjectName(QStringLiteral("componentFlowNext"));
    buttons->addWidget(m_back);
    buttons->addStretch(1);
    buttons->addWidget(m_next);
    layout->addLayout(buttons);
    connect(m_back, &QPushButton::clicked, this, &ComponentFlowViewController::showTypeSelection);
    connect(m_next, &QPushButton::clicked, this, &ComponentFlowViewController::showInfoSelection);
    connect(typePage, &ComponentTypeSelectionViewController::typeChosen, this,
            &ComponentFlowViewController::showInfoSelection);
    connect(infoPage, &ComponentInfoSelectionViewController::layerRemovalRequested, this,
            &ComponentFlowViewController::removeLayer);
    showTypeSelection();
}

ComponentTypeSelectionViewController* ComponentFlowViewController::typeSelectionVC() const
{
    return childAs<ComponentTypeSelectionViewController>(0);
}

ComponentInfoSelectionViewController* ComponentFlowViewController::infoSelectionVC() const
{
    return childAs<ComponentInfoSelectionViewController>(1);
}

void ComponentFlowViewController::showTypeSelection()
{
    m_pages->setCurrentIndex(0);
    m_back->setEnabled(false);
    m_next->setEnabled(true);
}

void ComponentFlowViewController::showInfoSelection()
{
    CreateComponentSession::session().progress = CreateComponentProgress::active;
    // What the canvas outlines now (the views page's "Convert to .." outlines without
    // publishing) is what this step lists, frames and sends.
    if (MainEditorDesignViewController* canvas = designCanvas())
        canvas->setSelectedViewsToSessionAndHighlightSelectionBorder();
    if (auto* info = infoSelectionVC()) info->updateSelectedViewInfoList();
    m_pages->setCurrentIndex(1);
    m_back->setEnabled(true);
    m_next->setEnabled(false);
}

void ComponentFlowViewController::removeLayer(const std::string& viewId)
{
    if (MainEditorDesignViewController* canvas = designCanvas()) canvas->canvasSelection()->removeLayer(viewId);
    if (auto* info = infoSelectionVC()) info->updateSelectedViewInfoList();
}

MainEditorDesignViewController* ComponentFlowViewController::designCanvas() const
{
    return editorhierarchy::designCanvasOf(editorhierarchy::editorOfPage(this));
}

bool ComponentFlowViewController::isShowingInfoSelection() const
{
    return m_pages->currentIndex() == 1;
}
