// The year table, the month setup it feeds and the holiday chooser.
#include <sys/stat.h>

#include <ctime>
#include <map>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/holiday_chooser.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Today() is the local date of the system clock; checked only when no midnight passed meanwhile.
TEST(DateTest, TodayIsTheLocalDate) {
    const auto local = [] {
        std::tm t{};
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &t);
        return Ymd(t.tm_year + 1900, unsigned(t.tm_mon + 1), unsigned(t.tm_mday));
    };
    const Date before = local(), today = Today();
    if (local() == before) {  // not across midnight
        EXPECT_EQ(today, before);
    }
}

TEST(FormatDateTest, ReadsTableFields) {
    const std::optional<Date> no;
    // clang-format off
    const struct { const char* text; std::optional<Date> date; } cases[] = {
        {" 1-Oct-2005", Ymd(2005, 10, 1)}, {"11-Sep-1999\r", Ymd(1999, 9, 11)}, {"29-Feb-1900", no},
        {"31-Apr-2000", no}, {"00-Jan-2000", no}, {"11-sep-1999", no}, {"11-Sep-99", no}, {"", no},
        {"9-Dec-2026", Ymd(2026, 12, 9)}, {"009-Dec-2026", no}, {"11-Sept-1999", no},
        {"11/Sep/1999", no}, {"11-Sep-19999", no}, {"1a-Sep-1999", no}, {"11-Sep-199x", no},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(ParseDateText(c.text), c.date) << c.text;
}

// 1 Tishri of `year` by the shipped table, and its line.
Date Start(int year) { return test::ShippedYearTable().StartOf(year).value(); }
std::string Line(int year) { return std::to_string(year) + " " + FormatDate(Start(year)); }

// Year lines first..last as shipped, each ended by `end`; year `swap` replaced by `line`.
std::string Years(int first, int last, const std::string& end = "\n", int swap = 0,
                  const std::string& line = "") {
    std::string out;
    for (int y = first; y <= last; ++y) out += (y == swap ? line : Line(y)) + end;
    return out;
}

// Every year 5562..6553 in order with CR LF ends, valid lengths, no 1 Tishri on Sunday, Wednesday
// or Friday; three years checked by hand.
TEST(ShippedYearTableTest, EveryYearPresentValidAndKnown) {
    ASSERT_EQ(test::ReadFile(test::ShippedTable()), Years(5562, 6553, "\r\n"));
    for (int y = 5563; y <= 6553; ++y) {
        EXPECT_NE(FindYearType(Start(y), Start(y - 1), {}), 0) << y;
        for (const int weekday : {1, 4, 6}) EXPECT_NE(Start(y).Weekday(), weekday) << y;
    }
    EXPECT_EQ(std::tuple(Start(5562), Start(5764), Start(5787)),
              std::tuple(Ymd(1801, 9, 8), Ymd(2003, 9, 27), Ymd(2026, 9, 12)));
}

// From a known month, `day` on `table` is refused quietly, leaving every field of the month alone.
void ExpectRefused(const std::string& table, Date day) {
    SCOPED_TRACE(table + " " + FormatDate(day));
    const CalendarState before = SetUpFor(Ymd(2000, 3, 21));
    CalendarState s = before;
    s.RHDatesFile = table;
    s.SelDate = day;
    EXPECT_FALSE(FindGDate(s, [](const std::string& m) { ADD_FAILURE() << m; }));
    const auto month = [](const CalendarState& c) {
        return std::tie(c.JewYear, c.YearStart, c.YearAfterStart, c.JewMonthNo, c.JewDay,
                        c.FirstDate, c.DayText);
    };
    EXPECT_EQ(month(s), month(before));
}

// 5760..5765, blanks before the line ends and none after the last: a year needs the two after it.
// Empty, unreadable, no regular file or too big: refused at once, never a hang.
TEST(YearTableSearchTest, EdgesOfTheTable) {
    const test::TempFolder folder;
    const std::string table =
        folder.Write("short", Years(5760, 5764, " \t\r\n") + Line(5765) + " \t");
    EXPECT_EQ(SetUpFor(Ymd(1999, 9, 11), 1, table).JewYear, 5760);
    EXPECT_EQ(SetUpFor(Ymd(2003, 9, 26), 1, table).JewYear, 5763);
    EXPECT_EQ(SetUpFor(Ymd(2000, 3, 21), 1, table).YearAfterStart, Ymd(2001, 9, 18));
    for (const Date day : {Ymd(1999, 9, 10), Ymd(1999, 1, 1), Ymd(2003, 9, 27), Ymd(2004, 12, 1)})
        ExpectRefused(table, day);
    const std::string fifo = folder.Path() + "/fifo.Tvl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = Years(5755, 5770) + std::string(size_t{1} << 21, ' ');
    for (const std::string& path :
         {folder.Write("empty", ""), folder.Write("binary", std::string("\0\0\0\n\0", 5)),
          folder.Write("huge", huge), fifo, folder.Path(), std::string("/dev/zero")})
        ExpectRefused(path, Ymd(2000, 3, 21));
}

// A missing or garbled 5762 line: the years that need it are refused, the others shown, whatever
// the year step (from 1 January 1997, 5762 is four and five years on). Out of order: the next
// year's 1 Tishri before this year's. Of two lines for one year the first counts.
TEST(YearTableSearchTest, BrokenLines) {
    const test::TempFolder folder;
    for (const std::string bad : {"", "5762 31-Feb-2001", "xxxx 18-Sep-2001"}) {
        const std::string table = folder.Write("t", Years(5755, 5770, "\n", 5762, bad));
        for (const Date day : {Ymd(1999, 12, 1), Ymd(2000, 10, 15), Ymd(2001, 12, 1)})
            ExpectRefused(table, day);
        for (const int step : {1, 4, 5})
            EXPECT_EQ(SetUpFor(Ymd(1997, 1, 1), step, table).JewYear, 5757) << bad;
        EXPECT_EQ(SetUpFor(Ymd(2003, 1, 1), 1, table).JewYear, 5763) << bad;
    }
    const std::string back = Years(5755, 5770, "\n", 5762, "5762 18-Sep-2000");
    ExpectRefused(folder.Write("back", back), Ymd(2000, 10, 15));
    const std::string twice = Years(5755, 5770) + "5762 18-Sep-2000\n";
    EXPECT_EQ(SetUpFor(Ymd(2000, 10, 15), 1, folder.Write("twice", twice)).JewYear, 5761);
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
    const std::string gap = "5759 21-Sep-1998\n5760 11-Sep-1999\n5762 18-Sep-2001\n";
    const std::pair<std::string, std::string> cases[] = {
        {folder.Write("gap", gap), " is damaged: it cannot describe 01-Dec-2000"},
        {folder.Write("empty", ""), " holds no year lines"},
        {folder.Path(), " cannot be read: not a regular file (a folder, a FIFO or a device)"},
    };
    for (const auto& [path, problem] : cases) {
        const YearTableFallback f = FallbackForDay(path, Ymd(2000, 12, 1));
        EXPECT_EQ(f.Problem, path + problem);
        EXPECT_FALSE(f.Nearest.has_value());
    }
}

// The list's texts in their order: Purim once, for the single Adar or Adar II. An unknown text
// stays; from 6550 a pick may still reach 6551, from 6551 it is refused.
TEST(HolidayChooserTest, ListUnknownTextAndTheUpperLimit) {
    std::string list;
    for (const HolidayRow& e : ChooserEntries()) list += std::string(e.ChooserText) + "; ";
    EXPECT_EQ(list,
              "Rosh Hashanah; Yom Kippur; Succoth; Sh 'mini Atzeret; Simchat Torah; Hanukkah; "
              "Tu B 'Shevat; Purim; Pesach; Yom Hashoah; Yom Haatzmaut; Lag B 'Omer; Shavuot; "
              "Tisha B 'Av; ");
    EXPECT_EQ(PickHoliday(SetUpFor(Ymd(2000, 3, 27)), "Chanukah", {}).SelDate, Ymd(2000, 3, 27));
    CalendarState s = SetUpFor(Ymd(2790, 1, 1));
    ASSERT_EQ(s.JewYear, 6550);
    EXPECT_FALSE(PickHoliday(s, "Rosh Hashanah", {}).Refused);
    s = SetUpFor(PickHoliday(s, "Rosh Hashanah", {}).SelDate);
    EXPECT_EQ(s.JewYear, 6551);
    const HolidayPick pick = PickHoliday(s, "Purim", {});
    EXPECT_TRUE(pick.Refused);
    EXPECT_EQ(pick.SelDate, s.SelDate);
}

// From three days of every month of 5750..5849, each pick goes to the first day from the shown
// month's first day on that carries its holiday in the month setup: back or on in the shown month,
// else the next one.
TEST(HolidayChooserTest, EveryPickGoesToTheNextDayOfItsHoliday) {
    std::map<Date, std::string> holidays;
    std::vector<CalendarState> months;
    for (CalendarState s = SetUpFor(Ymd(1990, 1, 1)); s.JewYear < 5851;
         s = SetUpFor(s.NextMonthDate)) {
        for (int d = 1; d <= s.MonthDays; ++d)
            if (!s.DayText[d].empty()) holidays[s.FirstDate + (d - 1)] = s.DayText[d];
        if (s.JewYear < 5850) months.push_back(s);
    }
    for (const CalendarState& month : months)
        for (const int day : {1, 15, static_cast<int>(month.MonthDays)}) {
            const CalendarState from = SetUpFor(month.FirstDate + (day - 1));
            for (const HolidayRow& e : ChooserEntries()) {
                auto next = holidays.lower_bound(from.FirstDate);
                while (next->second.rfind(e.ChooserText, 0) != 0) ++next;
                EXPECT_EQ(PickHoliday(from, e.ChooserText, {}).SelDate, next->first)
                    << e.ChooserText << " from " << day << from.JewMonthName << from.JewYear;
            }
        }
}

}  // namespace
}  // namespace tovel
