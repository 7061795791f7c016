#pragma once
// Checking a sunset table against the layout the table tool writes (see
// sun_line.h): line 1 the location's name, then exactly one day line for each
// of the 366 days of the calendar year in calendar order, every line ending in
// CR LF. The lookup reads any table whatever the check says; the check is for
// people who make them.

#include <string>
#include <string_view>

#include "sunset/sun_line.h"

namespace tovel {

struct SunTableCheck {
    int Line = 0;         // first bad line, counted from 1; 0 for the file as a whole
    std::string Problem;  // what is wrong there; empty for a good table
    std::string Name;     // the location's name in UTF-8, once line 1 has been read
    bool Ok() const { return Problem.empty(); }
};

SunTableCheck CheckSunTable(std::string_view content);

// The same for a file, which may also be missing, a folder, a FIFO, a device
// or too large (Line 0 then).
SunTableCheck CheckSunTableFile(const std::string& path);

// "line 12: ..." or the bare problem for the file as a whole.
std::string DescribeSunTableCheck(const SunTableCheck& check);

}  // namespace tovel
