// tovel-suntable: makes a sunset table for any town, and checks tables.
// Run with --help for the usage.

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <filesystem>

#include <QString>

#include "app/file_writer.h"
#include "app/program_files.h"
#include "app/program_folder.h"
#include "sunset/sun_table_check.h"
#include "sunset/sun_table_maker.h"
#include "sunset/user_tables.h"
#include "views/zone_offset.h"

namespace {

constexpr const char* kProgram = "tovel-suntable";

// Exit statuses.
constexpr int kDone = 0;
constexpr int kRefused = 1;  // a table that cannot be made, a bad table, a failed write
constexpr int kUsage = 2;    // bad arguments

constexpr const char* kHelp = R"(Usage:
  tovel-suntable [--output FILE] NAME LATITUDE LONGITUDE ZONE [YEAR]
  tovel-suntable --check FILE...
  tovel-suntable --help

Makes a sunset table (a .sun file) for the calendar's SunSet menu: line 1 the
location's NAME, then the local sunset of each day from 1 January to
31 December of the reference YEAR, with 29 February (taken from the leap year
nearest to YEAR, the earlier one on a tie) after 28 February, and last the
zone line "Zone ZONE YEAR". Lines end in CR LF and read like " Mar 21  6:14"
or " Jun 21 10:06": month, day, and the hour on the 12-hour clock, so only
sunsets from 13:00 to 23:59 can be written. With the zone line the calendar
moves each time by the zone's daylight saving from YEAR to the year shown.

  NAME       the location's name as the menu shows it (UTF-8, one line,
             at most 200 bytes)
  LATITUDE   decimal degrees, -90 to 90, north positive (Haifa: 32.794)
  LONGITUDE  decimal degrees, -180 to 180, east positive (New York: -74.006)
  ZONE       IANA time zone, e.g. Asia/Jerusalem, America/New_York
             (the names under /usr/share/zoneinfo)
  YEAR       reference year, 1802 to 2790; default: the current year

Sunset is the moment the centre of the sun is 0.833 degrees below the horizon
at sea level (NOAA's solar equations), in the zone's civil time with daylight
saving, rounded to the nearest minute.

  -o, --output FILE  write the table to FILE ("-": standard output); default:
                     NAME with blanks and slashes made '_' plus ".sun"
                     ("Tel Aviv" -> Tel_Aviv.sun), in the current folder; for
                     an installed program, whose folder you cannot write, in
                     $XDG_DATA_HOME/tovel (default ~/.local/share/tovel),
                     where the calendar looks too. An existing file is
                     replaced with the same owner and mode, unless it is
                     read-only or not a regular file; a symbolic link that
                     another user made in a shared folder (/tmp) is refused.
  --check FILE...    check tables: the name line, then the 366 days in calendar
                     order, each in the layout above, then the zone line if
                     any, with a known zone. Names the first bad line.
  -h, --help         show this text

When a day has no sunset (midnight sun, polar night) or one outside 13:00 to
23:59, nothing is written and the first such day is named. The table is
written and synced to a temporary file beside FILE and renamed over it, so a
failure (a full disk) never leaves a partial table. Exit status: 0 done,
1 refused or a bad table, 2 bad arguments.

Copy the .sun file into the folder of the tovel program (an installed
program: into ~/.local/share/tovel) and restart it; the SunSet menu lists the
tables beside the program, then the user's own, in file-name order, at most
ten in all.
)";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kProgram,
                 tovel::PrintableName(problem).c_str(), kProgram);
    return kUsage;
}

int Refuse(const std::string& problem) {
    std::fprintf(stderr, "%s: %s\n", kProgram, tovel::PrintableName(problem).c_str());
    return kRefused;
}

std::optional<int> ParseYear(const std::string& text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int year = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        year = year * 10 + (c - '0');
    }
    if (year < tovel::kFirstSunTableYear || year > tovel::kLastSunTableYear) return std::nullopt;
    return year;
}

int CurrentYear() {
    using namespace std::chrono;
    return int(year_month_day{floor<days>(system_clock::now())}.year());
}

int WriteTable(const std::string& path, const std::string& text) {
    if (path == "-") {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
            std::fflush(stdout) != 0)
            return Refuse("cannot write to standard output");
        return kDone;
    }
    // Only a regular file is replaced, never a read-only one, nor a link that
    // another user planted in a shared folder (see ReplaceFile).
    const tovel::FileWriteResult written = tovel::ReplaceFile(path, text);
    if (!written.Ok()) return Refuse("cannot write " + written.Problem);
    return kDone;
}

