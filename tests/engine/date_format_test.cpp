#include <ctime>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::Ymd;

// Today() is the local calendar date of the system clock. Compared with
// localtime_r read just before and just after, so a midnight in between
// cannot make the test fail.
TEST(DateTest, TodayIsTheLocalDate) {
    auto local = [] {
        const std::time_t now = std::time(nullptr);
        std::tm t{};
        localtime_r(&now, &t);
        return Ymd(t.tm_year + 1900, unsigned(t.tm_mon + 1), unsigned(t.tm_mday));
    };
    const Date before = local();
    const Date today = Today();
    const Date after = local();
    EXPECT_TRUE(today == before || today == after) << FormatDate(today) << " " << FormatDate(before);
    EXPECT_EQ(Ymd(2000, 10, 1).Weekday(), kSunday);
    EXPECT_EQ(Ymd(1999, 9, 11).Weekday(), kSaturday);
}

TEST(FormatDateTest, NamedDates) {
    const struct { Date date; const char* text; } cases[] = {
        {Ymd(1999, 3, 5), "05-Mar-1999"},   {Ymd(2000, 1, 1), "01-Jan-2000"},
        {Ymd(2789, 12, 31), "31-Dec-2789"}, {Ymd(1802, 9, 27), "27-Sep-1802"},
        {Ymd(2024, 2, 29), "29-Feb-2024"},  {Ymd(1999, 11, 9), "09-Nov-1999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDate(c.date), c.text);
        EXPECT_EQ(ParseDateText(c.text), c.date) << c.text;
    }
}

TEST(ParseDateTextTest, AcceptsTableFieldsAndRejectsTheRest) {
    const struct { const char* text; bool ok; Date date; } cases[] = {
        {"11-Sep-1999", true, Ymd(1999, 9, 11)},
        {" 1-Oct-2005", true, Ymd(2005, 10, 1)},   // one-digit day after a blank
        {"11-Sep-1999\r", true, Ymd(1999, 9, 11)},  // CR of a CR LF line
        {"11-Sep-1999  ", true, Ymd(1999, 9, 11)},
        {"29-Feb-2000", true, Ymd(2000, 2, 29)},
        {"29-Feb-1900", false, {}},
        {"31-Apr-2000", false, {}},
        {"00-Jan-2000", false, {}},
        {"11-sep-1999", false, {}},  // abbreviations are compared exactly
        {"11-Sept-1999", false, {}},
        {"11/Sep/1999", false, {}},
        {"11-Sep-99", false, {}},
        {"xx-Sep-1999", false, {}},
        {"", false, {}},
        {"--", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ParseDateText(c.text);
        ASSERT_EQ(parsed.has_value(), c.ok);
        if (c.ok) EXPECT_EQ(*parsed, c.date);
    }
}

}  // namespace
}  // namespace tovel
