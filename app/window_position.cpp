#include "app/window_position.h"

#include <cmath>

#include "app/settings.h"
#include "state/twips.h"

namespace tovel {

namespace {
bool Intersects(const PixelRect& a, const PixelRect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

bool Reachable(double top, double left, int width, int height,
               const std::vector<PixelRect>& screens) {
    if (!std::isfinite(top) || !std::isfinite(left) || std::fabs(top) > 1e6 ||
        std::fabs(left) > 1e6)
        return false;
    if (screens.empty()) return true;
    const PixelRect frame{TwipsToPixels(left), TwipsToPixels(top), width, height};
    for (const PixelRect& screen : screens)
        if (Intersects(screen, frame)) return true;
    return false;
}

// The place of a settings file without FormTop and FormLeft.
WindowPlace DefaultPlace() {
    CalendarState unused;
    return ReadSettings("", unused);
}
}  // namespace

PixelPoint WindowCorner(double topTwips, double leftTwips, int width, int height,
                        const std::vector<PixelRect>& screens) {
    if (!Reachable(topTwips, leftTwips, width, height, screens)) {
        const WindowPlace place = DefaultPlace();
        topTwips = place.Top;
        leftTwips = place.Left;
    }
    return {TwipsToPixels(leftTwips), TwipsToPixels(topTwips)};
}

}  // namespace tovel
