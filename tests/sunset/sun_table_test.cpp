// Sunset tables: the solar code, the table's lines, the maker and the check, then the lookup and
// the menu's list as the calendar reads them.
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "almanac_sunset.h"
#include "engine/read_file.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_line.h"
#include "sunset/sun_table_check.h"
#include "sunset/sun_table_maker.h"
#include "sunset/sunset_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using namespace std::chrono;
using namespace solar;
using test::Ymd;
namespace fs = std::filesystem;

UtcOffsetAt Fixed(int seconds) {
    return [seconds](std::int64_t) { return seconds; };
}

// Meeus, "Astronomical Algorithms" (2nd ed.), examples 25.a and 28.b: the sun on
// 1992 October 13 at 0h TD; finer than the almanac's minute, it pins the series terms.
TEST(SolarTest, MeeusWorkedExample) {
    const double jd = JulianDay(sys_days{1992y / October / 13});  // 2448908.5
    EXPECT_NEAR(SunAt(jd).Declination, -7.78507, 0.00002);
    EXPECT_NEAR(SunAt(jd).EquationOfTime, 13.7094, 0.01);  // 3.427351 degrees
}

// Every day line the maker can write reads back as its day and time, strictly and as the lookup
// reads it.
TEST(SunLineTest, EveryDayAndTimeReadsBack) {
    std::size_t days = 0;
    for (unsigned m = 1; m <= 12; ++m)
        for (unsigned d = 1; d <= SunTableMonthDays(m); ++d, ++days)
            for (int hour = 13, minute = 0; hour <= 23; hour += ++minute / 60, minute %= 60) {
                const std::string line = WriteSunLine(m, d, hour, minute).value_or("");
                const SunLineFields read = ParseSunLine(line);  // fields set only for a good line
                ASSERT_EQ(std::tie(read.Month, read.Day, read.Hour, read.Minute),
                          std::tie(m, d, hour, minute))
                    << read.KeyProblem << read.TimeProblem;
                char time[8];
                std::snprintf(time, sizeof time, " %d:%02d", hour, minute);
                ASSERT_EQ(SunLineTimeText(line) + std::string(SunLineKeyOf(line)),
                          time + SunTableKeys()[days]);
            }
    EXPECT_EQ(days, 366u);
}

TEST(SunTableMakerTest, DayLinesAndTheLeapDayYear) {
    EXPECT_EQ(WriteSunLine(1, 5, 13, 0), " Jan  5  1:00");
    EXPECT_EQ(WriteSunLine(12, 31, 21, 59), " Dec 31  9:59");
    EXPECT_EQ(WriteSunLine(6, 21, 22, 6), " Jun 21 10:06");
    EXPECT_EQ(WriteSunLine(6, 21, 23, 59), " Jun 21 11:59");
    EXPECT_FALSE(WriteSunLine(7, 1, 12, 59) || WriteSunLine(7, 1, 24, 0) ||
                 WriteSunLine(7, 1, 13, 60));
    // The nearest leap year, the earlier on a tie (2026); 1900 and 2100 are none.
    const int leaps[][2] = {{2024, 2024}, {2026, 2024}, {2027, 2028}, {1900, 1896}, {2100, 2096}};
    for (const auto& c : leaps) EXPECT_EQ(LeapDayYear(c[0]), c[1]) << c[0];
}

// Tables for places on both sides of the equator and of the date line, in zones whole and half an
// hour off, pass the check and hold 29 February of the nearest leap year. In 1810 and 2026 (the
// almanac has no century terms) the solar code agrees with the almanac every day within a minute
// with no bias.
TEST(SolarTest, TablesAndTheAlmanacForComputersAgreeEveryDay) {
    struct Place {
        double lat, lon;
        int offset;
    };
    // The last: 14 hours ahead at 157 west, the transit is on the UTC day before.
    const Place places[] = {{31.77, 35.21, 7200},     {51.51, -0.13, 0},
                            {34.05, -118.24, -28800}, {-33.87, 151.21, 36000},
                            {22.57, 88.36, 19800},    {0, -179.5, -39600},
                            {-0.5, 179.5, 43200},     {1.87, -157.4, 50400}};
    for (int y : {kFirstSunTableYear, 1810, 1900, 2026, 2100, kLastSunTableYear}) {
        for (const auto& p : places) {
            SCOPED_TRACE(std::to_string(y) + " at " + std::to_string(p.lon));
            const SunTableResult table = MakeSunTable({"Town", p.lat, p.lon}, y, Fixed(p.offset));
            ASSERT_TRUE(table.Ok()) << table.Error;
            const SunTableCheck check = CheckSunTable(table.Text);
            EXPECT_TRUE(check.Ok() && check.Name == "Town") << DescribeSunTableCheck(check);
            const auto leap =
                SunsetOn(year{LeapDayYear(y)} / 2 / 29, p.lat, p.lon, Fixed(p.offset));
            EXPECT_EQ(table.Text.substr(6 + 59 * 15, 13),
                      WriteSunLine(2, 29, leap.Minutes / 60, leap.Minutes % 60));
            if (y != 1810 && y != 2026) continue;
            double sum = 0;
            int n = 0;
            for (sys_days d{year{y} / 1 / 1}; d <= sys_days{year{y} / 12 / 31}; d += days{1}) {
                const Sunset set = SunsetUtc(d, p.lat, p.lon);
                ASSERT_EQ(set.Kind, SunsetKind::Sets);
                const double almanac = test::AlmanacSunsetHours(++n, p.lat, p.lon) * 60;
                const double diff = std::remainder(set.UtcMinutes - almanac, 1440.0);  // of a day
                ASSERT_LT(std::fabs(diff), 1.0) << "day " << n;
                sum += diff;
            }
            EXPECT_LT(std::fabs(sum / n), 0.1);
        }
    }
}

