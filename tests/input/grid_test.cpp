#include <gtest/gtest.h>

#include "app/calendar_lines.h"
#include "engine/holidays.h"
#include "input/grid.h"
#include "input/navigation.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every month of the range from its 13th: cells, numbers, colours, the marker on the day.
TEST(MonthLayoutTest, EveryMonthOfTheRange) {
    for (CalendarState s = SetUpFor(Ymd(1802, 10, 9)); s.JewYear <= 6550;
         s = SetUpFor(s.NextMonthDate + 12)) {
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        const auto cells = MonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), s.MonthDays);
        int row = 1;
        for (const DayCell& cell : cells) {
            const Date g = s.FirstDate + cell.Day - 1;
            row += cell.Day > 1 && g.Weekday() == kSunday;
            ASSERT_EQ(cell.Column, g.Weekday());
            ASSERT_EQ(cell.Row, row);
            ASSERT_EQ(cell.Text, " " + std::to_string(g.Day()));
            const bool holiday = !s.DayText[cell.Day].empty();
            ASSERT_EQ(cell.Colour, holiday                    ? Ink::Green
                                   : g.Weekday() == kSaturday ? Ink::Red
                                                              : Ink::Black);
        }
        s.AddXJ = 7;
        s.AddYJ = -3;
        const MarkerPlace marker = MarkerPosition(s);
        const DayCell& selected = cells[static_cast<std::size_t>(s.JewDay - 1)];
        ASSERT_EQ(marker.Left - selected.X, 7);
        ASSERT_EQ(marker.Top - selected.Y, -13);
    }
}

// Texts the window tests do not reach: spans over a year's end, odd days.
TEST(MonthLayoutTest, TextsOfTheView) {
    CalendarState s = SetUpFor(Ymd(1999, 9, 11));
    EXPECT_EQ(GregorianSpan("December", "2026", "January", "2027"), "December 2026 / January 2027");
    EXPECT_EQ(GregorianSpan("December", "2026", "December", "2027"), "December 2026 2027");
    for (const int day : {1, 0, 43}) {
        s.JewDay = static_cast<std::int16_t>(day);
        EXPECT_EQ(SelectedDayText(s), day == 1 ? "Rosh Hashanah" : "") << day;
    }
}

// Hand-worked weeks and cells. 2000 starts on a Saturday and ends on the Sunday of its week 54;
// 2015 starts and ends on a Thursday (53 weeks). With AddWeek -1 the week of 1 January keeps its
// number from the year before; at -2 it becomes week -1.
TEST(GregorianLayoutTest, WeeksAndPlaces) {
    // clang-format off
    const struct { Date day; int addWeek, week, x, y; } cases[] = {
        {Ymd(2002, 1, 1), -1, 52, 1550, 150}, {Ymd(2002, 1, 6), -1, 1, 250, 600},
        {Ymd(2006, 1, 1), -1, 53, 250, 150},  {Ymd(2002, 1, 6), -2, 52, 250, 600},
        {Ymd(2000, 1, 1), -1, 52, 4150, 150}, {Ymd(2000, 1, 31), 0, 6, 900, 2400},
        {Ymd(2000, 12, 31), 0, 54, 250, 2400}, {Ymd(2015, 12, 31), 0, 53, 2850, 1950},
        {Ymd(2015, 2, 28), 0, 9, 4150, 1500}, {Ymd(2026, 12, 5), 0, 49, 4150, 150},
    };  // clang-format on
    CalendarState s;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day.Serial());
        EXPECT_EQ(WeekNumber(c.day, c.addWeek), c.week);
        s.GregDate = c.day;
        const GregCell cell = GregMonthCells(s).at(c.day.Day() - 1u);
        EXPECT_EQ(cell.X, c.x);
        EXPECT_EQ(cell.Y, c.y);
    }
    s.GregDate = Ymd(2002, 1, 1);
    s.AddWeek = -2;
    EXPECT_EQ(WeekLabel(s), "Week  -1");
}

