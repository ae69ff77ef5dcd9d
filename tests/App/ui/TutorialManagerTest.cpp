#include "App/ui/TutorialManager.h"

#include <gtest/gtest.h>

#include <QFrame>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>

namespace {

// A container scrolled in a smaller view used to get the tip at its own far edge, out of sight.
TEST(TutorialManager, aScrolledAnchorGetsTheTipBesideThePartThatIsSeen)
{
    QScrollArea view;
    view.setFrameShape(QFrame::NoFrame);
    view.resize(200, 150);
    auto* content = new QWidget;
    content->resize(1000, 1000);
    view.setWidget(content);
    view.show();
    TutorialManager::instance().openTutorial(TutorialType::drag, &view, content, QSize(20, 20), Qt::RightEdge);
    const QFrame* popup = TutorialManager::instance().openPopup();
    ASSERT_TRUE(popup);
    // At the view's edge, beyond its scroll bar.
    const QPoint expected = view.mapToGlobal(QPoint(view.width() - 1, 0));
    EXPECT_EQ(popup->pos(), QPoint(std::min(expected.x(), popup->screen()->availableGeometry().right() - 20), expected.y()));
    TutorialManager::instance().closeTutorial();
}

} // namespace
