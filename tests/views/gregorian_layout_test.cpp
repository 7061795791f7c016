#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "input/navigation.h"
#include "views/gregorian_layout.h"

namespace tovel {
namespace {

using test::Ymd;

TEST(GregorianLayoutTest, NamedWeekNumbers) {
    const struct { const char* name; Date day; int addWeek, week; } cases[] = {
        {"1 January 2000, a Saturday", Ymd(2000, 1, 1), 0, 1},
        {"2 January 2000, a Sunday", Ymd(2000, 1, 2), 0, 2},
        {"31 December 2000", Ymd(2000, 12, 31), 0, 54},
        {"5 May 2002", Ymd(2002, 5, 5), 0, 19},
        {"31 December 2002", Ymd(2002, 12, 31), 0, 53},
        {"30 December 2001, -1", Ymd(2001, 12, 30), -1, 52},
        {"31 December 2001, -1", Ymd(2001, 12, 31), -1, 52},
        {"1 January 2002, -1", Ymd(2002, 1, 1), -1, 52},
        {"5 January 2002, -1", Ymd(2002, 1, 5), -1, 52},
        {"6 January 2002, -1", Ymd(2002, 1, 6), -1, 1},
        {"31 December 2005, -1", Ymd(2005, 12, 31), -1, 52},
        {"1 January 2006, -1", Ymd(2006, 1, 1), -1, 53},
        {"7 January 2006, -1", Ymd(2006, 1, 7), -1, 53},
        {"1 January 2002, -2", Ymd(2002, 1, 1), -2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WeekNumber(c.day, c.addWeek), c.week);
    }
    CalendarState s;
    s.GregDate = Ymd(2002, 1, 1);
    s.AddWeek = -2;
    EXPECT_EQ(WeekLabel(s), "Week  -1");
}

// Every day of 1802..2791: a week number changes exactly on Sundays within a
// year, 1 January is week 1, and with AddWeek -1 the week holding 1 January
// keeps one number (the next after the last Saturday when it starts on Sunday).
TEST(GregorianLayoutTest, WeekNumbersOverTheYears) {
    for (Date d = Ymd(1802, 1, 1); d <= Ymd(2791, 12, 31); d += 1) {
        const int week = WeekNumber(d, 0);
        if (d.Month() == 1 && d.Day() == 1) {
            ASSERT_EQ(week, 1) << d.Year();
            const Date sunday = d - (d.Weekday() - 1);
            const int first = WeekNumber(sunday, -1);
            for (int i = 1; i < 7; ++i) ASSERT_EQ(WeekNumber(sunday + i, -1), first) << d.Year();
            ASSERT_EQ(first, WeekNumber(sunday - 1, -1) + 1) << d.Year();
        } else {
            ASSERT_EQ(week, WeekNumber(d - 1, 0) + (d.Weekday() == 1 ? 1 : 0)) << d.Serial();
        }
    }
}

TEST(GregorianLayoutTest, MonthAndYearMoves) {
    const struct { const char* name; Date from; int gregDay, months; Date to; int day; } cases[] = {
        {"> from 31 January 2001", Ymd(2001, 1, 31), 31, 1, Ymd(2001, 2, 28), 28},
        {"> again keeps the 28th", Ymd(2001, 2, 28), 28, 1, Ymd(2001, 3, 28), 28},
        {"> from 31 January 2004", Ymd(2004, 1, 31), 31, 1, Ymd(2004, 2, 29), 29},
        {"> again keeps the 29th", Ymd(2004, 2, 29), 29, 1, Ymd(2004, 3, 29), 29},
        {"GregDay beyond the shown day is carried", Ymd(2004, 2, 29), 31, 1, Ymd(2004, 3, 31), 31},
        {"> into a 30-day month", Ymd(2004, 3, 31), 31, 1, Ymd(2004, 4, 30), 30},
        {"<< from 29 February 2004", Ymd(2004, 2, 29), 29, -12, Ymd(2003, 2, 28), 28},
        {">> from 29 February 2004", Ymd(2004, 2, 29), 29, 12, Ymd(2005, 2, 28), 28},
        {"< from January", Ymd(2000, 1, 15), 15, -1, Ymd(1999, 12, 15), 15},
        {"> from December", Ymd(1999, 12, 15), 15, 1, Ymd(2000, 1, 15), 15},
        {"> into year 9999", Ymd(9998, 12, 31), 31, 1, Ymd(9999, 1, 31), 31},
        {"> beyond 9999", Ymd(9999, 12, 1), 1, 1, {}, 0},
        {">> beyond 9999", Ymd(9999, 1, 1), 1, 12, {}, 0},
        {"< before year 1", Ymd(1, 1, 31), 31, -1, {}, 0},
        {"<< before year 1", Ymd(1, 12, 31), 31, -12, {}, 0},
        {"<< into year 1", Ymd(2, 1, 1), 1, -12, Ymd(1, 1, 1), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalendarState s;
        s.GregDate = c.from;
        s.GregDay = static_cast<std::int16_t>(c.gregDay);
        const auto move = GregMonthMoveTarget(s, c.months);
        ASSERT_EQ(move.has_value(), c.day != 0);
        if (!move) continue;
        EXPECT_EQ(move->GregDate, c.to);
        EXPECT_EQ(move->GregDay, c.day);
    }
    CalendarState s;
    s.GregDate = Ymd(9999, 12, 31);
    EXPECT_EQ(GregStepTarget(s, 1), std::nullopt);
    EXPECT_EQ(GregStepTarget(s, -7), Ymd(9999, 12, 24));
    s.GregDate = Ymd(1, 1, 3);
    EXPECT_EQ(GregStepTarget(s, -7), std::nullopt);
    EXPECT_EQ(GregStepTarget(s, -2), Ymd(1, 1, 1));
}

// Every month of 1802..2791: the cells follow the weekdays, a click inside a
// cell selects its day, and the marker stands on the cell.
TEST(GregorianLayoutTest, EveryMonthLayout) {
    for (Date first = Ymd(1802, 1, 1); first < Ymd(2792, 1, 1);
         first = Date::FromSysDays(std::chrono::sys_days{first.Ymd() + std::chrono::months{1}})) {
        CalendarState s;
        s.GregDate = first;
        s.AddXG = 7;
        s.AddYG = -3;
        const auto cells = GregMonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), (Date::FromSysDays(std::chrono::sys_days{
                      first.Ymd() + std::chrono::months{1}}) - first)) << first.Serial();
        for (const GregCell& cell : cells) {
            const Date d = first + (cell.Day - 1);
            ASSERT_EQ(cell.Column, d.Weekday()) << d.Serial();
            ASSERT_EQ(cell.Row, (first.Weekday() + cell.Day - 2) / 7 + 1);
            ASSERT_EQ(cell.X, 250 + 650 * (cell.Column - 1));
            ASSERT_EQ(cell.Y, 150 + 450 * (cell.Row - 1));
            ASSERT_EQ(cell.Saturday, d.Weekday() == 7);
            ASSERT_EQ(cell.Text, " " + std::to_string(d.Day()));
            ASSERT_EQ(GregDateAt(s, cell.X + 100.f, cell.Y + 100.f), d);
            s.GregDay = static_cast<std::int16_t>(cell.Day);
            const MarkerPlace m = GregMarkerPosition(s);
            ASSERT_EQ(m.Left, cell.X + 7);
            ASSERT_EQ(m.Top, cell.Y - 10 - 3) << d.Serial();
        }
    }
    // A 31-day month from a Saturday needs six rows; a 28-day February from a Sunday four.
    CalendarState s;
    s.GregDate = Ymd(2000, 1, 20);
    const GregCell last = GregMonthCells(s).back();
    EXPECT_EQ(last.X, 900);
    EXPECT_EQ(last.Y, 2400);
    EXPECT_EQ(last.Text, " 31");
    s.GregDate = Ymd(2015, 2, 1);
    const auto feb = GregMonthCells(s);
    EXPECT_EQ(feb.front().Row, 1);
    EXPECT_EQ(feb.back().Row, 4);
    EXPECT_EQ(feb.back().Column, 7);
}

}  // namespace
}  // namespace tovel
