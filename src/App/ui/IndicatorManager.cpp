#include "App/ui/IndicatorManager.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QProgressBar>
#include <QVBoxLayout>

IndicatorManager& IndicatorManager::shared()
{
    static IndicatorManager manager;
    return manager;
}

QWidget* IndicatorManager::defaultTarget()
{
    QWidget* window = QApplication::activeWindow();
    if (!window) {
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* candidate : windows) {
            if (candidate->isVisible() && candidate->isWindow()) {
                window = candidate;
                break;
            }
        }
    }
    if (!window) return nullptr;
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window); mainWindow && mainWindow->centralWidget())
        return mainWindow->centralWidget();
    return window;
}

void IndicatorManager::addIndicator(QWidget* targetView)
{
    QWidget* target = targetView ? targetView : defaultTarget();
    if (!target) return;
    removeIndicator();

    auto* container = new QWidget(target);
    container->setObjectName(QStringLiteral("loadingIndicator"));
    container->setAttribute(Qt::WA_StyledBackground);
    container->setStyleSheet(QStringLiteral("#loadingIndicator { background-color: rgba(255, 255, 255, 160); }"));
    auto* layout = new QVBoxLayout(container);
    auto* bar = new QProgressBar(container);
    bar->setRange(0, 0); // busy
    bar->setTextVisible(false);
    bar->setMaximumWidth(160);
    layout->addStretch();
    layout->addWidget(bar, 0, Qt::AlignHCenter);
    layout->addStretch();

    container->setGeometry(target->rect());
    container->raise();
    container->show();
    target->installEventFilter(this);
    m_target = target;
    m_container = container;
}

void IndicatorManager::removeIndicator()
{
    if (m_target) m_target->removeEventFilter(this);
    if (m_container) {
        m_container->hide();
        m_container->deleteLater();
    }
    m_container = nullptr;
    m_target = nullptr;
}

bool IndicatorManager::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_target && m_container && event->type() == QEvent::Resize)
        m_container->setGeometry(m_target->rect());
    return QObject::eventFilter(watched, event);
}
