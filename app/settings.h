#pragma once
// The settings of Tovel.ini: one table of names, defaults and the fields
// they fill, used both to read the file at start-up and to write it back.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "state/calendar_state.h"

namespace tovel {

// The window's top-left corner, in twips from the screen's corner.
struct WindowPlace {
    double Top = 0;
    double Left = 0;
};

// The longest text value a save writes and a read takes whole.
inline constexpr std::size_t kMaxSettingText = 255;

// Reads every key from the settings text `content` ("" for a missing file)
// into `s` and returns the saved window place. A value that is not a number
// reads as 0, a number followed by other text as the number, and a
// whole-number key outside -32768..32767 as its default. "Gregorian" other
// than 1 reads as 0, the Jewish view. A text key reads as written, blanks
// around it dropped, cut to kMaxSettingText bytes.
WindowPlace ReadSettings(std::string_view content, CalendarState& s);

// The keys and values a save writes, in order, from the state and the
// window's place. A pop-up run leaves "Gregorian" as it is in the file. A
// text that would not read back as it is (longer than kMaxSettingText, with a
// control character, or blanks at either end) is saved as "".
std::vector<std::pair<std::string, std::string>> SettingsToSave(const CalendarState& s,
                                                                WindowPlace place);

}  // namespace tovel
