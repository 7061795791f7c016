#include <gtest/gtest.h>

#include "engine/jewish_date.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every day from 1 Tishri 5563 to 29 Elul 6550 on the shipped table.
TEST(MonthSetupSweepTest, EveryDayOfTheRange) {
    CalendarState s = SetUpFor(Ymd(1802, 9, 27));
    ASSERT_EQ(s.JewYear, 5563);
    ASSERT_EQ(s.JewDay, 1);
    ASSERT_EQ(s.JewMonthNo, 1);
    int messages = 0;
    const Notifier count = [&](const std::string&) { ++messages; };

    CalendarState prev = s;
    int daysInYear = 1, monthsInYear = 1;
    for (;;) {
        CalendarState next = prev;
        next.SelDate = prev.SelDate + 1;
        ASSERT_TRUE(FindGDate(next, count)) << next.SelDate.Serial();
        if (next.JewYear == 6551) {
            // The last day checked was 29 Elul 6550.
            EXPECT_EQ(prev.JewMonthNo, 12);
            EXPECT_EQ(prev.JewDay, 29);
            break;
        }
        const CalendarState& n = next;
        SCOPED_TRACE(testing::Message() << n.JewYear << n.JewMonthName << n.JewDay);
        ASSERT_EQ(n.SelDate.Weekday(), prev.SelDate.Weekday() % 7 + 1);
        ASSERT_EQ(n.FirstDate + n.JewDay - 1, n.SelDate);
        ASSERT_GE(n.YearType, 1);
        ASSERT_EQ(n.NextYearStart - n.YearStart, YearTypeLength(n.YearType));
        ASSERT_EQ(n.MonthDays, JewishMonthLength(n.JewMonthNo, n.YearType));
        ASSERT_EQ(n.JewMonthName, JewishMonthName(n.JewMonthNo));
        if (n.JewDay == 1) {
            // A new month: the previous one ended on its last day.
            ASSERT_EQ(prev.JewDay, prev.MonthDays);
            if (n.JewYear != prev.JewYear) {
                ASSERT_EQ(n.JewYear, prev.JewYear + 1);
                ASSERT_EQ(prev.JewMonthNo, 12);
                ASSERT_EQ(n.JewMonthNo, 1);
                ASSERT_EQ(n.YearStart, n.SelDate);
                ASSERT_EQ(n.YearStart, prev.NextYearStart);
                ASSERT_EQ(n.NextYearStart, prev.YearAfterStart);
                const int w = n.SelDate.Weekday();
                ASSERT_TRUE(w == 2 || w == 3 || w == 5 || w == 7);
                ASSERT_EQ(daysInYear, YearTypeLength(prev.YearType));
                ASSERT_EQ(monthsInYear, IsLeapYearType(prev.YearType) ? 13 : 12);
                daysInYear = 0;
                monthsInYear = 0;
            }
            ++monthsInYear;
        } else {
            ASSERT_EQ(n.JewDay, prev.JewDay + 1);
            ASSERT_EQ(n.JewMonthNo, prev.JewMonthNo);
            ASSERT_EQ(n.YearStart, prev.YearStart);
        }
        ++daysInYear;
        prev = std::move(next);
    }
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

TEST(MonthSetupTest, SameDateTwiceGivesTheSameMonth) {
    CalendarState s = SetUpFor(Ymd(2012, 7, 28), 10);
    const CalendarState first = s;
    ASSERT_TRUE(FindGDate(s, {}));
    EXPECT_EQ(s.JewYear, first.JewYear);
    EXPECT_EQ(s.StepDays, first.StepDays);
    EXPECT_EQ(s.FirstDate, first.FirstDate);
    EXPECT_EQ(s.DayText, first.DayText);
    EXPECT_EQ(s.YearAfterStart, first.YearAfterStart);
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

}  // namespace
}  // namespace tovel
