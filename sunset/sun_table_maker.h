#pragma once
// Making a sunset table: the local sunset of every day of a reference year at
// one place, written in the table layout (see sun_line.h) with CR LF line
// ends. The place's civil time comes in as a function, so this file needs no
// time-zone database; the table tool and the window hand it one.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "sunset/civil_time.h"
#include "sunset/solar.h"
#include "sunset/sun_line.h"

namespace tovel {

struct SunTablePlace {
    std::string Name;      // the table's first line, UTF-8
    double Latitude = 0;   // degrees, north positive
    double Longitude = 0;  // degrees, east positive
};

// The sunset of one civil day at a place, in its local time.
struct LocalSunset {
    solar::SunsetKind Kind = solar::SunsetKind::Sets;
    // For Sets: minutes after local midnight of the day, rounded to the
    // nearest minute; 1440 or more when the sun sets after midnight.
    int Minutes = 0;
};

// The sunset that follows the sun's transit on local date `day`.
LocalSunset SunsetOn(std::chrono::year_month_day day, double latitude, double longitude,
                     const UtcOffsetAt& offset);

// The leap year nearest to `year` (the earlier one on a tie); its 29 February
// stands in a table made for `year`. Here, so that a reader of tables does not
// link the maker (and with it the maths library).
constexpr int LeapDayYear(int year) {
    for (int distance = 0;; ++distance) {
        if (std::chrono::year{year - distance}.is_leap()) return year - distance;
        if (std::chrono::year{year + distance}.is_leap()) return year + distance;
    }
}

// Why `name` cannot be a table's first line ("" when it can): it must be
// non-empty valid UTF-8 without control characters (a line break would end it),
// at most kMaxLocationNameBytes long.
std::string SunTableNameProblem(std::string_view name);

struct SunTableResult {
    std::string Text;   // the whole file, when made
    std::string Error;  // otherwise why not, naming the first day that fails
    bool Ok() const { return Error.empty(); }
};

// The table for `place` and reference year `year` (kFirstSunTableYear to
// kLastSunTableYear): 1 January to 31 December of that year with 29 February
// of LeapDayYear(year) after 28 February, then the zone line when `zone` (the
// IANA name of `offset`) is given. Refused, with nothing made, when a day has
// no sunset or one that no day line can hold (outside 13:00..23:59), or the
// zone cannot be written in a zone line.
SunTableResult MakeSunTable(const SunTablePlace& place, int year, const UtcOffsetAt& offset,
                            std::string_view zone = {});

}  // namespace tovel
