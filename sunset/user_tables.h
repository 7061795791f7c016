#pragma once
// The user's own sunset tables, added and removed from the SunSet menu: the
// place typed or picked is checked and made into a table for a free file
// name; a table may be removed unless it is one of those shipped.

#include <optional>
#include <string>
#include <string_view>

#include "sunset/civil_time.h"

namespace tovel {

// A decimal number of degrees in [low, high], the whole text and nothing
// else: no blanks, no hexadecimal, no "nan" or "inf".
std::optional<double> ParseDegrees(std::string_view text, double low, double high);

// "Tel Aviv" -> "Tel_Aviv.sun": blanks, slashes and control characters
// become '_', and a leading dot too, so the table is neither hidden nor
// elsewhere.
std::string SunTableFileName(std::string_view name);

// The place as the user gave it, every field as typed.
struct PlaceInput {
    std::string Name, Latitude, Longitude, Zone;
};

struct UserTable {
    std::string Path;   // where to write it: a file that does not exist yet
    std::string Text;   // the table, with its zone line
    std::string Error;  // otherwise why not, for a message
    bool Ok() const { return Error.empty(); }
};

// The table of `place` for `year`, to be written into `folder`: under
// SunTableFileName(name), or with "_2", "_3", ... before ".sun" when that
// file exists, so no table is ever replaced. Refused with the reason when the
// name, a coordinate or the zone is bad, or the sun does not set every day
// between 13:00 and 23:59 (the maker's message).
UserTable MakeUserTable(const PlaceInput& place, int year, const ZoneLookup& zones,
                        const std::string& folder);

// True for a table the user may remove: one in the folder the user's tables
// go to, `userFolder` ("" for none), unless it is one of the tables shipped in
// `dataFolder`.
bool IsUserTable(const std::string& path, const std::string& userFolder,
                 const std::string& dataFolder);

}  // namespace tovel
