#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "app/window_position.h"

namespace tovel {
namespace {

TEST(WindowPositionTest, SavedPositionOrDefault) {
    // Two screens side by side; the window is 336 x 386 pixels.
    const std::vector<PixelRect> screens = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    const double inf = std::numeric_limits<double>::infinity();
    const struct { const char* name; double top, left; int x, y; } cases[] = {
        {"default", 300, 300, 20, 20},
        {"on the second screen", 3000, 30000, 2000, 200},
        {"rounded to the nearest pixel", 307, 292, 19, 20},
        {"rounded up to the nearest pixel", 308, 308, 21, 21},
        {"partly off the left edge", 300, -4500, -300, 20},
        {"one pixel still on screen", -5775, -5025, -335, -385},
        {"just off the left edge", 300, -5040, 20, 20},
        {"just off the top", -5790, 300, 20, 20},
        {"right of both screens", 300, 34560, 20, 20},
        {"below the first screen only", 12000, 300, 20, 20},
        {"below the second screen", 15360, 16000, 20, 20},
        {"far away", 9000000, -900000, 20, 20},
        {"infinite", inf, 300, 20, 20},
        {"not a number", 300, std::nan(""), 20, 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PixelPoint p = WindowCorner(c.top, c.left, 336, 386, screens);
        EXPECT_EQ(p.X, c.x);
        EXPECT_EQ(p.Y, c.y);
    }
    // Without any screen information the saved position stands.
    const PixelPoint p = WindowCorner(-9000, 90000, 336, 386, {});
    EXPECT_EQ(p.X, 6000);
    EXPECT_EQ(p.Y, -600);
}

}  // namespace
}  // namespace tovel