TEST(SunTableMakerTest, RefusesWhatATableCannotHold) {
    const std::string after = "on Jan 1 2026 the sun ", a201(201, 'a');
    const std::string midnight = "on Jun 15 2026 the sun sets at 00:00 (after midnight)";
    // clang-format off
    const struct { SunTablePlace place; int year, offset; std::string error; } cases[] = {
        {{"Reykjavik", 64.1466, -21.9426}, 2026, 0, midnight},
        {{"Tromso", 69.6492, 18.9553}, 2026, 3600, after + "does not rise (polar night)"},
        {{"McMurdo", -77.8463, 166.6681}, 2026, 46800, after + "does not set (midnight sun)"},
        {{"Six hours ahead", 0.0, -30.0}, 2026, 6 * 3600, after + "sets at 02:"},
        {{"", 31.7683, 35.2137}, 2026, 7200, "the location name is empty"},
        {{"S\xE3o Paulo", -23.5, -46.6}, 2026, -10800, "not valid UTF-8"},
        {{"Haifa", 32.794, 34.9896}, 2791, 7200, "the year 2791 is outside 1802..2790"},
        {{a201, 32.794, 34.9896}, 2026, 7200, "the location name is longer than 200 bytes"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const SunTableResult table = MakeSunTable(c.place, c.year, Fixed(c.offset));
        EXPECT_NE(table.Error.find(c.error), std::string::npos) << table.Error;
        EXPECT_TRUE(table.Text.empty());
    }
}

TEST(SunTableCheckTest, GoodAndDamagedTables) {
    const std::string good = MakeSunTable({"Haifa", 32.794, 34.9896}, 2026, Fixed(7200)).Text;
    // The good table with day line `n` (1 = 1 January) replaced by `line`, or without it.
    auto with = [&good](int n, const std::string& line) {
        return std::string(good).replace(7 + (n - 1) * 15, 13, line);
    };
    auto cut = [&good](int n) { return std::string(good).erase(7 + (n - 1) * 15, 15); };
    // clang-format off
    const struct { std::string text; int line; const char* problem; } cases[] = {
        {good, 0, ""},
        {"", 1, "the file is empty"},
        {"Haifa\r\n", 2, "after 0 day lines; the line of Jan  1 and 365 more are missing"},
        {" Jan  1  4:55" + good.substr(5), 1, "read as the line of Jan  1"},
        {with(9, ""), 10, "the line is empty"},
        {with(9, "*Jan  9  4:55"), 10, "column 1 must be a blank, not '*'"},
        {with(9, " Jan- 9  4:55"), 10, "column 5 must be a blank, not '-'"},
        {"Haifa\n" + good.substr(7), 1, "LF without CR"},
        {good.substr(0, good.size() - 2), 367, "the last line has no line end"},
        {cut(366), 367, "the line of Dec 31 is missing"},
        {cut(60), 61, "the line of Feb 29 belongs here, not Mar  1"},
        {with(4, good.substr(7 + 2 * 15, 13)), 5, "Jan  3 appears a second time (first on line 4)"},
        {good + "\r\n", 368, "a line after the 366 day lines"},
        {"\x7F" "ELF" + good.substr(5), 1, "control character '\\x7F'"},
        {std::string(200, 'a') + good.substr(5), 0, ""},
        {std::string(201, 'a') + good.substr(5), 1, "name is longer than 200 bytes"},
        {with(32, " FEB  1  5:00"), 33, "month abbreviation (Jan to Dec), not 'FEB'"},
        {with(121, " Apr 31  7:22"), 122, "Apr 31 is not a day of the calendar"},
        {with(9, " Jan  9 16:55"), 10, "after the 1 in column 9, column 10 must be 0 or 1"},
        {with(9, " Jan  9 x4:55"), 10, "column 9 must be a blank or 1"},
        {good + "Zone Asia/Jerusalem 2026\r\n", 0, ""},
        {good + "Zone Asia/Atlantis 2026\r\n", 368, "the time zone 'Asia/Atlantis' is unknown"},
        {good + "Zone Asia/Jerusalem 1801\r\n", 368, "year from 1802 to 2790, not '1801'"},
        {good + "Zone Asia/Jerusalem\r\n", 368, "the zone line has no year"},
        {good + "Zone Asia/Jeru salem 2026\r\n", 368, "holds ' '"},
        {good + "Zone Asia/Jerusalem 2026\r\n\r\n", 369, "a line after the zone line"},
        {good + "Zone Asia/Jerusalem 2026", 368, "the last line has no line end"},
        {with(5, " Jan 05  4:52"), 6, "not '05'"},
        {with(9, " Jan  9  0:55"), 10, "column 10 must be the hour"},
        {with(9, " Jan  9  4:60"), 10, "the minutes, 00 to 59, not '60'"},
        {with(9, " Jan  9  4:5"), 10, "the line ends after column 12"},
        {with(9, " Jan  9  4:55 pm"), 10, "text after column 13: ' pm'"},
    };
    // clang-format on
    const ZoneLookup zones = [](const std::string& zone) {
        return zone == "Asia/Jerusalem" ? std::optional(Fixed(7200)) : std::nullopt;
    };
    for (const auto& c : cases) {
        const SunTableCheck check = CheckSunTable(c.text, zones);
        EXPECT_EQ(check.Line, c.line) << check.Problem;
        EXPECT_EQ(check.Ok(), c.line == 0);
        EXPECT_NE(check.Problem.find(c.problem), std::string::npos) << check.Problem;
    }
    const SunTableCheck named =
        CheckSunTable("Be'er Sheva \xE9t\xE9" + good.substr(5));  // Windows-1252
    EXPECT_TRUE(named.Ok() && named.Name == "Be'er Sheva \xC3\xA9t\xC3\xA9") << named.Problem;
}

// Lines the lookup reads its own way: the month compared with its case, the first line of a day
// wins, a non-digit hour counts as 0, a line may end early.
TEST(SunsetTableTest, OddLines) {
    test::TempFolder folder;
    const std::pair<std::string, std::string> odd[] = {
        {" MAR 21  5:10", "none"},
        {" Mar 21  6:14\r\n Mar 21  6:59", "Town 18:14"},
        {" Mar 21  x:14", "Town 12:14"},
        {" Mar 21", "Town 12"}};
    for (const auto& [lines, time] : odd) {
        const auto sunset =
            LookupSunset(folder.Write("t.sun", "Town\r\n" + lines + "\r\n"), Ymd(1999, 3, 21));
        EXPECT_EQ(sunset ? sunset->Location + sunset->Time : "none", time) << lines;
    }
}

// Only regular .sun files with a first line are listed, the second folder's after the first's, and
// whatever else lies at a table's path, the lookup answers at once.
TEST(SunsetTableTest, FindLocationsAndPathsThatAreNotTables) {
    test::TempFolder folder, own;
    const std::vector<std::string> both = {folder.Path(), own.Path()};
    folder.Write("c.sun", "Tiberias\r\n");
    folder.Write("a.sun", "Jerusalem\r\n Jan  1  4:45\r\n");
    folder.Write("B.SUN", "Haifa\n");
    folder.Write("notes.txt", "not a table\r\n") + folder.Write("empty.sun", "");
    const std::string fifo = folder.Path() + "/fifo.sun", dir = folder.Path() + "/dir.sun";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(dir);
    const std::string huge = folder.Write("huge.sun", "Town\r\n Mar 21  6:14\r\n");
    fs::resize_file(huge, kMaxDataFileBytes + 1);
    for (const std::string& path : {fifo, dir, huge, std::string("/dev/zero")})
        EXPECT_FALSE(LookupSunset(path, Ymd(1999, 3, 21))) << path;
    fs::resize_file(huge, kMaxDataFileBytes);  // the largest file read
    EXPECT_EQ(LookupSunset(huge, Ymd(1999, 3, 21))->Time, " 18:14");
    fs::remove(huge);
    own.Write("0.sun", "Eilat\r\n");
    Locations found = FindLocations(both, 3);
    EXPECT_EQ(found.Files,
              (std::vector<std::string>{folder.Path() + "/B.SUN", folder.Path() + "/a.sun",
                                        folder.Path() + "/c.sun", own.Path() + "/0.sun"}));
    EXPECT_EQ(found.Names, (std::vector<std::string>{"Haifa", "Jerusalem", "Tiberias", "Eilat"}));
    // The saved number when it is listed, else none.
    EXPECT_EQ(std::pair(found.ActiveLocation, FindLocations({folder.Path()}, 4).ActiveLocation),
              std::pair(3, 0));
    // The saved file name wins while it is listed, so a table added before it keeps the same town
    // active.
    EXPECT_EQ(FindLocations(both, 1, "c.sun").ActiveLocation, 3);
    EXPECT_EQ(FindLocations(both, 2, "gone.sun").ActiveLocation, 2);
    // Ten in all: the first folder's fill the menu before the second's.
    for (int i = 0; i < 12; ++i)
        folder.Write("z" + std::to_string(10 + i) + ".sun", "Town " + std::to_string(i));
    found = FindLocations(both, 10);
    EXPECT_EQ(found.Files.size(), 10u);
    EXPECT_EQ(found.Names.back(), "Town 6");
}

// Names written on other systems, through the menu and the lookup: valid UTF-8 is kept (less a
// byte-order mark), anything else is read as Windows-1252. A name longer than 200 bytes in UTF-8 is
// cut at a character, with "...".
TEST(SunsetTableTest, NamesInUtf8AndWindows1252) {
    auto kept = [](std::string s) { return std::pair{s, s}; };
    auto cp1252 = [](std::string s) { return std::pair{s, Windows1252ToUtf8(s)}; };
    std::string e98;  // "é" 98 times
    while (e98.size() < 196) e98 += "\xC3\xA9";
    // Overlong, a surrogate, beyond U+10FFFF, cut short: read as Windows-1252.
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Z\xFC" "rich", "Z\xC3\xBC" "rich"},
        {"\xEF\xBB\xBFTel Aviv", "Tel Aviv"},
        {"Be\x92" "er Sheva \x96 \x80", "Be\xE2\x80\x99" "er Sheva \xE2\x80\x93 \xE2\x82\xAC"},
        kept("\xD7\x97\xD7\x99\xD7\xA4\xD7\x94 Haifa"),
        kept("\xF4\x8F\xBF\xBF"),  // the highest code point
        cp1252("\xC0\xAF"),
        cp1252("\xED\xA0\x80"),
        cp1252("\xF4\x90\x80\x80"),
        cp1252("Haifa \xD7"),
        kept(std::string(200, 'a')),
        {std::string(201, 'a'), std::string(197, 'a') + "..."},
        {e98 + "\xC3\xA9\xC3\xA9\xC3\xA9", e98 + "..."},
        {std::string(150, '\xE9'), e98 + "..."},
    };
    // clang-format on
    for (const auto& [line, name] : cases) {
        test::TempFolder folder;
        const std::string path = folder.Write("t.sun", line + "\r\n Mar 21  6:14\r\n");
        EXPECT_EQ(FindLocations({folder.Path()}, 0).Names, std::vector<std::string>{name}) << line;
        EXPECT_EQ(LookupSunset(path, Ymd(2027, 3, 21)).value_or(SunsetTime{}).Location, name);
    }
    // Every byte: Latin-1 ones are their own code points, 0x80-0x9F the code
    // page's typographic characters or U+FFFD where it defines none.
    for (int b = 1; b < 256; ++b) {
        const std::string utf8 = Windows1252ToUtf8(std::string(1, static_cast<char>(b)));
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_TRUE(IsValidUtf8(utf8) && (utf8 == "\xEF\xBF\xBD") == undefined) << b;
        const char latin1[] = {char(b < 0x80 ? b : 0xC0 | b >> 6), char(0x80 | (b & 0x3F)), 0};
        EXPECT_TRUE((b >= 0x80 && b < 0xA0) || utf8 == std::string(latin1, b < 0x80 ? 1 : 2)) << b;
    }
}

// Every shipped table is listed (so made again by the tool and compared) and passes the check.
TEST(ShippedTablesTest, ListedAndGood) {
    std::ifstream list(TOVEL_SUN_TABLE_LIST);
    int listed = 0;
    for (std::string line; std::getline(list, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::string file = line.substr(0, line.find('|'));  // FILE|NAME|LATITUDE|...
        const std::string path = std::string(TOVEL_DATA_DIR) + "/" + file;
        EXPECT_EQ(DescribeSunTableCheck(CheckSunTableFile(path)), "OK") << file;
        ++listed;
    }
    EXPECT_EQ(listed, 8);
    EXPECT_EQ(FindLocations({TOVEL_DATA_DIR}, 0).Files.size(), 8u);
}

}  // namespace
}  // namespace tovel
