#include <gtest/gtest.h>

#include "test_support.h"
#include "input/navigation.h"
#include "views/gregorian_layout.h"

namespace tovel {
namespace {

using test::Ymd;

TEST(GregorianLayoutTest, NamedWeekNumbers) {
    const struct { Date day; int addWeek, week; } cases[] = {
        {Ymd(2000, 1, 1), 0, 1},    {Ymd(2000, 1, 2), 0, 2},    {Ymd(2000, 12, 31), 0, 54},
        {Ymd(2002, 5, 5), 0, 19},   {Ymd(2002, 12, 31), 0, 53}, {Ymd(2001, 12, 30), -1, 52},
        {Ymd(2001, 12, 31), -1, 52}, {Ymd(2002, 1, 1), -1, 52}, {Ymd(2002, 1, 5), -1, 52},
        {Ymd(2002, 1, 6), -1, 1},   {Ymd(2005, 12, 31), -1, 52}, {Ymd(2006, 1, 1), -1, 53},
        {Ymd(2006, 1, 7), -1, 53},  {Ymd(2002, 1, 1), -2, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WeekNumber(c.day, c.addWeek), c.week) << c.day.Serial() << " " << c.addWeek;
    CalendarState s;
    s.GregDate = Ymd(2002, 1, 1);
    s.AddWeek = -2;
    EXPECT_EQ(WeekLabel(s), "Week  -1");
}

// Every day of 1802..2791: the number changes exactly on Sundays within a year,
// 1 January is week 1, and with AddWeek -1 the week holding 1 January keeps one
// number, the one after the Saturday before it.
TEST(GregorianLayoutTest, WeekNumbersOverTheYears) {
    for (Date d = Ymd(1802, 1, 1); d <= Ymd(2791, 12, 31); d += 1) {
        if (d.Month() == 1 && d.Day() == 1) {
            ASSERT_EQ(WeekNumber(d, 0), 1) << d.Year();
            const Date sunday = d - (d.Weekday() - 1);
            for (int i = 0; i < 7; ++i)
                ASSERT_EQ(WeekNumber(sunday + i, -1), WeekNumber(sunday - 1, -1) + 1) << d.Year();
        } else {
            ASSERT_EQ(WeekNumber(d, 0), WeekNumber(d - 1, 0) + (d.Weekday() == 1)) << d.Serial();
        }
    }
}

TEST(GregorianLayoutTest, Moves) {
    const struct { const char* name; Date from; int gregDay, months; Date to; int day; } cases[] = {
        {"> from 31 January 2001", Ymd(2001, 1, 31), 31, 1, Ymd(2001, 2, 28), 28},
        {"> again keeps the 28th", Ymd(2001, 2, 28), 28, 1, Ymd(2001, 3, 28), 28},
        {"> from 31 January 2004", Ymd(2004, 1, 31), 31, 1, Ymd(2004, 2, 29), 29},
        {"GregDay is carried, not the day shown", Ymd(2004, 2, 29), 31, 1, Ymd(2004, 3, 31), 31},
        {"<< from 29 February 2004", Ymd(2004, 2, 29), 29, -12, Ymd(2003, 2, 28), 28},
        {"< from January", Ymd(2000, 1, 15), 15, -1, Ymd(1999, 12, 15), 15},
        {"> into year 9999", Ymd(9998, 12, 31), 31, 1, Ymd(9999, 1, 31), 31},
        {"> beyond 9999", Ymd(9999, 12, 1), 1, 1, {}, 0},
        {">> beyond 9999", Ymd(9999, 1, 1), 1, 12, {}, 0},
        {"< before year 1", Ymd(1, 1, 31), 31, -1, {}, 0},
        {"<< into year 1", Ymd(2, 1, 1), 1, -12, Ymd(1, 1, 1), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalendarState s;
        s.GregDate = c.from;
        s.GregDay = static_cast<std::int16_t>(c.gregDay);
        const auto move = GregMonthMoveTarget(s, c.months);
        EXPECT_EQ(move ? move->GregDate : Date{}, c.to);
        EXPECT_EQ(move ? move->GregDay : 0, c.day);
    }
    CalendarState s;
    s.GregDate = Ymd(9999, 12, 31);
    EXPECT_EQ(GregStepTarget(s, 1), std::nullopt);
    EXPECT_EQ(GregStepTarget(s, -7), Ymd(9999, 12, 24));
    s.GregDate = Ymd(1, 1, 3);
    EXPECT_EQ(GregStepTarget(s, -7), std::nullopt);
}

// Every month of 1802..2791: cells follow the weekdays, a click inside a cell
// selects its day and the marker stands on it.
TEST(GregorianLayoutTest, EveryMonthLayout) {
    const auto nextMonth = [](Date d) {
        return Date::FromSysDays(std::chrono::sys_days{d.Ymd() + std::chrono::months{1}});
    };
    CalendarState s;
    s.AddXG = 7;
    s.AddYG = -3;
    for (Date first = Ymd(1802, 1, 1); first < Ymd(2792, 1, 1); first = nextMonth(first)) {
        s.GregDate = first;
        const auto cells = GregMonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), nextMonth(first) - first) << first.Serial();
        for (const GregCell& cell : cells) {
            const Date d = first + (cell.Day - 1);
            ASSERT_EQ(cell.Column, d.Weekday()) << d.Serial();
            ASSERT_EQ(cell.Row, (first.Weekday() + cell.Day - 2) / 7 + 1) << d.Serial();
            ASSERT_EQ(cell.X, 250 + 650 * (cell.Column - 1));
            ASSERT_EQ(cell.Y, 150 + 450 * (cell.Row - 1));
            ASSERT_EQ(cell.Saturday, cell.Column == 7);
            ASSERT_EQ(cell.Text, " " + std::to_string(d.Day()));
            ASSERT_EQ(GregDateAt(s, cell.X + 100.f, cell.Y + 100.f), d);
            s.GregDay = static_cast<std::int16_t>(cell.Day);
            const MarkerPlace m = GregMarkerPosition(s);
            ASSERT_EQ(m.Left, cell.X + 7) << d.Serial();
            ASSERT_EQ(m.Top, cell.Y - 10 - 3) << d.Serial();
        }
    }
    s.GregDate = Ymd(2000, 1, 20);  // 31 days from a Saturday: six rows
    EXPECT_EQ(GregMonthCells(s).back().X, 900);
    EXPECT_EQ(GregMonthCells(s).back().Y, 2400);
    s.GregDate = Ymd(2015, 2, 1);  // 28 days from a Sunday: four rows
    EXPECT_EQ(GregMonthCells(s).back().Row, 4);
}

}  // namespace
}  // namespace tovel
