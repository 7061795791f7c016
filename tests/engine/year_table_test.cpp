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

// Today() is the local date of the system clock; checked only when no midnight passed meanwhile.
TEST(DateTest, TodayIsTheLocalDate) {
    const auto local = [] {
        std::tm t{};
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &t);
        return Ymd(t.tm_year + 1900, unsigned(t.tm_mon + 1), unsigned(t.tm_mday));
    };
    const Date before = local(), today = Today();
    if (local() == before) {
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

// 1 Tishri of `year` by the shipped table.
Date Start(int year) {
    static const YearTable table = ReadYearTable(test::ShippedTable());
    return table.StartOf(year).value();
}

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
    std::ifstream in(test::ShippedTable(), std::ios::binary);
    ASSERT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), Years(5562, 6553, "\r\n"));
    for (int y = 5563; y <= 6553; ++y) {
        EXPECT_NE(FindYearType(Start(y), Start(y - 1), {}), 0) << y;
        for (const int weekday : {1, 4, 6}) EXPECT_NE(Start(y).Weekday(), weekday) << y;
    }
    EXPECT_EQ(Start(5562), Ymd(1801, 9, 8));
    EXPECT_EQ(Start(5764), Ymd(2003, 9, 27));
    EXPECT_EQ(Start(5787), Ymd(2026, 9, 12));
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

}  // namespace
}  // namespace tovel
