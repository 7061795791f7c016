#include <sys/stat.h>

#include <ctime>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// Today() is the local date of the system clock; localtime_r just before and after, so a midnight cannot fail it.
TEST(DateTest, TodayIsTheLocalDate) {
    auto local = [t = std::tm{}]() mutable {
        const std::time_t now = std::time(nullptr);
        return Ymd(localtime_r(&now, &t)->tm_year + 1900, unsigned(t.tm_mon + 1), unsigned(t.tm_mday));
    };
    const Date before = local(), today = Today(), after = local();
    EXPECT_TRUE(today == before || today == after) << FormatDate(today) << " " << FormatDate(before);
}

TEST(FormatDateTest, ReadsTableFields) {
    const struct { const char* text; std::optional<Date> date; } cases[] = {
        {" 1-Oct-2005", Ymd(2005, 10, 1)}, {"11-Sep-1999\r", Ymd(1999, 9, 11)}, {"29-Feb-1900", {}},
        {"31-Apr-2000", {}}, {"00-Jan-2000", {}}, {"11-sep-1999", {}}, {"11-Sep-99", {}}, {"", {}},
        {"9-Dec-2026", Ymd(2026, 12, 9)}, {"009-Dec-2026", {}}, {"11-Sept-1999", {}}, {"11/Sep/1999", {}},
        {"11-Sep-19999", {}}, {"1a-Sep-1999", {}}, {"11-Sep-199x", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseDateText(c.text), c.date) << c.text;
}

// 1 Tishri of `year` by the shipped table.
Date Start(int year) {
    static const YearTable table = ReadYearTable(test::ShippedTable());
    return table.StartOf(year).value();
}

std::string Line(int year) { return std::to_string(year) + " " + FormatDate(Start(year)); }

// Year lines first..last as shipped, each ended by `end`; year `swap` left out or replaced by `line`.
std::string Years(int first, int last, const std::string& end = "\n", int swap = 0, const std::string& line = "") {
    std::string out;
    for (int y = first; y <= last; ++y)
        if (y != swap || !line.empty()) out += (y == swap ? line : Line(y)) + end;
    return out;
}

// Every year 5562..6553 in order with CR LF ends, valid lengths, no 1 Tishri on Sunday, Wednesday or Friday.
TEST(ShippedYearTableTest, EveryYearPresentValidAndKnown) {
    std::ifstream in(test::ShippedTable(), std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(all, Years(5562, 6553, "\r\n"));
    for (int y = 5563; y <= 6553; ++y) {
        const int weekday = Start(y).Weekday();
        EXPECT_TRUE(weekday != 1 && weekday != 4 && weekday != 6 && FindYearType(Start(y), Start(y - 1), {})) << y;
    }
    for (const auto& [year, date] : {std::pair(5562, Ymd(1801, 9, 8)), {5764, Ymd(2003, 9, 27)}, {5787, Ymd(2026, 9, 12)}})
        EXPECT_EQ(Start(year), date) << year;
}

// From a known month, `day` on `table` is refused quietly, leaving every field of the month alone.
void ExpectRefused(const std::string& table, Date day) {
    const CalendarState before = SetUpFor(Ymd(2000, 3, 21));
    CalendarState s = before;
    s.RHDatesFile = table;
    s.SelDate = day;
    bool told = false;
    EXPECT_FALSE(FindGDate(s, [&](const std::string&) { told = true; }) || told) << FormatDate(day);
    const auto month = [](const CalendarState& c) {
        return std::tie(c.JewYear, c.YearStart, c.YearAfterStart, c.YearType, c.JewMonthNo, c.JewDay,
                        c.MonthDays, c.FirstDate, c.DayText);
    };
    EXPECT_TRUE(month(s) == month(before));
}

// 5760..5765, blanks before the line ends and none after the last: a year needs the two after it.
TEST(YearTableSearchTest, EdgesOfTheTable) {
    const test::TempFolder folder;
    const std::string table = folder.Write("short", Years(5760, 5764, " \t\r\n") + Line(5765) + " \t");
    for (auto [day, year] : {std::pair(Ymd(1999, 9, 11), 5760), {Ymd(2000, 1, 1), 5760}, {Ymd(2003, 9, 26), 5763}})
        EXPECT_EQ(SetUpFor(day, 1, table).JewYear, year);
    EXPECT_EQ(SetUpFor(Ymd(2000, 3, 21), 1, table).YearAfterStart, Ymd(2001, 9, 18));
    for (const Date day : {Ymd(1999, 9, 10), Ymd(1999, 1, 1), Ymd(2003, 9, 27), Ymd(2004, 12, 1),
                           Ymd(2100, 1, 1), Ymd(1500, 1, 1)})
        ExpectRefused(table, day);
    // Empty, unreadable, no regular file or too big: refused at once, never a hang.
    const std::string fifo = folder.Path() + "/fifo.Tvl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = Years(5755, 5770) + std::string(size_t{1} << 21, ' ');
    for (const std::string& path : {folder.Write("empty", ""), folder.Write("blank", "\r\n\r\n\n"),
                                    folder.Write("binary", std::string("\0\0\0\n\0", 5)), folder.Write("huge", huge),
                                    fifo, folder.Path(), std::string("/dev/zero"), folder.Path() + "/missing"})
        ExpectRefused(path, Ymd(2000, 3, 21));
}

// A missing or garbled 5762 line: the years that need it are refused, the others shown, whatever the year step
// (from 1 January 1997, 5762 is four and five years on). Out of order: the next year's 1 Tishri before this year's.
TEST(YearTableSearchTest, BrokenLines) {
    const test::TempFolder folder;
    for (const std::string bad : {"", "5762 31-Feb-2001", "xxxx 18-Sep-2001"}) {
        SCOPED_TRACE(bad);
        const std::string table = folder.Write("t", Years(5755, 5770, "\n", 5762, bad));
        for (const Date day : {Ymd(1999, 12, 1), Ymd(2000, 10, 15), Ymd(2001, 12, 1)}) ExpectRefused(table, day);
        for (const int step : {1, 4, 5}) EXPECT_EQ(SetUpFor(Ymd(1997, 1, 1), step, table).JewYear, 5757);
        EXPECT_EQ(SetUpFor(Ymd(2003, 1, 1), 1, table).JewYear, 5763);
    }
    ExpectRefused(folder.Write("backwards", Years(5755, 5770, "\n", 5762, "5762 18-Sep-2000")), Ymd(2000, 10, 15));
}

}  // namespace
}  // namespace tovel
