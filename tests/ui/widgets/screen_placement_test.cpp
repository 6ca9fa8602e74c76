#include "ui/widgets/screen_placement.h"

#include <gtest/gtest.h>

#include <QScreen>
#include <QWidget>

namespace orbelquint {
namespace {

TEST(ScreenPlacementTest, WindowsAreMovedAndShrunkIntoTheFreeArea) {
    const QRect screen(0, 0, 800, 600);
    const std::pair<QRect, QRect> cases[] = {
        {{10, 10, 300, 200}, {10, 10, 300, 200}},
        {{505, 24, 700, 520}, {100, 24, 700, 520}},
        {{-50, 590, 300, 200}, {0, 400, 300, 200}},
        {{24, 24, 1000, 700}, {0, 0, 800, 600}},
    };
    for (const auto& [frame, kept] : cases)
        EXPECT_EQ(KeptInside(frame, screen), kept);
}

TEST(ScreenPlacementTest, AWindowOffTheScreenIsMovedOntoIt) {
    QWidget window;
    window.resize(300, 200);
    window.show();
    const QRect available = window.screen()->availableGeometry();
    window.move(available.bottomRight() + QPoint(400, 300));
    KeepOnScreen(window);
    EXPECT_TRUE(available.contains(window.frameGeometry())) << window.frameGeometry().x();
}

}  // namespace
}  // namespace orbelquint
