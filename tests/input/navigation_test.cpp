#include <map>

#include <gtest/gtest.h>

#include "input/grid.h"
#include "input/navigation.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

const YearTable& Table() {
    static const YearTable table = ReadYearTable(test::ShippedTable());
    return table;
}

// Column c covers X 180 + 650c .. 180 + 650c + 649, row r Y 180 + 450r .. 180 + 450r + 449.
TEST(NavigationTest, ClickOnTheGrid) {
    // clang-format off
    const struct { const char* name; short first, days; float x, y; int day; } cases[] = {
        {"829.4 rounds to column 0", 1, 30, 829.4f, 100, 1},
        {"829.5 rounds to column 1", 1, 30, 829.5f, 100, 2},
        {"end of column 6, row 0", 1, 30, 4729, 629, 7},
        {"right of column 7", 1, 30, 4730, 100, 0},
        {"left of the picture", 1, 30, -20, 100, 0},
        {"last twip of row 5", 7, 30, 100, 2879, 30},
        {"below row 6", 7, 30, 100, 2880, 0},
        {"empty cell before day 1", 4, 29, 2129, 100, 0},
        {"empty cell after day 30", 7, 30, 830, 2879, 0},
    };  // clang-format on
    CalendarState s;
    for (const auto& c : cases) {
        s.MonthDays = c.days;
        s.FirstCell = c.first;
        EXPECT_EQ(JewishDayAt(s, c.x, c.y).value_or(0), c.day) << c.name;
    }
    // Empty cells after Saturday 28 February 2015 and before Saturday 1 April 2000.
    s.GregDate = Ymd(2015, 2, 1);
    EXPECT_EQ(GregDateAt(s, 100, 2000), std::nullopt);
    s.GregDate = Ymd(2000, 4, 9);
    EXPECT_EQ(GregDateAt(s, 4000, 100), std::nullopt);
}

// Which Adar a year move reaches, and a day cut to the month; the sweep below covers the rest.
TEST(NavigationTest, YearMovesAndYearSources) {
    // clang-format off
    const struct { const char* name; Date from; int years; Date to; } cases[] = {
        {"Purim of a common year to 14 Adar II", Ymd(1999, 3, 2), 1, Ymd(2000, 3, 21)},
        {"14 Adar II to the single Adar", Ymd(2000, 3, 21), 1, Ymd(2001, 3, 9)},
        {"14 Adar I into a common year", Ymd(2003, 2, 16), -1, Ymd(2002, 2, 26)},
        {"14 Adar I into a leap year", Ymd(2003, 2, 16), -3, Ymd(2000, 2, 20)},
        {"30 Adar I cut to 29 Adar", Ymd(2000, 3, 7), 1, Ymd(2001, 3, 24)},
    };  // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(YearMoveTarget(SetUpFor(c.from), c.years, Table()), c.to) << c.name;
    // A missing table, a missing year or an impossible year length give no move.
    test::TempFolder folder;
    const YearTable good = ReadYearTable(
        folder.Write("good", "5760 11-Sep-1999\r\n5761 30-Sep-2000\r\n5762 18-Sep-2001\r\n"));
    const CalendarState tishri = SetUpFor(Ymd(1999, 10, 1));  // 21 Tishri 5760
    EXPECT_EQ(YearMoveTarget(tishri, 1, good), Ymd(2000, 10, 20));
    EXPECT_EQ(YearMoveTarget(tishri, 2, good), std::nullopt);
    EXPECT_EQ(YearMoveTarget(tishri, 1, ReadYearTable(folder.Path() + "/missing")), std::nullopt);
    const auto odd = YearTable::FromText("5761 30-Sep-2000\n5762 21-Sep-2001");
    EXPECT_EQ(YearMoveTarget(tishri, 1, odd), std::nullopt);
}

// The buttons' range: "<" and ">" judge the shown year, "<<" and ">>" the year reached.
TEST(NavigationTest, RangeOfTheButtons) {
    const std::string lower = "Tovel can not pass below jewish year 5563";
    const std::string upper = "Tovel can not pass jewish year 6550";
    // clang-format off
    const struct { int year, months, years; bool monthOk; std::string refusal; } cases[] = {
        {5563, -1, -50, true, lower}, {5562, -1, 0, false, ""}, {5613, -1, -50, true, ""},
        {6550, 1, 1, true, upper},    {6551, 1, 0, false, ""},  {6549, 1, 1, true, ""},
    };  // clang-format on
    for (const auto& c : cases) {
        CalendarState s;
        s.JewYear = static_cast<std::int16_t>(c.year);
        EXPECT_EQ(MonthMoveAllowed(s, c.months), c.monthOk) << c.year;
        EXPECT_EQ(YearMoveRefusal(s, c.years).value_or(""), c.refusal) << c.year;
    }
}

// Every day of 5563..6549: "<" and ">" keep the day, cut to the month, and the opposite move comes
// back; ">>" by every step keeps month (an Adar for an Adar) and day, cut, and "<<" comes back
// unless the day or Adar I was lost.
TEST(NavigationTest, MovesOverTheTable) {
    std::map<Date, CalendarState> months;  // Elul 5562 .. Elul 6550 by first day
    for (CalendarState s = SetUpFor(Ymd(1802, 9, 26)); s.JewYear <= 6550;
         s = SetUpFor(s.NextMonthDate)) {
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30) << s.JewYear << s.JewMonthName;
        months[s.FirstDate] = s;
    }
    const auto adar = [](int m) { return m == 13 ? 6 : m; };  // Adar I and II alike
    for (auto it = std::next(months.begin()); it->second.JewYear <= 6549; ++it) {
        CalendarState s = it->second, next = std::next(it)->second, prev = std::prev(it)->second;
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        for (int d = 1; d <= s.MonthDays; ++d) {
            s.JewDay = static_cast<std::int16_t>(d);
            for (CalendarState* n : {&next, &prev}) {
                n->JewDay = static_cast<std::int16_t>(std::min<int>(d, n->MonthDays));
                const int dir = n == &next ? 1 : -1;
                ASSERT_EQ(MonthMoveTarget(s, dir), n->FirstDate + (n->JewDay - 1)) << d;
                if (d != n->JewDay) continue;
                ASSERT_EQ(MonthMoveTarget(*n, -dir), s.FirstDate + (d - 1));
            }
        }
        for (const int step : {1, 2, 5, 10, 20, 50}) {
            if (s.JewYear + step > 6550) break;
            SCOPED_TRACE(step);
            s.JewDay = 1;
            CalendarState t = months.at(YearMoveTarget(s, step, Table()).value());
            ASSERT_EQ(t.JewYear, s.JewYear + step);
            ASSERT_EQ(adar(t.JewMonthNo), adar(s.JewMonthNo));
            const bool adarILost = s.JewMonthNo == 6 && s.YearType >= 4 && t.YearType < 4;
            for (int d = 1; d <= s.MonthDays; ++d) {
                s.JewDay = static_cast<std::int16_t>(d);
                t.JewDay = static_cast<std::int16_t>(std::min<int>(d, t.MonthDays));
                ASSERT_EQ(YearMoveTarget(s, step, Table()), t.FirstDate + (t.JewDay - 1)) << d;
                if (d != t.JewDay || adarILost) continue;
                ASSERT_EQ(YearMoveTarget(t, -step, Table()), s.FirstDate + (d - 1)) << d;
            }
        }
    }
}

}  // namespace
}  // namespace tovel
