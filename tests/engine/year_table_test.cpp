#include <sys/stat.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::ShippedTable;
using test::TempFile;
using test::Ymd;

std::vector<std::string> ShippedLines() {
    std::ifstream in(ShippedTable(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::map<int, Date> ShippedStarts() {
    std::map<int, Date> starts;
    for (const std::string& line : ShippedLines())
        starts[std::stoi(line.substr(0, 4))] = *LineDate(line.substr(0, line.size() - 1));
    return starts;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

// Every year 5562 to 6553 in order, CR LF line ends, a valid year length, 1 Tishri
// never on a Sunday, Wednesday or Friday, and known new years.
TEST(ShippedYearTableTest, EveryYearPresentValidAndKnown) {
    const auto lines = ShippedLines();
    ASSERT_EQ(lines.size(), 6553u - 5562u + 1u);
    std::optional<Date> previous;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        SCOPED_TRACE(line);
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r') << "lines end in CR LF";
        ASSERT_EQ(LineYear(line), static_cast<int>(5562 + i));
        const auto start = LineDate(line.substr(0, line.size() - 1));
        ASSERT_TRUE(start.has_value());
        const int weekday = start->Weekday();
        EXPECT_TRUE(weekday == 2 || weekday == 3 || weekday == 5 || weekday == 7);
        if (previous) EXPECT_NE(FindYearType(*start, *previous, {}), 0);
        previous = start;
    }
    const auto starts = ShippedStarts();
    const struct { int year; Date date; } cases[] = {
        {5562, Ymd(1801, 9, 8)},   {5563, Ymd(1802, 9, 27)}, {5758, Ymd(1997, 10, 2)},
        {5760, Ymd(1999, 9, 11)},  {5764, Ymd(2003, 9, 27)}, {5772, Ymd(2011, 9, 29)},
        {5785, Ymd(2024, 10, 3)},  {5787, Ymd(2026, 9, 12)},
    };
    for (const auto& c : cases) EXPECT_EQ(starts.at(c.year), c.date) << c.year;
}

TEST(FindYearTypeTest, LengthsToCodes) {
    const Date start = Ymd(2000, 9, 30);
    int messages = 0;
    const Notifier count = [&](const std::string& m) {
        EXPECT_EQ(m, "Unknown year type");
        ++messages;
    };
    const struct { int days; int type; } cases[] = {{353, 1}, {354, 2}, {355, 3}, {383, 4},
                                                    {384, 5}, {385, 6}, {356, 0}, {382, 0},
                                                    {0, 0},   {-354, 0}, {386, 0}};
    for (const auto& c : cases) EXPECT_EQ(FindYearType(start + c.days, start, count), c.type) << c.days;
    EXPECT_EQ(messages, 5);
}

// The fields the month setup writes; a failed setup must leave all of them alone.
void ExpectSameMonth(const CalendarState& a, const CalendarState& b) {
    EXPECT_EQ(a.SelDate, b.SelDate);
    EXPECT_EQ(a.JewYear, b.JewYear);
    EXPECT_EQ(a.YearStart, b.YearStart);
    EXPECT_EQ(a.NextYearStart, b.NextYearStart);
    EXPECT_EQ(a.YearAfterStart, b.YearAfterStart);
    EXPECT_EQ(a.YearType, b.YearType);
    EXPECT_EQ(a.StepDays, b.StepDays);
    EXPECT_EQ(a.JewMonthNo, b.JewMonthNo);
    EXPECT_EQ(a.JewDay, b.JewDay);
    EXPECT_EQ(a.MonthDays, b.MonthDays);
    EXPECT_EQ(a.JewMonthName, b.JewMonthName);
    EXPECT_EQ(a.FirstDate, b.FirstDate);
    EXPECT_EQ(a.DayText, b.DayText);
}

// Sets up a known month, then asks for `day` on `table` and expects a quiet refusal.
void ExpectRefused(const std::string& table, Date day, int yearStep = 1) {
    CalendarState s = test::SetUpFor(Ymd(2000, 3, 21));
    const CalendarState before = s;
    s.RHDatesFile = table;
    s.SelDate = day;
    s.YearStep = static_cast<std::int16_t>(yearStep);
    std::vector<std::string> told;
    EXPECT_FALSE(FindGDate(s, [&](const std::string& m) { told.push_back(m); }));
    EXPECT_TRUE(told.empty());
    CalendarState expected = before;
    expected.SelDate = day;
    ExpectSameMonth(s, expected);
}

std::vector<std::string> Years(int first, int last) {
    std::vector<std::string> out;
    for (const auto& line : ShippedLines()) {
        const int y = *LineYear(line);
        if (y >= first && y <= last) out.push_back(line.substr(0, line.size() - 1));  // LF only
    }
    return out;
}

TEST(YearTableSearchTest, FirstAndLastLines) {
    const TempFile table(Join(Years(5760, 5765)));
    // First line: dates from its 1 Tishri on are served, earlier ones need the missing 5759.
    EXPECT_EQ(test::SetUpFor(Ymd(1999, 9, 11), 1, table.Path()).JewYear, 5760);
    EXPECT_EQ(test::SetUpFor(Ymd(2000, 1, 1), 1, table.Path()).JewYear, 5760);
    ExpectRefused(table.Path(), Ymd(1999, 9, 10));
    ExpectRefused(table.Path(), Ymd(1999, 1, 1));
    // Near the last line: 5763 needs 5764 and 5765; 5764 would need 5766.
    EXPECT_EQ(test::SetUpFor(Ymd(2003, 9, 26), 1, table.Path()).JewYear, 5763);
    ExpectRefused(table.Path(), Ymd(2003, 9, 27));
    ExpectRefused(table.Path(), Ymd(2004, 12, 1));
    // Gregorian years that no line ends in.
    ExpectRefused(table.Path(), Ymd(2100, 1, 1));
    ExpectRefused(table.Path(), Ymd(1500, 1, 1));
}

TEST(YearTableSearchTest, BrokenTables) {
    auto without = [](int missing) {
        auto lines = Years(5755, 5770);
        std::erase_if(lines, [&](const std::string& l) { return *LineYear(l) == missing; });
        return Join(lines);
    };
    auto garbled = [](int year, const std::string& replacement) {
        auto lines = Years(5755, 5770);
        for (auto& l : lines)
            if (*LineYear(l) == year) l = replacement;
        return Join(lines);
    };
    const TempFile gap(without(5762));
    ExpectRefused(gap.Path(), Ymd(2000, 10, 15));  // 5761: its next year is missing
    ExpectRefused(gap.Path(), Ymd(1999, 12, 1));   // 5760: the year after next is missing
    ExpectRefused(gap.Path(), Ymd(2001, 12, 1));   // 5762 itself
    EXPECT_EQ(test::SetUpFor(Ymd(2003, 1, 1), 1, gap.Path()).JewYear, 5763);

    for (const std::string& bad : {std::string("garbage"), std::string("5762 31-Feb-2001"),
                                   std::string("5762 18-Sep-01"), std::string("xxxx 18-Sep-2001"),
                                   std::string("\x01\xff\xfe 2001")}) {
        SCOPED_TRACE(bad);
        const TempFile table(garbled(5762, bad));
        ExpectRefused(table.Path(), Ymd(2000, 10, 15));
        ExpectRefused(table.Path(), Ymd(2001, 12, 1));
        EXPECT_EQ(test::SetUpFor(Ymd(1997, 1, 1), 1, table.Path()).JewYear, 5757);
    }

    // Out of order: the next year's 1 Tishri before this year's.
    const TempFile backwards(garbled(5762, "5762 18-Sep-2000"));
    ExpectRefused(backwards.Path(), Ymd(2000, 10, 15));

    const TempFile empty("");
    ExpectRefused(empty.Path(), Ymd(2000, 3, 21));
    const TempFile blankLines("\r\n\r\n\n");
    ExpectRefused(blankLines.Path(), Ymd(2000, 3, 21));
    const TempFile binary(std::string("\0\0\0\n\0", 5));
    ExpectRefused(binary.Path(), Ymd(2000, 3, 21));
    ExpectRefused("/nonexistent/folder/RHDates.Tvl", Ymd(2000, 3, 21));

    // Not a regular file, or too big to be a table: refused at once, never a hang.
    const test::TempFolder folder;
    const std::string fifo = folder.Path() + "/fifo.Tvl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string huge = Join(Years(5755, 5770));
    huge.resize(size_t{1} << 21, ' ');
    const TempFile big(huge);
    for (const std::string& path : {fifo, folder.Path(), std::string("/dev/zero"), big.Path()})
        ExpectRefused(path, Ymd(2000, 3, 21));
}

TEST(YearTableSearchTest, LineEndsAndTrailingBlanks) {
    const auto lf = Years(5758, 5764);
    std::string crlf, blanks, noFinalNewline;
    for (const auto& l : lf) {
        crlf += l + "\r\n";
        blanks += l + "  \r\n";
    }
    noFinalNewline = Join(lf);
    noFinalNewline.pop_back();
    for (const std::string& content : {Join(lf), crlf, blanks, noFinalNewline}) {
        const TempFile table(content);
        const CalendarState s = test::SetUpFor(Ymd(2000, 3, 21), 1, table.Path());
        EXPECT_EQ(s.JewYear, 5760);
        EXPECT_EQ(s.YearStart, Ymd(1999, 9, 11));
        EXPECT_EQ(s.YearAfterStart, Ymd(2001, 9, 18));
    }
}

TEST(YearTableSearchTest, StepLine) {
    const auto starts = ShippedStarts();
    // Every step in the middle of the table: from 1 Tishri of the matching year
    // to 1 Tishri of the year that many later.
    for (int step : {1, 2, 5, 10, 20, 50}) {
        const CalendarState s = test::SetUpFor(Ymd(2000, 3, 21), step);
        EXPECT_EQ(s.StepDays, starts.at(5761 + step) - starts.at(5761)) << step;
        const CalendarState t = test::SetUpFor(Ymd(2000, 11, 1), step);
        EXPECT_EQ(t.StepDays, starts.at(5761 + step) - starts.at(5761)) << step;
    }
    EXPECT_EQ(test::SetUpFor(Ymd(2000, 3, 21), 5).StepDays, 1830);
    // Near the end the target year is missing: the walk stops on the line before the last.
    const CalendarState late = test::SetUpFor(Ymd(2780, 1, 1), 50);
    const int matching = late.JewYear + 1;
    EXPECT_EQ(late.StepDays, starts.at(6552) - starts.at(matching));
    // The target year on the last line is not reached either.
    const Date y6503 = starts.at(6503);
    EXPECT_EQ(test::SetUpFor(y6503 + 10, 50).StepDays, starts.at(6552) - y6503);
}

}  // namespace
}  // namespace tovel
