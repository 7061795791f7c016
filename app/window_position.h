#pragma once
// Where the window opens: the saved position, unless it would leave the window
// on no screen at all (a screen removed since the last run, a hand-edited value).

#include <vector>

namespace tovel {

struct PixelRect {
    int Left, Top, Width, Height;
};

struct PixelPoint {
    int X, Y;
};

// The window's top-left corner in pixels for a saved position in twips (15 to a
// pixel). Falls back to the default when the saved values are not finite, are
// absurdly large, or put a window of the given size on none of `screens`; the
// default is the settings table's (app/settings.h).
// With no screens known, the saved position is used as it is.
PixelPoint WindowCorner(double topTwips, double leftTwips, int width, int height,
                        const std::vector<PixelRect>& screens);

}  // namespace tovel
