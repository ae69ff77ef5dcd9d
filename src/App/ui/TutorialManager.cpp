#include "App/ui/TutorialManager.h"

#include "platform/Localization.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* textKey(TutorialType type)
{
    switch (type) {
    case TutorialType::drag: return "tutorial.drag";
    }
    return "tutorial.drag";
}

} // namespace

TutorialManager& TutorialManager::instance()
{
    static TutorialManager manager;
    return manager;
}

void TutorialManager::closeTutorial()
{
    if (m_popup) m_popup->close();
}

void TutorialManager::openTutorial(TutorialType type, QWidget* relativeTo, QWidget* of, const QSize& size,
                                   Qt::Edge preferredEdge, std::function<void()> closeHandler)
{
    closeTutorial();
    QWidget* anchor = of ? of : relativeTo;
    if (!anchor) return;
    auto* popup = new QFrame(anchor->window(), Qt::Tool | Qt::FramelessWindowHint);
    popup->setObjectName(QStringLiteral("tutorialPopup"));
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameShape(QFrame::StyledPanel);
    popup->setFixedSize(size);
    auto* layout = new QVBoxLayout(popup);
    auto* text = new QLabel(platform::localized(textKey(type)), popup);
    text->setObjectName(QStringLiteral("tutorialText"));
    text->setWordWrap(true);
    layout->addWidget(text, 1);
    auto* done = new QPushButton(platform::localized("tutorial.done"), popup);
    layout->addWidget(done, 0, Qt::AlignRight);
    QObject::connect(done, &QPushButton::clicked, popup, &QFrame::close);
    if (closeHandler) QObject::connect(popup, &QObject::destroyed, popup, [closeHandler] { closeHandler(); });

    QRect anchorRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    // A scrolled anchor can be far larger than the view that shows it: point at what is seen.
    if (relativeTo && relativeTo != anchor) {
        const QRect seen = anchorRect.intersected(QRect(relativeTo->mapToGlobal(QPoint(0, 0)), relativeTo->size()));
        if (!seen.isEmpty()) anchorRect = seen;
    }
    QPoint at;
    switch (preferredEdge) {
    case Qt::LeftEdge: at = QPoint(anchorRect.left() - size.width(), anchorRect.top()); break;
    case Qt::TopEdge: at = QPoint(anchorRect.left(), anchorRect.top() - size.height()); break;
    case Qt::BottomEdge: at = QPoint(anchorRect.left(), anchorRect.bottom()); break;
    case Qt::RightEdge: at = QPoint(anchorRect.right(), anchorRect.top()); break;
    }
    // Keep it on the screen when the preferred side has no room.
    if (QScreen* screen = anchor->screen()) {
        const QRect area = screen->availableGeometry();
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - size.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    }
    popup->move(at);
    popup->show();
    m_popup = popup;
}
