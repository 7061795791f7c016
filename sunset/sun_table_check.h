#pragma once
// Checking a sunset table against the layout the table tool writes (see
// sun_line.h): line 1 the location's name, then exactly one day line for each
// of the 366 days of the calendar year in calendar order, optionally the zone
// line, every line ending in CR LF. The lookup reads any table whatever the
// check says; the check is for people who make them.

#include <string>
#include <string_view>

#include "sunset/civil_time.h"
#include "sunset/sun_line.h"

namespace tovel {

struct SunTableCheck {
    int Line = 0;         // first bad line, counted from 1; 0 for the file as a whole
    std::string Problem;  // what is wrong there; empty for a good table
    std::string Name;     // the location's name in UTF-8, once line 1 has been read
    std::string Zone;     // the zone line's zone and year, when the table has one
    int Year = 0;
    bool Ok() const { return Problem.empty(); }
};

// A zone line's zone must be one `zones` knows; without `zones` only its
// spelling is checked.
SunTableCheck CheckSunTable(std::string_view content, const ZoneLookup& zones = {});

// The same for a file, which may also be missing, a folder, a FIFO, a device
// or too large (Line 0 then).
SunTableCheck CheckSunTableFile(const std::string& path, const ZoneLookup& zones = {});

// "line 12: ..." or the bare problem for the file as a whole.
std::string DescribeSunTableCheck(const SunTableCheck& check);

}  // namespace tovel
