#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "almanac_sunset.h"
#include "engine/format_date.h"
#include "sunset/sun_table_check.h"
#include "sunset/sun_table_maker.h"

namespace tovel {
namespace {

using namespace std::chrono;

UtcOffsetAt Fixed(int seconds) {
    return [seconds](std::int64_t) { return seconds; };
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        out.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

TEST(SunTableMakerTest, LineLayout) {
    const struct { unsigned m, d; int minutes; const char* line; } cases[] = {
        {3, 21, 18 * 60 + 14, " Mar 21  6:14"},
        {1, 5, 13 * 60, " Jan  5  1:00"},  // earliest: hour 1
        {12, 31, 21 * 60 + 59, " Dec 31  9:59"},  // latest: hour 9
        {2, 29, 17 * 60 + 2, " Feb 29  5:02"},
        {10, 10, 19 * 60 + 30, " Oct 10  7:30"},
        {7, 1, 12 * 60 + 59, nullptr},  // 12:59 would need hour 0 (or 12)
        {7, 1, 22 * 60, nullptr},       // 22:00 would need two digits
        {7, 1, 24 * 60 + 10, nullptr},  // after midnight
        {7, 1, -30, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.minutes);
        const auto line = SunTableLine(c.m, c.d, c.minutes);
        if (c.line) {
            ASSERT_TRUE(line.has_value());
            EXPECT_EQ(*line, c.line);
        } else {
            EXPECT_FALSE(line.has_value());
        }
    }
}

TEST(SunTableMakerTest, LeapDayComesFromTheNearestLeapYear) {
    const struct { int year, leap; } cases[] = {
        {2024, 2024}, {2025, 2024}, {2026, 2024}, {2027, 2028},  // 2026: a tie, the earlier
        {1802, 1804}, {1899, 1896}, {1900, 1896}, {1901, 1904},  // 1900 is no leap year
        {2100, 2096}, {2000, 2000}, {2790, 2788},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(LeapDayYear(c.year), c.leap);
    }
}

// Whatever the maker writes passes the check: many places, zones and years.
TEST(SunTableMakerTest, EveryTableItMakesPassesTheCheck) {
    const struct { double lat, lon; int offset; } places[] = {
        {31.7683, 35.2137, 7200}, {51.5074, -0.1278, 0},     {-34.6037, -58.3816, -10800},
        {22.5726, 88.3639, 19800}, {0, -179.5, -39600},      {-0.5, 179.5, 43200},
        {48.8566, 2.3522, 7200},   {1.3521, 103.8198, 28800}, {21.3069, -157.8583, -36000},
    };
    for (int year : {kFirstSunTableYear, 1900, 2026, 2100, kLastSunTableYear}) {
        for (const auto& p : places) {
            SCOPED_TRACE(std::to_string(year) + " at " + std::to_string(p.lat) + " " +
                         std::to_string(p.lon));
            const SunTableResult table = MakeSunTable({"Town", p.lat, p.lon}, year, Fixed(p.offset));
            ASSERT_TRUE(table.Ok()) << table.Error;
            const SunTableCheck check = CheckSunTable(table.Text);
            EXPECT_TRUE(check.Ok()) << DescribeSunTableCheck(check);
            EXPECT_EQ(check.Name, "Town");
        }
    }
}

TEST(SunTableMakerTest, EachLineIsThatDaysSunset) {
    const UtcOffsetAt israel = Fixed(7200);
    const SunTableResult table = MakeSunTable({"Jerusalem", 31.7683, 35.2137}, 2026, israel);
    ASSERT_TRUE(table.Ok()) << table.Error;
    const std::vector<std::string> lines = Lines(table.Text);
    ASSERT_EQ(lines.size(), 367u);
    EXPECT_EQ(lines[0], "Jerusalem");
    int index = 1;
    for (unsigned m = 1; m <= 12; ++m) {
        const auto length = unsigned((2024y / m / last).day());
        for (unsigned d = 1; d <= length; ++d, ++index) {
            SCOPED_TRACE(lines[static_cast<std::size_t>(index)]);
            // 29 February of 2024, every other day of 2026.
            const year_month_day day{m == 2 && d == 29 ? 2024y : 2026y, month{m}, std::chrono::day{d}};
            const LocalSunset set = SunsetOn(day, 31.7683, 35.2137, israel);
            EXPECT_EQ(lines[static_cast<std::size_t>(index)], *SunTableLine(m, d, set.Minutes));
        }
    }
    // The 29th (of another year) sits between its neighbours.
    EXPECT_EQ(lines[60].substr(0, 10), " Feb 29  5");
    EXPECT_LE(lines[59].substr(10), lines[60].substr(10));
    EXPECT_LE(lines[60].substr(10), lines[61].substr(10));
}

TEST(SunTableMakerTest, TheZoneDecidesTheClockTime) {
    // The same Sunset, 90 minutes apart: a half-hour offset is kept to the minute.
    const year_month_day day = 2026y / June / 1;
    const int kolkata = SunsetOn(day, 22.5726, 88.3639, Fixed(19800)).Minutes;
    const int shifted = SunsetOn(day, 22.5726, 88.3639, Fixed(19800 - 5400)).Minutes;
    EXPECT_EQ(kolkata - shifted, 90);
    // A zone 14 hours ahead of UTC at 157 degrees west: the transit of the
    // local day lies on the previous UTC day, and the evening is still evening.
    const int kiritimati = SunsetOn(day, 1.87, -157.4, Fixed(14 * 3600)).Minutes;
    EXPECT_GT(kiritimati, 18 * 60);
    EXPECT_LT(kiritimati, 19 * 60 + 30);
    // A change of offset between two evenings moves the second by an hour.
    const std::int64_t change = sys_seconds{sys_days{2026y / October / 4}}.time_since_epoch().count();
    const UtcOffsetAt southernSummer = [change](std::int64_t t) { return t < change ? 34200 : 37800; };
    const int before = SunsetOn(2026y / October / 3, -34.9285, 138.6007, southernSummer).Minutes;
    const int after = SunsetOn(2026y / October / 4, -34.9285, 138.6007, southernSummer).Minutes;
    EXPECT_GE(after - before, 60);  // plus the day's own change, under a minute there
    EXPECT_LE(after - before, 61);
}

TEST(SunTableMakerTest, RefusesWhatATableCannotHold) {
    const struct { const char* name; SunTablePlace place; int year; int offset; const char* error; } cases[] = {
        {"Reykjavik in summer", {"Reykjavik", 64.1466, -21.9426}, 2026, 0,
         " 2026 the sun sets at 22:0"},
        {"Tromso in winter", {"Tromso", 69.6492, 18.9553}, 2026, 3600,
         "on Jan 1 2026 the sun does not rise (polar night)"},
        {"McMurdo in summer", {"McMurdo", -77.8463, 166.6681}, 2026, 46800,
         "on Jan 1 2026 the sun does not set (midnight sun)"},
        {"a zone six hours behind its sun", {"Accra", 5.6037, -0.1870}, 2026, -6 * 3600,
         "on Jan 1 2026 the sun sets at 11:"},
        {"a zone six hours ahead of its sun", {"Town", 0.0, -30.0}, 2026, 6 * 3600,
         "on Jan 1 2026 the sun sets at 02:"},
        {"empty name", {"", 31.7683, 35.2137}, 2026, 7200, "the location name is empty"},
        {"name with a line break", {"Tel\nAviv", 32, 34.8}, 2026, 7200, "a line break"},
        {"name with a CR", {"Tel Aviv\r", 32, 34.8}, 2026, 7200, "a line break"},
        {"name not UTF-8", {"S\xE3o Paulo", -23.5, -46.6}, 2026, -10800, "not valid UTF-8"},
        {"year before the range", {"Haifa", 32.794, 34.9896}, 1801, 7200, "outside 1802..2790"},
        {"year after the range", {"Haifa", 32.794, 34.9896}, 2791, 7200, "outside 1802..2790"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SunTableResult table = MakeSunTable(c.place, c.year, Fixed(c.offset));
        EXPECT_FALSE(table.Ok());
        EXPECT_NE(table.Error.find(c.error), std::string::npos) << table.Error;
        EXPECT_TRUE(table.Text.empty());
    }
    // Reykjavik: the day named is the first one too late, and the almanac
    // algorithm agrees that its sunset is the first after 21:59 (within its
    // accuracy).
    const std::string error = MakeSunTable({"Reykjavik", 64.1466, -21.9426}, 2026, Fixed(0)).Error;
    sys_days first = sys_days{2026y / January / 1};
    while (SunsetOn(first, 64.1466, -21.9426, Fixed(0)).Minutes <= kLatestTableMinute) first += days{1};
    const year_month_day named{first};
    EXPECT_NE(error.find("on " + std::string(MonthAbbreviation(int(unsigned(named.month())))) + " " +
                         std::to_string(unsigned(named.day())) + " 2026 "),
              std::string::npos) << error;
    const int n = (first - sys_days{2026y / January / 1}).count() + 1;
    EXPECT_GT(test::AlmanacSunsetHours(n, 64.1466, -21.9426) * 60, kLatestTableMinute - 1.5);
    EXPECT_LT(test::AlmanacSunsetHours(n - 1, 64.1466, -21.9426) * 60, kLatestTableMinute + 1.5);
}

}  // namespace
}  // namespace tovel
