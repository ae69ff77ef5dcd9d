#include "Editor/Canvas/ui/DragTutorialPopover.h"

#include "platform/Localization.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

DragTutorialPopover::DragTutorialPopover(QWidget* host)
    : QFrame(host)
{
    setObjectName(QStringLiteral("dragTutorialPopover"));
    setStyleSheet(QStringLiteral("#dragTutorialPopover{background:white;border:1px solid #d5d8de;border-radius:8px;}"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    auto* title = new QLabel(platform::localized("tutorial.drag.title"), this);
    title->setObjectName(QStringLiteral("tutorialTitle"));
    title->setStyleSheet(QStringLiteral("font-weight:bold;font-size:15px;"));
    title->setWordWrap(true);
    auto* text = new QLabel(platform::localized("tutorial.drag.text"), this);
    text->setWordWrap(true);
    auto* close = new QPushButton(platform::localized("tutorial.drag.close"), this);
    close->setObjectName(QStringLiteral("tutorialCloseButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    setAttribute(Qt::WA_DeleteOnClose);
    layout->addWidget(title);
    layout->addSpacing(8);
    layout->addWidget(text);
    layout->addStretch(1);
    layout->addWidget(close, 0, Qt::AlignRight);
}

DragTutorialPopover* DragTutorialPopover::open(QWidget* host, QWidget* relativeTo, QWidget* anchor, const QSize& size)
{
    if (!host) return nullptr;
    auto* popover = new DragTutorialPopover(host);
    popover->resize(size);
    // The preferred edge is the anchor's right side; within the host when it does not fit.
    QPoint at(host->width() - size.width() - 12, 48);
    if (anchor && relativeTo) {
        const QPoint right = anchor->mapTo(host, QPoint(anchor->width(), 0));
        at = QPoint(std::min(right.x() + 12, host->width() - size.width() - 12), std::max(right.y(), 48));
    }
    popover->move(std::max(0, at.x()), std::max(0, at.y()));
    popover->show();
    popover->raise();
    return popover;
}
