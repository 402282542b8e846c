#include "base/core/WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, AWindowOffEveryScreenComesBackOntoTheNearestWithItsSize)
{
    const QRect one(0, 0, 1280, 1024), right(1280, 0, 1920, 1080);
    const struct {
        QRect window;
        QList<QRect> screens;
        QPoint opensAt;
    } cases[] = {
        {{3000, 2000, 500, 400}, {one}, {780, 624}},         // below and right of the screen
        {{-900, -700, 500, 400}, {one}, {0, 0}},             // above and left
        {{1200, 900, 500, 400}, {one}, {1200, 900}},         // partly visible: stays
        {{4000, 50, 500, 400}, {one, right}, {2700, 50}},    // the nearer screen is the right one
        {{1300, 1100, 500, 400}, {one, right}, {1300, 680}}, // below both: the one it is under
        {{5000, 5000, 2000, 1500}, {one}, {0, 0}},           // bigger than the screen: its top left corner shows
        {{3000, 2000, 500, 400}, {}, {3000, 2000}},          // no screen known
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::visiblePosition(c.window, c.screens), c.opensAt) << c.window.x() << "," << c.window.y();
}
