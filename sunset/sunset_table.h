#pragma once
// Sunset tables: files "*.sun" beside the program and in the user's own
// table folder, laid out as sun_line.h says. Line 1 is the location's name;
// every other line is one calendar day.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/date.h"
#include "sunset/civil_time.h"
#include "sunset/sun_line.h"

namespace tovel {

inline constexpr int kMaxLocations = 10;

// The name line as the calendar shows it: LocationNameToUtf8, and when that
// is longer than kMaxLocationNameBytes, cut at a character's start and ended
// with "..." within that length.
std::string ShownLocationName(std::string_view line);

struct Locations {
    std::vector<std::string> Names;  // menu captions in UTF-8, at most ten
    std::vector<std::string> Files;  // full paths, same order
    int ActiveLocation = 0;          // validated: 0 when beyond the tables found
};

// The sunset tables in `folders`, folder by folder (names ending in ".sun",
// any letter case, sorted by name within a folder so the menu order is the
// same on every run), at most kMaxLocations in all, with the saved active
// location checked against them: the listed table whose file name is
// `activeFile`, else `activeLocation` when it is within the tables found. A
// table without a readable first line is left out. Names are read as
// ShownLocationName reads them: UTF-8, or Windows-1252 when the line is not
// valid UTF-8.
Locations FindLocations(const std::vector<std::string>& folders, int activeLocation,
                        const std::string& activeFile = "");

struct SunsetTime {
    std::string Location;  // the table's first line, in UTF-8 as FindLocations gives it
    std::string Time;      // " 18:14": a blank, the 24-hour hour, the minutes as written
};

// The sunset on `day` from the table at `path`. Nothing when the file cannot
// be read or has no line for that day of the year. When the table ends in a
// zone line whose zone `zones` knows, and the day's line holds a time, the
// time is moved from the table's year to the day's: less the zone's offset on
// that month and day of the table's year, plus its offset on `day` (both at
// that time of day; the table's 29 February is that of LeapDayYear(year)).
// Otherwise the time is shown as the line has it.
std::optional<SunsetTime> LookupSunset(const std::string& path, const Date& day,
                                       const ZoneLookup& zones = {});

}  // namespace tovel
