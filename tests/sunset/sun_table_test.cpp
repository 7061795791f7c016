#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "almanac_sunset.h"
#include "sunset/sun_line.h"
#include "sunset/sun_table_check.h"
#include "sunset/sun_table_maker.h"

namespace tovel {
namespace {

using namespace std::chrono;
using namespace solar;

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
    for (unsigned m = 1; m <= 12; ++m) {
        for (unsigned d = 1; d <= SunTableMonthDays(m); ++d, ++days) {
            for (int hour = 13; hour <= 23; ++hour) {
                for (int minute = 0; minute < 60; ++minute) {
                    const std::string line = WriteSunLine(m, d, hour, minute).value_or("");
                    const SunLineFields read =
                        ParseSunLine(line);  // the fields are set only when the line is good
                    ASSERT_EQ(
                        std::vector<int>({int(read.Month), int(read.Day), read.Hour, read.Minute}),
                        std::vector<int>({int(m), int(d), hour, minute}))
                        << read.KeyProblem << read.TimeProblem;
                    char time[8];
                    std::snprintf(time, sizeof time, " %d:%02d", hour, minute);
                    ASSERT_EQ(SunLineTimeText(line) + std::string(SunLineKeyOf(line)),
                              time + SunTableKeys()[days]);
                }
            }
        }
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
    const struct {
        double lat, lon;
        int offset;
    } places[] = {
        {31.77, 35.21, 7200},    {51.51, -0.13, 0},     {34.05, -118.24, -28800},
        {-33.87, 151.21, 36000}, {22.57, 88.36, 19800}, {0, -179.5, -39600},
        {-0.5, 179.5, 43200},    {1.87, -157.4, 50400},  // 14 hours ahead at 157 west: the transit
                                                         // is on the UTC day before
    };
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
            for (sys_days d = sys_days{year{y} / 1 / 1}; d <= sys_days{year{y} / 12 / 31};
                 d += days{1}) {
                const Sunset set = SunsetUtc(d, p.lat, p.lon);
                ASSERT_EQ(set.Kind, SunsetKind::Sets);
                const double almanac = test::AlmanacSunsetHours(++n, p.lat, p.lon) * 60;
                const double diff =
                    std::remainder(set.UtcMinutes - almanac, 1440.0);  // a time of day
                ASSERT_LT(std::fabs(diff), 1.0) << "day " << n;
                sum += diff;
            }
            EXPECT_LT(std::fabs(sum / n), 0.1);
        }
    }
}

TEST(SunTableMakerTest, RefusesWhatATableCannotHold) {
    const struct {
        SunTablePlace place;
        int year, offset;
        const char* error;
    } cases[] = {
        {{"Reykjavik", 64.1466, -21.9426},
         2026,
         0,
         "on Jun 15 2026 the sun sets at 00:00 (after midnight)"},
        {{"Tromso", 69.6492, 18.9553},
         2026,
         3600,
         "on Jan 1 2026 the sun does not rise (polar night)"},
        {{"McMurdo", -77.8463, 166.6681},
         2026,
         46800,
         "on Jan 1 2026 the sun does not set (midnight sun)"},
        {{"Six hours ahead", 0.0, -30.0}, 2026, 6 * 3600, "on Jan 1 2026 the sun sets at 02:"},
        {{"", 31.7683, 35.2137}, 2026, 7200, "the location name is empty"},
        {{"S\xE3o Paulo", -23.5, -46.6}, 2026, -10800, "not valid UTF-8"},
        {{"Haifa", 32.794, 34.9896}, 2791, 7200, "the year 2791 is outside 1802..2790"},
        {{std::string(201, 'a'), 32.794, 34.9896},
         2026,
         7200,
         "the location name is longer than 200 bytes"},
    };
    for (const auto& c : cases) {
        const SunTableResult table = MakeSunTable(c.place, c.year, Fixed(c.offset));
        EXPECT_NE(table.Error.find(c.error), std::string::npos) << table.Error;
        EXPECT_TRUE(table.Text.empty());
    }
}

TEST(SunTableCheckTest, GoodAndDamagedTables) {
    const std::string good = MakeSunTable({"Haifa", 32.794, 34.9896}, 2026, Fixed(7200)).Text;
    // The good table with day line `n` (1 = 1 January) replaced by `line`.
    auto with = [&good](int n, const std::string& line) {
        return std::string(good).replace(7 + (n - 1) * 15, 13, line);
    };
    const struct {
        std::string text;
        int line;
        const char* problem;
    } cases[] = {
        {good, 0, ""},
        {"", 1, "the file is empty"},
        {"Haifa\r\n", 2, "after 0 day lines; the line of Jan  1 and 365 more are missing"},
        {" Jan  1  4:55" + good.substr(5), 1, "read as the line of Jan  1"},
        {with(9, ""), 10, "the line is empty"},
        {with(9, "*Jan  9  4:55"), 10, "column 1 must be a blank, not '*'"},
        {with(9, " Jan- 9  4:55"), 10, "column 5 must be a blank, not '-'"},
        {"Haifa\n" + good.substr(7), 1, "LF without CR"},
        {good.substr(0, good.size() - 2), 367, "the last line has no line end"},
        {good.substr(0, good.size() - 15), 367, "the line of Dec 31 is missing"},
        {std::string(good).erase(7 + 59 * 15, 15), 61,
         "the line of Feb 29 belongs here, not Mar  1"},
        {with(4, good.substr(7 + 2 * 15, 13)), 5, "Jan  3 appears a second time (first on line 4)"},
        {good + "\r\n", 368, "a line after the 366 day lines"},
        {"\x7F"
         "ELF" +
             good.substr(5),
         1, "control character '\\x7F'"},
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

}  // namespace
}  // namespace tovel
