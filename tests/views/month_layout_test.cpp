#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "views/month_layout.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every month of the range: cells follow each other Sunday to Saturday, the
// grid never needs a seventh row, colours follow the weekday and holiday rules,
// and the Gregorian number is that of the cell's own date.
TEST(MonthLayoutTest, EveryMonthOfTheRange) {
    CalendarState s = SetUpFor(Ymd(1802, 9, 27));
    int months = 0;
    while (s.JewYear <= 6550) {
        const auto cells = MonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), s.MonthDays);
        const int firstCell = s.FirstDate.Weekday();
        for (const DayCell& cell : cells) {
            const Date g = s.FirstDate + cell.Day - 1;
            ASSERT_EQ(cell.Column, g.Weekday());
            ASSERT_EQ(cell.Row, (firstCell - 1 + cell.Day - 1) / 7 + 1);
            ASSERT_LE(cell.Row, 6);
            ASSERT_EQ(cell.X, 250 + 650 * (cell.Column - 1));
            ASSERT_EQ(cell.Y, 150 + 450 * (cell.Row - 1));
            ASSERT_EQ(cell.GregDay, g.Day());
            ASSERT_EQ(cell.Text, " " + std::to_string(g.Day()));
            ASSERT_EQ(cell.TextX, cell.X + (cell.Day >= 10 ? 40 : 0));
            ASSERT_EQ(cell.TextY, cell.Y + 250);
            const bool holiday = !s.DayText[cell.Day].empty();
            ASSERT_EQ(cell.Colour, holiday ? Ink::Green : g.Weekday() == 7 ? Ink::Red : Ink::Black);
        }
        // The marker encloses the selected day's cell with the default corrections.
        const MarkerPlace marker = MarkerPosition(s);
        const DayCell& selected = cells[static_cast<std::size_t>(s.JewDay - 1)];
        ASSERT_EQ(marker.Left, selected.X - 100);
        ASSERT_EQ(marker.Top, selected.Y + 10);
        s.SelDate = s.FirstDate + s.MonthDays;
        ASSERT_TRUE(FindGDate(s, {}));
        ++months;
    }
    EXPECT_GT(months, 12000);
}

TEST(MonthLayoutTest, MarkerCorners) {
    CalendarState s;
    s.MonthDays = 30;
    const struct { const char* name; Date first; int day, addX, addY, left, top; } cases[] = {
        {"day 1, month from Sunday", Ymd(2000, 10, 1), 1, -100, 20, 150, 160},
        {"day 1, month from Saturday", Ymd(2000, 9, 30), 1, -100, 20, 4050, 160},
        {"day 30, month from Saturday", Ymd(2000, 9, 30), 30, -100, 20, 150, 2410},
        {"day 7, month from Saturday (a Friday)", Ymd(2000, 9, 30), 7, -100, 20, 3400, 610},
        {"no corrections", Ymd(2000, 9, 30), 30, 0, 0, 250, 2390},
        {"no corrections, Saturday", Ymd(2000, 10, 1), 7, 0, 0, 4150, 140},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s.FirstDate = c.first;
        s.JewDay = static_cast<std::int16_t>(c.day);
        s.AddXJ = static_cast<std::int16_t>(c.addX);
        s.AddYJ = static_cast<std::int16_t>(c.addY);
        const MarkerPlace m = MarkerPosition(s);
        EXPECT_EQ(m.Left, c.left);
        EXPECT_EQ(m.Top, c.top);
    }
}

TEST(MonthLayoutTest, TextsOfTheView) {
    CalendarState s = SetUpFor(Ymd(1999, 9, 11));
    EXPECT_EQ(TitleLine(s), " Tishri  5760");
    EXPECT_EQ(GregorianSpan("October", "2000", "October", "2000"), "October 2000");
    EXPECT_EQ(GregorianSpan("October", "2000", "November", "2000"), "October / November 2000");
    EXPECT_EQ(GregorianSpan("December", "2026", "January", "2027"), "December 2026 / January 2027");
    EXPECT_EQ(GregorianSpan("December", "2026", "December", "2027"), "December 2026 2027");
    EXPECT_EQ(StatusLineWithSunset("", "Haifa", " 18:14"), "Sun sets in Haifa at  18:14");
    EXPECT_EQ(StatusLineWithSunset("Purim", "Haifa", " 17:52"), "Purim - sun sets in Haifa at  17:52");
    EXPECT_EQ(StatusLine1("Purim", SunsetTime{"Haifa", " 17:52"}), "Purim - sun sets in Haifa at  17:52");
    EXPECT_EQ(StatusLine1("Purim", std::nullopt), "Purim");  // no location, or no line for the day
    EXPECT_EQ(StatusLine1("", std::nullopt), "");
    EXPECT_EQ(StatusLine2(0), kReminder);
    EXPECT_EQ(StatusLine2(1), "");
    EXPECT_EQ(StatusLine2(2), "");
    s.JewDay = 1;
    EXPECT_EQ(SelectedDayText(s), "Rosh Hashanah");
    for (int outside : {0, -1, 43, 500}) {
        s.JewDay = static_cast<std::int16_t>(outside);
        EXPECT_EQ(SelectedDayText(s), "") << outside;
    }
    EXPECT_EQ(WeekdayHeader({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}),
              "Sun     Mon    Tue     Wed    Thu     Fri    Sat     ");
}

}  // namespace
}  // namespace tovel
