#include <gtest/gtest.h>

#include <map>

#include "engine/format_date.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every month from Tishri 5563 to Elul 6550 on the shipped table, set up from
// its first and from its last day: months follow each other without a gap,
// the months of a year add up to its length, a new year starts after Elul, and
// each year has each holiday once (Rosh Hashanah twice), never a moved one on
// a Saturday and none in a leap year's Adar I.
TEST(MonthSetupSweepTest, EveryMonthOfTheRange) {
    CalendarState s = SetUpFor(Ymd(1802, 9, 27));
    ASSERT_EQ(s.JewYear, 5563);
    int messages = 0;
    const Notifier count = [&](const std::string&) { ++messages; };
    int year = s.JewYear, daysInYear = 0, monthsInYear = 0, lastMonth = 12;
    Date lastNextYearStart = s.YearStart, lastYearAfterStart = s.NextYearStart;
    int lastYearType = 0;
    std::map<std::string, int> holidays;
    auto checkHolidays = [&] {
        for (const HolidayRow& row : HolidayTable())
            EXPECT_EQ(holidays[std::string(row.Text)], row.Text == "Rosh Hashanah" ? 2 : 1)
                << year << " " << row.Text;
        holidays.clear();
    };
    while (s.JewYear <= 6550) {
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        // A broken month must fail here, not loop for ever.
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30) << s.MonthDays;
        ASSERT_EQ(s.JewDay, 1);
        ASSERT_EQ(s.FirstDate, s.SelDate);
        ASSERT_EQ(s.NextMonthDate, s.FirstDate + s.MonthDays);
        ASSERT_EQ(s.FirstCell, s.FirstDate.Weekday());
        ASSERT_GE(s.YearType, 1);
        ASSERT_EQ(s.NextYearStart - s.YearStart, YearTypeLength(s.YearType));

        CalendarState last = s;
        last.SelDate = s.NextMonthDate - 1;
        ASSERT_TRUE(FindGDate(last, count));
        ASSERT_EQ(last.JewDay, s.MonthDays);
        ASSERT_EQ(last.JewMonthNo, s.JewMonthNo);
        ASSERT_EQ(last.JewYear, s.JewYear);
        ASSERT_EQ(last.FirstDate, s.FirstDate);

        if (s.JewYear != year) {
            ASSERT_EQ(s.JewYear, year + 1);
            ASSERT_EQ(lastMonth, 12);
            ASSERT_EQ(s.JewMonthNo, 1);
            ASSERT_EQ(s.YearStart, s.SelDate);
            ASSERT_EQ(s.YearStart, lastNextYearStart);
            ASSERT_EQ(s.NextYearStart, lastYearAfterStart);
            ASSERT_EQ(daysInYear, YearTypeLength(lastYearType));
            ASSERT_EQ(monthsInYear, IsLeapYearType(lastYearType) ? 13 : 12);
            checkHolidays();
            year = s.JewYear;
            daysInYear = monthsInYear = 0;
        }
        for (int day = 1; day <= s.MonthDays; ++day) {
            const std::string& text = s.DayText[static_cast<std::size_t>(day)];
            if (text.empty()) continue;
            ++holidays[text];
            ASSERT_FALSE(s.JewMonthNo == 6 && IsLeapYearType(s.YearType)) << text;
            for (const HolidayRow& row : HolidayTable())
                if (row.Text == text && row.SaturdayDay != 0)
                    ASSERT_NE((s.FirstDate + (day - 1)).Weekday(), kSaturday) << text;
        }
        daysInYear += s.MonthDays;
        ++monthsInYear;
        lastMonth = s.JewMonthNo;
        lastYearType = s.YearType;
        lastNextYearStart = s.NextYearStart;
        lastYearAfterStart = s.YearAfterStart;
        s.SelDate = s.NextMonthDate;
        ASSERT_TRUE(FindGDate(s, count));
    }
    checkHolidays();
    EXPECT_EQ(year, 6550);
    EXPECT_EQ(lastMonth, 12);
    EXPECT_EQ(messages, 0);
}

