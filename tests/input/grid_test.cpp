#include <gtest/gtest.h>

#include "engine/holidays.h"
#include "input/navigation.h"
#include "test_support.h"
#include "app/calendar_lines.h"
#include "input/grid.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every month of the range, shown from its 13th: days in their weekday's column, a new row on Sunday, six rows
// at most, the Gregorian number of the day, holiday and Saturday colours, and the marker on the selected day.
TEST(MonthLayoutTest, EveryMonthOfTheRange) {
    for (CalendarState s = SetUpFor(Ymd(1802, 10, 9)); s.JewYear <= 6550; s = SetUpFor(s.NextMonthDate + 12)) {
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30) << s.JewYear << s.JewMonthName;
        const auto cells = MonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), s.MonthDays);
        int row = 1;
        for (const DayCell& cell : cells) {
            const Date g = s.FirstDate + cell.Day - 1;
            row += cell.Day > 1 && g.Weekday() == kSunday;
            ASSERT_EQ(std::tie(cell.Column, cell.Row), std::tuple(g.Weekday(), row)) << s.JewYear << s.JewMonthName;
            ASSERT_LE(cell.Row, 6);
            ASSERT_EQ(cell.Text, " " + std::to_string(g.Day()));
            const bool holiday = !s.DayText[cell.Day].empty();
            ASSERT_EQ(cell.Colour, holiday ? Ink::Green : g.Weekday() == kSaturday ? Ink::Red : Ink::Black);
        }
        const MarkerPlace marker = MarkerPosition(s);
        const DayCell& selected = cells[static_cast<std::size_t>(s.JewDay - 1)];
        ASSERT_EQ(std::tie(marker.Left, marker.Top), std::tuple(selected.X + s.AddXJ, selected.Y + s.AddYJ - 10));
    }
}

// The title, the status lines and the weekday header as the window shows them: form1_test.cpp and
// form1_navigation_test.cpp. Here what the window tests do not reach: spans over a year's end, odd days.
TEST(MonthLayoutTest, TextsOfTheView) {
    CalendarState s = SetUpFor(Ymd(1999, 9, 11));
    EXPECT_EQ(GregorianSpan("December", "2026", "January", "2027"), "December 2026 / January 2027");
    EXPECT_EQ(GregorianSpan("December", "2026", "December", "2027"), "December 2026 2027");
    for (const int day : {1, 0, 43}) {
        s.JewDay = static_cast<std::int16_t>(day);
        EXPECT_EQ(SelectedDayText(s), day == 1 ? "Rosh Hashanah" : "") << day;
    }
}

// With AddWeek -1 the week of 1 January keeps its number from the year before; at 0 it becomes week -1.
TEST(GregorianLayoutTest, WeekNumbersAtTheTurnOfTheYear) {
    const struct { Date day; int addWeek, week; } cases[] = {
        {Ymd(2002, 1, 1), -1, 52}, {Ymd(2002, 1, 6), -1, 1}, {Ymd(2006, 1, 1), -1, 53}, {Ymd(2002, 1, 6), -2, 52},
    };
    for (const auto& c : cases) EXPECT_EQ(WeekNumber(c.day, c.addWeek), c.week) << c.day.Serial() << " " << c.addWeek;
    CalendarState s;
    s.GregDate = Ymd(2002, 1, 1);
    s.AddWeek = -2;
    EXPECT_EQ(WeekLabel(s), "Week  -1");
}

TEST(GregorianLayoutTest, Moves) {
    const struct { const char* name; Date from; int gregDay, months; Date to; int day; } cases[] = {
        {"> from 31 January", Ymd(2001, 1, 31), 31, 1, Ymd(2001, 2, 28), 28},
        {"> into a leap February", Ymd(2004, 1, 31), 31, 1, Ymd(2004, 2, 29), 29},
        {"GregDay is carried, not the day shown", Ymd(2004, 2, 29), 31, 1, Ymd(2004, 3, 31), 31},
        {"<< from 29 February", Ymd(2004, 2, 29), 29, -12, Ymd(2003, 2, 28), 28},
        {"> into 9999", Ymd(9998, 12, 31), 31, 1, Ymd(9999, 1, 31), 31}, {"> past 9999", Ymd(9999, 12, 1), 1, 1, {}, 0},
        {">> beyond 9999", Ymd(9999, 1, 1), 1, 12, {}, 0}, {"< before year 1", Ymd(1, 1, 31), 31, -1, {}, 0},
        {"<< into year 1", Ymd(2, 1, 1), 1, -12, Ymd(1, 1, 1), 1},
    };
    CalendarState s;
    for (const auto& c : cases) {
        s.GregDate = c.from;
        s.GregDay = static_cast<std::int16_t>(c.gregDay);
        const auto move = GregMonthMoveTarget(s, c.months);
        EXPECT_TRUE(move ? move->GregDate == c.to && move->GregDay == c.day : c.day == 0) << c.name;
    }
    s.GregDate = Ymd(9999, 12, 31);
    EXPECT_EQ(GregStepTarget(s, 1), std::nullopt);
    EXPECT_EQ(GregStepTarget(s, -7), Ymd(9999, 12, 24));
    s.GregDate = Ymd(1, 1, 3);
    EXPECT_EQ(GregStepTarget(s, -7), std::nullopt);
}

// Every month of 1802..2791: cells follow the weekdays, a click selects the day and the marker stands on it.
// The week changes on Sundays, 1 January is week 1, and with AddWeek -1 the week of 1 January keeps the number
// after that of the Saturday before it.
TEST(GregorianLayoutTest, EveryMonthLayoutAndWeek) {
    CalendarState s;
    s.AddXG = 7;
    s.AddYG = -3;
    for (Date first = Ymd(1802, 1, 1); first.Year() < 2792; first += static_cast<int>(GregMonthCells(s).size())) {
        s.GregDate = first;
        const auto cells = GregMonthCells(s);
        ASSERT_EQ((first + static_cast<int>(cells.size())).Day(), 1) << first.Serial();
        ASSERT_GE(cells.size(), 28u);
        for (const GregCell& cell : cells) {
            const Date d = first + (cell.Day - 1);
            ASSERT_EQ(std::tie(cell.Column, cell.Row), std::tuple(d.Weekday(), (first.Weekday() + d.Day() + 5) / 7));
            ASSERT_EQ(std::tie(cell.X, cell.Y), std::tuple(250 + 650 * (cell.Column - 1), 150 + 450 * (cell.Row - 1)));
            ASSERT_EQ(cell.Saturday, cell.Column == 7);
            ASSERT_EQ(cell.Text, " " + std::to_string(d.Day()));
            ASSERT_EQ(GregDateAt(s, cell.X + 100.f, cell.Y + 100.f), d);
            s.GregDay = static_cast<std::int16_t>(cell.Day);
            const MarkerPlace m = GregMarkerPosition(s);
            ASSERT_EQ(std::tie(m.Left, m.Top), std::tuple(cell.X + 7, cell.Y - 10 - 3)) << d.Serial();
            const bool newYear = d.Month() == 1 && d.Day() == 1;
            ASSERT_EQ(WeekNumber(d, 0), newYear ? 1 : WeekNumber(d - 1, 0) + (d.Weekday() == 1)) << d.Serial();
            for (Date sunday = d - (d.Weekday() - 1), e = sunday; newYear && e < sunday + 7; e += 1)
                ASSERT_EQ(WeekNumber(e, -1), WeekNumber(sunday - 1, -1) + 1) << d.Year();
        }
    }
}

}  // namespace
}  // namespace tovel