int Check(const std::vector<std::string>& files) {
    if (files.empty()) return Usage("--check needs at least one FILE");
    int status = kDone;
    for (const std::string& file : files) {
        const tovel::SunTableCheck check = tovel::CheckSunTableFile(file, tovel::ZoneOffset);
        if (check.Ok()) {
            const std::string zone =
                check.Zone.empty() ? "" : ", " + check.Zone + " " + std::to_string(check.Year);
            std::printf("%s: OK: %s, %d days%s\n", tovel::PrintableName(file).c_str(),
                        check.Name.c_str(), tovel::kSunTableDays, zone.c_str());
        } else {
            std::fprintf(stderr, "%s: %s: %s\n", kProgram, tovel::PrintableName(file).c_str(),
                         tovel::DescribeSunTableCheck(check).c_str());
            status = kRefused;
        }
    }
    std::fflush(stdout);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    std::optional<std::string> output;
    bool check = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // A negative number ("-74.006") is a coordinate, not an option.
        const bool looksLikeOption = !optionsEnded && arg.size() > 1 && arg[0] == '-' &&
                                     !(std::strchr("0123456789.", arg[1]) != nullptr);
        if (!looksLikeOption) {
            positional.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(kHelp, stdout);
            return kDone;
        } else if (arg == "--check") {
            check = true;
        } else if (arg == "-o" || arg == "--output") {
            if (i + 1 >= argc) return Usage(arg + " needs a FILE");
            output = argv[++i];
        } else if (arg.starts_with("--output=")) {
            output = arg.substr(9);
        } else {
            return Usage("unknown option '" + arg + "'");
        }
    }
    if (output && output->empty()) return Usage("the output FILE is empty");
    if (check) {
        if (output) return Usage("--check and --output do not go together");
        return Check(positional);
    }
    if (positional.size() < 4 || positional.size() > 5)
        return Usage("expected NAME LATITUDE LONGITUDE ZONE [YEAR], got " +
                     std::to_string(positional.size()) + " argument" +
                     (positional.size() == 1 ? "" : "s"));

    tovel::SunTablePlace place;
    place.Name = positional[0];
    if (std::string problem = tovel::SunTableNameProblem(place.Name); !problem.empty())
        return Usage(problem);
    const std::optional<double> latitude = tovel::ParseDegrees(positional[1], -90, 90);
    if (!latitude)
        return Usage("the latitude '" + positional[1] +
                     "' is not a decimal number of degrees from -90 to 90");
    const std::optional<double> longitude = tovel::ParseDegrees(positional[2], -180, 180);
    if (!longitude)
        return Usage("the longitude '" + positional[2] +
                     "' is not a decimal number of degrees from -180 to 180");
    place.Latitude = *latitude;
    place.Longitude = *longitude;
    const std::optional<tovel::UtcOffsetAt> zone = tovel::ZoneOffset(positional[3]);
    if (!zone)
        return Usage("unknown time zone '" + positional[3] +
                     "' (an IANA name such as Europe/London; see /usr/share/zoneinfo)");
    int year = CurrentYear();
    if (positional.size() == 5) {
        const std::optional<int> given = ParseYear(positional[4]);
        if (!given)
            return Usage("the year '" + positional[4] + "' is not a year from " +
                         std::to_string(tovel::kFirstSunTableYear) + " to " +
                         std::to_string(tovel::kLastSunTableYear));
        year = *given;
    }

    const tovel::SunTableResult table = tovel::MakeSunTable(place, year, *zone, positional[3]);
    if (!table.Ok()) return Refuse("no table for " + place.Name + ": " + table.Error);
    std::string path;
    if (output) {
        path = *output;
    } else {
        // An installed program's tables go where the calendar finds them; beside the
        // program, into the current folder.
        const std::string folder = tovel::ExecutableFolderPath().value_or(".");
        const std::string own = tovel::ProgramFilesFor(folder).UserTableFolder;
        path = tovel::SunTableFileName(place.Name);
        if (!own.empty() && own != folder) {
            std::error_code ec;
            std::filesystem::create_directories(own, ec);
            path = own + "/" + path;
        }
    }
    if (int status = WriteTable(path, table.Text); status != kDone) return status;
    if (path != "-")
        std::printf("%s: %s, sunsets of %d (29 February of %d)\n",
                    tovel::PrintableName(path).c_str(), place.Name.c_str(), year,
                    tovel::LeapDayYear(year));
    return kDone;
}