TEST(MonthSetupTest, NamedDays) {
    const struct {
        const char* name;
        Date day;
        int year, monthNo, jewDay, monthDays, yearType;
        const char* monthName;
        Date yearStart, nextYearStart;
    } cases[] = {
        {"1 Tishri 5760", Ymd(1999, 9, 11), 5760, 1, 1, 30, 6, " Tishri ", Ymd(1999, 9, 11), Ymd(2000, 9, 30)},
        {"29 Elul 5759", Ymd(1999, 9, 10), 5759, 12, 29, 29, 3, " Elul ", Ymd(1998, 9, 21), Ymd(1999, 9, 11)},
        {"14 Adar II 5760", Ymd(2000, 3, 21), 5760, 13, 14, 29, 6, " Adar II ", Ymd(1999, 9, 11), Ymd(2000, 9, 30)},
        {"30 Tishri 5760", Ymd(1999, 10, 10), 5760, 1, 30, 30, 6, " Tishri ", Ymd(1999, 9, 11), Ymd(2000, 9, 30)},
        {"1 Heshvan 5760", Ymd(1999, 10, 11), 5760, 2, 1, 30, 6, " Heshvan ", Ymd(1999, 9, 11), Ymd(2000, 9, 30)},
        {"30 Heshvan 5760", Ymd(1999, 11, 9), 5760, 2, 30, 30, 6, " Heshvan ", Ymd(1999, 9, 11), Ymd(2000, 9, 30)},
        {"1 Adar I 5760", Ymd(2000, 2, 7), 5760, 6, 1, 30, 6, " Adar I ", Ymd(1999, 9, 11), Ymd(2000, 9, 30)},
        {"single Adar 5764", Ymd(2004, 3, 6), 5764, 6, 13, 29, 3, " Adar I ", Ymd(2003, 9, 27), Ymd(2004, 9, 16)},
        {"1 Nisan 5764", Ymd(2004, 3, 23), 5764, 7, 1, 30, 3, " Nisan ", Ymd(2003, 9, 27), Ymd(2004, 9, 16)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalendarState s = SetUpFor(c.day);
        EXPECT_EQ(s.JewYear, c.year);
        EXPECT_EQ(s.JewMonthNo, c.monthNo);
        EXPECT_EQ(s.JewDay, c.jewDay);
        EXPECT_EQ(s.MonthDays, c.monthDays);
        EXPECT_EQ(s.YearType, c.yearType);
        EXPECT_EQ(s.JewMonthName, c.monthName);
        EXPECT_EQ(s.YearStart, c.yearStart);
        EXPECT_EQ(s.NextYearStart, c.nextYearStart);
    }
}

// A table with an impossible year length: the user is told, and the month is
// laid out with the fallback lengths (Heshvan 29, Kislev 30, one Adar of 29).
TEST(MonthSetupTest, UnknownYearType) {
    const test::TempFile table(
        "5759 21-Sep-1998\r\n5760 11-Sep-1999\r\n5761 01-Oct-2000\r\n5762 18-Sep-2001\r\n");
    std::vector<std::string> messages;
    CalendarState s;
    s.RHDatesFile = table.Path();
    s.SelDate = Ymd(1999, 9, 11) + 30 + 29 + 30 + 29 + 30 + 13;  // 14 Adar with the fallback
    ASSERT_TRUE(FindGDate(s, [&](const std::string& m) { messages.push_back(m); }));
    EXPECT_EQ(messages, std::vector<std::string>{"Unknown year type"});
    EXPECT_EQ(s.YearType, 0);
    EXPECT_EQ(s.JewMonthNo, 6);
    EXPECT_EQ(s.JewDay, 14);
    EXPECT_EQ(s.MonthDays, 29);
    EXPECT_EQ(s.DayText[14], "Purim");
    // Past the 354 days the fallback covers, the month is not found.
    s.SelDate = Ymd(2000, 9, 30);
    messages.clear();
    ASSERT_TRUE(FindGDate(s, [&](const std::string& m) { messages.push_back(m); }));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(s.MonthDays, 0);
}

// Start-up on a day the table cannot show: the nearest month when the day lies
// before or after the table's years, a plain refusal for a damaged table.
TEST(MonthSetupTest, FallbackForADayTheTableCannotShow) {
    const std::string shipped = test::ShippedTable();
    for (const Date day : {Ymd(1700, 1, 1), Ymd(1801, 9, 1), Ymd(2791, 10, 1), Ymd(3000, 1, 1)}) {
        SCOPED_TRACE(FormatDate(day));
        const YearTableFallback f = FallbackForDay(shipped, day, 1);
        ASSERT_TRUE(f.Nearest.has_value()) << f.Problem;
        EXPECT_EQ(f.Problem, shipped + " does not reach " + FormatDate(day) +
                                 "; showing the nearest month it covers");
        const CalendarState s = SetUpFor(*f.Nearest);
        EXPECT_EQ(s.JewYear, day.Year() < 2000 ? 5562 : 6551);
    }
    const test::TempFile gap("5759 21-Sep-1998\r\n5760 11-Sep-1999\r\n5762 18-Sep-2001\r\n");
    const YearTableFallback damaged = FallbackForDay(gap.Path(), Ymd(2000, 12, 1), 1);
    EXPECT_EQ(damaged.Problem, gap.Path() + " is damaged: it cannot describe 01-Dec-2000");
    EXPECT_FALSE(damaged.Nearest.has_value());
    const test::TempFile empty("");
    EXPECT_EQ(FallbackForDay(empty.Path(), Ymd(2000, 1, 1), 1).Problem, empty.Path() + " holds no year lines");
    const test::TempFolder folder;
    EXPECT_EQ(FallbackForDay(folder.Path(), Ymd(2000, 1, 1), 1).Problem,
              folder.Path() + " cannot be read: not a regular file (a folder, a FIFO or a device)");
}

}  // namespace
}  // namespace tovel
