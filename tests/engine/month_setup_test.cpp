#include <map>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Every month of 5563..6550 by its first and last day: the next month starts the day after the
// last, on the next weekday; the months add up to their year, which ends with Elul; each holiday
// comes once a year (Rosh Hashanah twice).
TEST(MonthSetupSweepTest, EveryMonthOfTheRange) {
    CalendarState s = SetUpFor(Ymd(1802, 9, 27)), prev = s, last;  // prev: the month before
    ASSERT_EQ(s.JewYear, 5563);
    ASSERT_EQ(s.FirstCell, 2);  // a Monday
    int days = 0, months = 0;
    std::map<std::string, int> holidays;
    const auto endOfYear = [&] {
        EXPECT_EQ(prev.JewMonthNo, 12);
        EXPECT_EQ(days, YearTypeLength(prev.YearType));
        EXPECT_EQ(months, IsLeapYearType(prev.YearType) ? 13 : 12);
        for (const HolidayRow& row : HolidayTable())
            EXPECT_EQ(holidays[std::string(row.Text)], row.Text == "Rosh Hashanah" ? 2 : 1);
        holidays.clear();
        days = months = 0;
    };
    while (s.JewYear <= 6550) {
        SCOPED_TRACE(testing::Message() << s.JewYear << s.JewMonthName);
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30) << s.MonthDays;  // not loop for ever
        ASSERT_EQ(s.JewDay, 1);
        ASSERT_EQ(s.FirstDate, s.SelDate);
        if (months > 0 || s.JewYear > 5563) {
            ASSERT_EQ(s.FirstCell, (prev.FirstCell + prev.MonthDays - 1) % 7 + 1);
            ASSERT_NE(s.JewMonthNo, prev.JewMonthNo);
        }
        if (s.JewYear != prev.JewYear) {
            ASSERT_EQ(s.JewYear, prev.JewYear + 1);
            ASSERT_EQ(s.JewMonthNo, 1);
            ASSERT_EQ(s.YearStart, prev.NextYearStart);
            ASSERT_EQ(s.NextYearStart, prev.YearAfterStart);
            endOfYear();
        }
        last = s;
        last.SelDate = s.NextMonthDate - 1;
        ASSERT_TRUE(FindGDate(last, {}));
        ASSERT_EQ(last.JewDay, s.MonthDays);
        ASSERT_EQ(last.JewMonthNo, s.JewMonthNo);
        ASSERT_EQ(last.FirstCell, s.FirstCell);
        for (const std::string& text : s.DayText)
            if (!text.empty()) ++holidays[text];
        days += s.MonthDays;
        ++months;
        prev = s;
        s.SelDate = s.NextMonthDate;
        ASSERT_TRUE(FindGDate(s, {}));
    }
    endOfYear();
    EXPECT_EQ(prev.JewYear, 6550);
}

// Named days and the holiday texts of their month ("day text; "); Saturdays move some of them.
TEST(MonthSetupTest, NamedDaysAndHolidays) {
    const std::string tishri =
        "1 Rosh Hashanah; 2 Rosh Hashanah; 10 Yom Kippur; "
        "15 Succoth (Tishri 15-21); 22 Sh 'mini Atzeret; 23 Simchat Torah; ";
    const std::string nisan = "15 Pesach (Nisan 15-22); 27 Yom Hashoah; ";
    // clang-format off
    const struct { Date day; const char* name; std::string texts; } cases[] = {
        {Ymd(1999, 9, 11), "1 Tishri 5760", tishri}, {Ymd(1999, 9, 10), "29 Elul 5759", ""},
        {Ymd(1999, 11, 9), "30 Heshvan 5760", ""},   {Ymd(2000, 3, 7), "30 Adar I 5760", ""},
        {Ymd(2000, 1, 1), "23 Tevet 5760", "10 Tzom Tevet; "},
        {Ymd(1999, 12, 1), "22 Kislev 5760", "25 Hanukkah (8 days); "},
        {Ymd(2000, 6, 10), "7 Sivan 5760", "6 Shavuot (Sivan 6-7); "},
        {Ymd(2012, 7, 28), "9 Av 5772", "10 Tisha B 'Av; "},
        {Ymd(2000, 3, 21), "14 Adar II 5760", "13 Ta 'anit Esther; 14 Purim; "},
        {Ymd(2004, 3, 6), "13 Adar I 5764", "11 Ta 'anit Esther; 14 Purim; "},  // the single Adar
        {Ymd(2004, 3, 23), "1 Nisan 5764", nisan},
        {Ymd(2001, 4, 28), "5 Iyyar 5761", "3 Yom Haatzmaut; 18 Lag B 'Omer; "},  // 5th a Saturday
        {Ymd(1998, 5, 1), "5 Iyyar 5758", "5 Yom Haatzmaut; 18 Lag B 'Omer; "},   // 5th a Friday
    };
    // clang-format on
    CalendarState s = SetUpFor(Ymd(2000, 3, 21));
    for (const auto& c : cases) {
        s.DayText.fill("stale");  // another month's texts go from every cell
        s.SelDate = c.day;
        ASSERT_TRUE(FindGDate(s, {}));
        std::string texts;
        for (int k = 1; k <= 42; ++k)
            if (!s.DayText[k].empty()) texts += std::to_string(k) + " " + s.DayText[k] + "; ";
        EXPECT_EQ(std::to_string(s.JewDay) + s.JewMonthName + std::to_string(s.JewYear), c.name);
        EXPECT_EQ(texts, c.texts) << c.name;
    }
}

