#include <sys/stat.h>

#include <gtest/gtest.h>

#include "test_support.h"
#include "engine/jewish_date.h"
#include "engine/read_file.h"
#include "engine/year_table.h"
#include "input/navigation.h"

namespace tovel {
namespace {

using test::Ymd;

const YearStartTable& Table() {
    static const YearStartTable table = ReadYearStartTable(test::ShippedTable()).value();
    return table;
}

// The Jewish month state of day `d`, found through the table and FindJDate.
CalendarState StateAt(Date d) {
    CalendarState s;
    int y = d.Year() + 3761;
    while (d < Table().StartOf(y).value()) --y;
    while (d >= Table().StartOf(y + 1).value()) ++y;
    s.JewYear = static_cast<std::int16_t>(y);
    s.YearStart = *Table().StartOf(y);
    s.NextYearStart = *Table().StartOf(y + 1);
    s.YearType = static_cast<std::int16_t>(FindYearType(s.NextYearStart, s.YearStart, {}));
    s.SelDate = d;
    FindJDate(s);
    s.FirstDate = d - (s.JewDay - 1);
    return s;
}

TEST(NavigationTest, ClickOnTheGrid) {
    // Column c covers X 180 + 650c .. 180 + 650c + 649, row r Y 180 + 450r .. 180 + 450r + 449.
    // Gregorian rows: 1 February 2015 is a Sunday, 1 April 2000 a Saturday.
    const struct { const char* name; int firstCell, monthDays; Date greg; float x, y; int day; } cases[] = {
        {"left margin, X=100", 1, 30, {}, 100, 100, 1},
        {"829.4 rounds into column 0", 1, 30, {}, 829.4f, 100, 1},
        {"829.5 rounds into column 1", 1, 30, {}, 829.5f, 100, 2},
        {"last twip of column 6, row 0", 1, 30, {}, 4729, 629, 7},
        {"right of column 7", 1, 30, {}, 4730, 100, 0},
        {"left of the picture", 1, 30, {}, -20, 100, 0},
        {"last twip of row 5", 7, 30, {}, 100, 2879, 30},
        {"below row 6", 7, 30, {}, 100, 2880, 0},
        {"empty cell before day 1", 4, 29, {}, 2129, 100, 0},
        {"first twip of column 3 holds day 1", 4, 29, {}, 2130, 100, 1},
        {"empty cell after day 30", 7, 30, {}, 830, 2879, 0},
        {"Gregorian X=100", 0, 0, Ymd(2015, 2, 20), 100, 100, 1},
        {"Gregorian empty cell after 28 February", 0, 0, Ymd(2015, 2, 1), 100, 2000, 0},
        {"Gregorian empty cell before 1 April", 0, 0, Ymd(2000, 4, 9), 4000, 100, 0},
        {"Gregorian 30 April in row 5", 0, 0, Ymd(2000, 4, 9), 100, 2500, 30},
        {"Gregorian right of column 7", 0, 0, Ymd(2000, 4, 9), 4730, 700, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalendarState s;
        s.FirstCell = static_cast<std::int16_t>(c.firstCell);
        s.MonthDays = static_cast<std::int16_t>(c.monthDays);
        s.GregDate = c.greg;
        if (c.monthDays == 0) {
            const auto d = GregDateAt(s, c.x, c.y);
            EXPECT_EQ(d, c.day ? std::optional(c.greg + (c.day - c.greg.Day())) : std::nullopt);
        } else {
            EXPECT_EQ(JewishDayAt(s, c.x, c.y).value_or(0), c.day);
        }
    }
}

TEST(NavigationTest, NamedMoves) {
    // Purim: 5759 on 2 March 1999, 5760 (14 Adar II) on 21 March 2000, 5761 on 9 March 2001;
    // 14 Adar I 5763 on 16 February 2003; 14 Nisan 5760 on 19 April 2000; 1 Tishri 5760 on
    // 11 September 1999.
    const struct { const char* name; Date from; int months, years; Date to; } cases[] = {
        {">> from Purim of a common year to 14 Adar II", Ymd(1999, 3, 2), 0, 1, Ymd(2000, 3, 21)},
        {">> from 14 Adar II to the single Adar", Ymd(2000, 3, 21), 0, 1, Ymd(2001, 3, 9)},
        {"<< from 14 Adar I into a common year", Ymd(2003, 2, 16), 0, -1, Ymd(2002, 2, 26)},
        {"<< from 14 Adar I into a leap year", Ymd(2003, 2, 16), 0, -3, Ymd(2000, 2, 20)},
        {">> from 30 Adar I cut to 29 Adar", Ymd(2000, 3, 7), 0, 1, Ymd(2001, 3, 24)},
        {">> from 30 Heshvan cut to 29 Heshvan", Ymd(1999, 11, 9), 0, 1, Ymd(2000, 11, 27)},
        {"< from 1 Tishri to 1 Elul", Ymd(1999, 9, 11), -1, 0, Ymd(1999, 8, 13)},
        {"< from 30 Tishri cut to 29 Elul", Ymd(1999, 10, 10), -1, 0, Ymd(1999, 9, 10)},
        {"> from 29 Elul to 29 Tishri", Ymd(1999, 9, 10), 1, 0, Ymd(1999, 10, 9)},
        {"> from 30 Adar I cut to 29 Adar II", Ymd(2000, 3, 7), 1, 0, Ymd(2000, 4, 5)},
        {"> from 14 Adar II to 14 Nisan", Ymd(2000, 3, 21), 1, 0, Ymd(2000, 4, 19)},
        {"< from 15 Adar II to 15 Adar I", Ymd(2000, 3, 22), -1, 0, Ymd(2000, 2, 21)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalendarState s = StateAt(c.from);
        EXPECT_EQ(c.years ? YearMoveTarget(s, c.years, Table()) : MonthMoveTarget(s, c.months), c.to);
    }
}

// Every month of 5563..6549 and every day: "<" and ">" land in the adjacent
// month with the day cut to its length, and the opposite move comes back.
TEST(NavigationTest, MonthMovesOverTheTable) {
    for (CalendarState s = StateAt(*Table().StartOf(5563)); s.JewYear <= 6549;
         s = StateAt(s.FirstDate + s.MonthDays)) {
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        CalendarState next = StateAt(s.FirstDate + s.MonthDays), prev = StateAt(s.FirstDate - 1);
        for (int d = 1; d <= s.MonthDays; ++d) {
            s.JewDay = static_cast<std::int16_t>(d);
            for (CalendarState* n : {&next, &prev}) {
                n->JewDay = static_cast<std::int16_t>(std::min<int>(d, n->MonthDays));
                const int dir = n == &next ? 1 : -1;
                ASSERT_EQ(MonthMoveTarget(s, dir), n->FirstDate + (n->JewDay - 1)) << d;
                if (d == n->JewDay) {
                    ASSERT_EQ(MonthMoveTarget(*n, -dir), s.FirstDate + (d - 1)) << d;
                }
            }
        }
    }
}

// ">>" then "<<" with every step: the same month (an Adar for an Adar) `step`
// years on with the day cut, and back unless the day or Adar I was lost.
TEST(NavigationTest, YearMovesOverTheTable) {
    for (CalendarState s = StateAt(*Table().StartOf(5563)); s.JewYear <= 6549;
         s = StateAt(s.FirstDate + s.MonthDays)) {
        for (const int step : {1, 2, 5, 10, 20, 50}) {
            if (s.JewYear + step > 6550) break;
            SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName << " step " << step);
            s.JewDay = 1;
            CalendarState t = StateAt(YearMoveTarget(s, step, Table()).value());
            ASSERT_EQ(t.JewYear, s.JewYear + step);
            const auto adar = [](int m) { return m == 6 || m == 13; };
            ASSERT_TRUE(t.JewMonthNo == s.JewMonthNo || (adar(s.JewMonthNo) && adar(t.JewMonthNo)));
            const bool adarILost = s.JewMonthNo == 6 && s.YearType >= 4 && t.YearType < 4;
            for (int d = 1; d <= s.MonthDays; ++d) {
                s.JewDay = static_cast<std::int16_t>(d);
                t.JewDay = static_cast<std::int16_t>(std::min<int>(d, t.MonthDays));
                ASSERT_EQ(YearMoveTarget(s, step, Table()), t.FirstDate + (t.JewDay - 1)) << d;
                if (d == t.JewDay && !adarILost) {
                    ASSERT_EQ(YearMoveTarget(t, -step, Table()), s.FirstDate + (d - 1)) << d;
                }
            }
        }
    }
}

TEST(NavigationTest, YearStartSources) {
    test::TempFolder folder;
    const std::string good = "5760 11-Sep-1999\r\n5761 30-Sep-2000\r\n5762 18-Sep-2001\r\n";
    const CalendarState s = StateAt(Ymd(1999, 10, 1));  // 21 Tishri 5760
    EXPECT_EQ(YearMoveTarget(s, 1, YearTableFile(folder.Write("good", good))), Ymd(2000, 10, 20));
    EXPECT_EQ(YearMoveTarget(s, 2, YearTableFile(folder.Write("good", good))), std::nullopt);
    EXPECT_EQ(YearMoveTarget(s, 1, YearTableFile(folder.Path() + "/missing")), std::nullopt);
    const std::string fifo = folder.Path() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(YearMoveTarget(s, 1, YearTableFile(fifo)), std::nullopt);
    const std::string big = good + std::string(kMaxDataFileBytes, '\n');
    EXPECT_EQ(YearMoveTarget(s, 1, YearTableFile(folder.Write("big", big))), std::nullopt);
    // 356 days from 5761 to 5762 is no year type.
    const auto bad = YearStartTable::FromText("5761 30-Sep-2000\n5762 21-Sep-2001\n");
    EXPECT_EQ(YearMoveTarget(s, 1, bad), std::nullopt);
}

}  // namespace
}  // namespace tovel
