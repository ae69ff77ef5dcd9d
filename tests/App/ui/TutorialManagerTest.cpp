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
    const struct {
        const char* name;
        QWidget* relativeTo;
        int expectedRight; // where the tip is placed, in the view's coordinates
    } cases[] = {
        {"inside its scroll view", &view, view.width() - 1}, // the view's edge, beyond its scroll bar
        {"alone", nullptr, 999},
    };
    for (const auto& c : cases) {
        TutorialManager::instance().openTutorial(TutorialType::drag, c.relativeTo, content, QSize(20, 20), Qt::RightEdge);
        const QFrame* popup = TutorialManager::instance().openPopup();
        ASSERT_TRUE(popup) << c.name;
        const QPoint expected = view.mapToGlobal(QPoint(c.expectedRight, 0));
        // Within the screen, which may be narrower than the content.
        EXPECT_EQ(popup->pos(), QPoint(std::min(expected.x(), popup->screen()->availableGeometry().right() - 20),
                                       expected.y()))
            << c.name;
        TutorialManager::instance().closeTutorial();
    }
}

} // namespace
