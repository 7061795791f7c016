#pragma once
// The holiday pop-up ("/L") shows a message only when today has a holiday and
// a location is active. Most days there is nothing to say, and the program can
// tell that without building its window.

#include <string>

#include "engine/date.h"

namespace tovel {

enum class PopupOutcome {
    Quiet,        // nothing will be shown: end at once
    NeedsWindow,  // a message will be shown (a holiday, or the year table is missing)
};

PopupOutcome DecidePopup(const std::string& folder, Date today);

}  // namespace tovel
