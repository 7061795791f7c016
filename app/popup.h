#pragma once
// The holiday pop-up ("/L") shows a message only when today has a holiday and
// a location is active. Most days there is nothing to say, and the program can
// tell that without building its window.

#include <optional>
#include <string>

#include "app/program_files.h"
#include "state/calendar_state.h"

namespace tovel {

// True for a location number that names a menu item (1..10).
bool HasActiveLocation(const CalendarState& s);

// What a pop-up run announces for the month set up in `s` (today selected):
// "Today is " and the day's holiday text, when it has one and a location is
// active. The window and the quick path below both decide by this.
std::optional<std::string> PopupMessage(const CalendarState& s);

enum class PopupOutcome {
    Quiet,        // nothing will be shown: end at once
    NeedsWindow,  // a message will be shown (a holiday, or a problem with the year table)
};

// The pop-up run's outcome on `today`, read from the settings, sunset tables
// and year table where `files` says they are.
PopupOutcome DecidePopup(const ProgramFiles& files, Date today);

}  // namespace tovel
