#include <gtest/gtest.h>

#include "test_support.h"
#include "engine/holidays.h"
#include "views/month_layout.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every month of the range: each day stands in the column of its own weekday,
// a new row starts exactly on Sunday, no month needs a seventh row, the
// Gregorian number is that of the day's date, and the colours follow the
// holiday and Saturday rules. The marker frames the selected day's cell.
TEST(MonthLayoutTest, EveryMonthOfTheRange) {
    CalendarState s = SetUpFor(Ymd(1802, 9, 27));
    int months = 0;
    while (s.JewYear <= 6550) {
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30);
        const auto cells = MonthCells(s);
        ASSERT_EQ(static_cast<int>(cells.size()), s.MonthDays);
        int row = 1;
        for (const DayCell& cell : cells) {
            const Date g = s.FirstDate + cell.Day - 1;
            if (cell.Day > 1 && g.Weekday() == kSunday) ++row;
            ASSERT_EQ(cell.Column, g.Weekday());
            ASSERT_EQ(cell.Row, row);
            ASSERT_LE(cell.Row, 6);
            ASSERT_EQ(cell.Text, " " + std::to_string(g.Day()));
            const bool holiday = !s.DayText[cell.Day].empty();
            ASSERT_EQ(cell.Colour, holiday ? Ink::Green : g.Weekday() == kSaturday ? Ink::Red : Ink::Black);
        }
        const MarkerPlace marker = MarkerPosition(s);
        const DayCell& selected = cells[static_cast<std::size_t>(s.JewDay - 1)];
        ASSERT_EQ(marker.Left - s.AddXJ, selected.X);
        ASSERT_EQ(marker.Top - s.AddYJ + 10, selected.Y);
        s.SelDate = s.FirstDate + s.MonthDays;
        ASSERT_TRUE(FindGDate(s, {}));
        ++months;
    }
    EXPECT_GT(months, 12000);
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