TEST(GregorianLayoutTest, Moves) {
    // clang-format off
    const struct { const char* name; Date from; int gregDay, months; Date to; int day; } cases[] = {
        {"> from 31 January", Ymd(2001, 1, 31), 31, 1, Ymd(2001, 2, 28), 28},
        {"> into a leap February", Ymd(2004, 1, 31), 31, 1, Ymd(2004, 2, 29), 29},
        {"GregDay is carried, not the day", Ymd(2004, 2, 29), 31, 1, Ymd(2004, 3, 31), 31},
        {"<< from 29 February", Ymd(2004, 2, 29), 29, -12, Ymd(2003, 2, 28), 28},
        {"> into 9999", Ymd(9998, 12, 31), 31, 1, Ymd(9999, 1, 31), 31},
        {"> past 9999", Ymd(9999, 12, 1), 1, 1, {}, 0},
        {">> beyond 9999", Ymd(9999, 1, 1), 1, 12, {}, 0},
        {"< before year 1", Ymd(1, 1, 31), 31, -1, {}, 0},
        {"<< into year 1", Ymd(2, 1, 1), 1, -12, Ymd(1, 1, 1), 1},
        // clang-format on
    };
    CalendarState s;
    for (const auto& c : cases) {
        s.GregDate = c.from;
        s.GregDay = static_cast<std::int16_t>(c.gregDay);
        const auto move = GregMonthMoveTarget(s, c.months);
        EXPECT_EQ(move ? move->GregDate.Serial() : 0, c.to.Serial()) << c.name;
        EXPECT_EQ(move ? move->GregDay : 0, c.day) << c.name;
    }
    s.GregDate = Ymd(9999, 12, 31);
    EXPECT_EQ(GregStepTarget(s, 1), std::nullopt);
    EXPECT_EQ(GregStepTarget(s, -7), Ymd(9999, 12, 24));
    s.GregDate = Ymd(1, 1, 3);
    EXPECT_EQ(GregStepTarget(s, -7), std::nullopt);
}

// Every day of 1802..2791. The week counted day by day: 1 on 1 January, one more each Sunday; with
// AddWeek -1 it is 1 on the Sunday of 2..8 January.
TEST(GregorianLayoutTest, EveryMonthLayoutAndWeek) {
    CalendarState s;
    s.AddXG = 7;
    s.AddYG = -3;
    int week = 0, weekLess = 52;  // 1801 has 53 weeks
    for (Date first = Ymd(1802, 1, 1); first.Year() < 2792;
         first += static_cast<int>(GregMonthCells(s).size())) {
        s.GregDate = first;
        const auto cells = GregMonthCells(s);
        ASSERT_EQ((first + static_cast<int>(cells.size()) - 28).Month(), first.Month());
        ASSERT_EQ((first + static_cast<int>(cells.size())).Day(), 1) << first.Serial();
        for (const GregCell& cell : cells) {
            const Date d = first + (cell.Day - 1);
            SCOPED_TRACE(d.Serial());
            ASSERT_EQ(cell.Column, d.Weekday());
            ASSERT_EQ(cell.Row, (first.Weekday() + d.Day() + 5) / 7);
            ASSERT_EQ(cell.Saturday, cell.Column == 7);
            ASSERT_EQ(cell.Text, " " + std::to_string(d.Day()));
            ASSERT_EQ(GregDateAt(s, cell.X + 100.f, cell.Y + 100.f), d);
            s.GregDay = static_cast<std::int16_t>(cell.Day);
            const MarkerPlace m = GregMarkerPosition(s);
            ASSERT_EQ(m.Left - cell.X, 7);
            ASSERT_EQ(m.Top - cell.Y, -13);
            const bool sunday = d.Weekday() == kSunday, january = d.Month() == 1;
            week = january && d.Day() == 1 ? 1 : week + sunday;
            if (sunday) weekLess = january && d.Day() > 1 && d.Day() <= 8 ? 1 : weekLess + 1;
            ASSERT_EQ(WeekNumber(d, 0), week);
            ASSERT_EQ(WeekNumber(d, -1), weekLess);
        }
    }
}

}  // namespace
}  // namespace tovel