// An impossible year length: the user is told, and months take the fallback lengths (Heshvan 29,
// Kislev 30, one Adar of 29); past their 354 days the month is not found.
TEST(MonthSetupTest, UnknownYearType) {
    const test::TempFolder folder;
    const std::string table = folder.Write(
        "t", "5759 21-Sep-1998\n5760 11-Sep-1999\n5761 01-Oct-2000\n5762 18-Sep-2001\n");
    std::vector<std::string> told;
    const Notifier tell = [&](const std::string& m) { told.push_back(m); };
    CalendarState s = SetUpFor(Ymd(2000, 2, 19), 1, table, tell);  // 30+29+30+29+30+13 days on
    EXPECT_EQ(told, std::vector<std::string>{"Unknown year type"});
    EXPECT_EQ(std::tie(s.YearType, s.JewMonthNo, s.JewDay, s.MonthDays, s.DayText[14]),
              std::make_tuple(0, 6, 14, 29, "Purim"));
    s.SelDate = Ymd(2000, 9, 30);
    ASSERT_TRUE(FindGDate(s, tell));
    EXPECT_EQ(told.size(), 2u);
    EXPECT_EQ(s.MonthDays, 0);
}

// Start-up on a day the table cannot show: the nearest month it covers, or a refusal when it is
// damaged.
TEST(MonthSetupTest, FallbackForADayTheTableCannotShow) {
    const std::string shipped = test::ShippedTable();
    for (const Date day : {Ymd(1700, 1, 1), Ymd(1801, 9, 1), Ymd(2791, 10, 1), Ymd(3000, 1, 1)}) {
        SCOPED_TRACE(FormatDate(day));
        const YearTableFallback f = FallbackForDay(shipped, day);
        ASSERT_TRUE(f.Nearest.has_value()) << f.Problem;
        EXPECT_EQ(f.Problem, shipped + " does not reach " + FormatDate(day) +
                                 "; showing the nearest month it covers");
        EXPECT_EQ(SetUpFor(*f.Nearest).JewYear, day.Year() < 2000 ? 5562 : 6551);
    }
    const test::TempFolder folder;
    const std::string day = "01-Dec-2000",
                      kNotRegular = "not a regular file (a folder, a FIFO or a device)";
    const std::string gap = "5759 21-Sep-1998\n5760 11-Sep-1999\n5762 18-Sep-2001\n";
    // clang-format off
    for (const auto& [path, problem] : {
             std::pair(folder.Write("gap", gap), " is damaged: it cannot describe " + day),
             {folder.Write("empty", ""), " holds no year lines"},
             {folder.Path(), " cannot be read: " + kNotRegular}}) {
        // clang-format on
        const YearTableFallback f = FallbackForDay(path, Ymd(2000, 12, 1));
        EXPECT_EQ(f.Problem, path + problem);
        EXPECT_FALSE(f.Nearest.has_value());
    }
}

}  // namespace
}  // namespace tovel
