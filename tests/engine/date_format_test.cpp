#include <clocale>
#include <locale>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::Ymd;

TEST(DateTest, SerialZeroAndWeekdays) {
    EXPECT_EQ(Ymd(1899, 12, 30).Serial(), 0);
    EXPECT_EQ(Ymd(1900, 1, 1).Serial(), 2);
    EXPECT_EQ(Ymd(2000, 10, 1).Weekday(), 1);  // a Sunday
    EXPECT_EQ(Ymd(1999, 9, 11).Weekday(), 7);  // a Saturday
    // Round trip and weekday continuity over the whole supported range.
    const Date first = Ymd(1800, 1, 1), last = Ymd(2800, 12, 31);
    int weekday = first.Weekday();
    for (Date d = first; d <= last; d += 1) {
        ASSERT_EQ(d.Weekday(), weekday) << d.Serial();
        ASSERT_EQ(Date::FromYmd(d.Year(), d.Month(), d.Day()), d);
        weekday = weekday % 7 + 1;
    }
}

TEST(FormatDateTest, NamedDates) {
    const struct { Date date; const char* text; } cases[] = {
        {Ymd(1999, 3, 5), "05-Mar-1999"},   {Ymd(2000, 1, 1), "01-Jan-2000"},
        {Ymd(2789, 12, 31), "31-Dec-2789"}, {Ymd(1802, 9, 27), "27-Sep-1802"},
        {Ymd(2024, 2, 29), "29-Feb-2024"},  {Ymd(1999, 11, 9), "09-Nov-1999"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDate(c.date), c.text);
}

TEST(FormatDateTest, EveryDayParsesBackAndEndsInItsYear) {
    for (Date d = Ymd(1801, 1, 1); d <= Ymd(2799, 12, 31); d += 1) {
        const std::string text = FormatDate(d);
        ASSERT_EQ(text.size(), 11u);
        ASSERT_EQ(text.substr(7), std::to_string(d.Year()));
        ASSERT_EQ(ParseDateText(text), d) << text;
    }
}

// Formatting must not follow the user's language or number conventions.
struct GroupingPunct : std::numpunct<char> {
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\1"; }
    char do_decimal_point() const override { return ','; }
};

TEST(FormatDateTest, IgnoresTheLocale) {
    const std::locale saved = std::locale::global(std::locale(std::locale::classic(), new GroupingPunct));
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "he_IL.UTF-8", "ru_RU.UTF-8"}) {
        try {
            const std::locale named(name);  // throws when not installed
            std::locale::global(std::locale(named, new GroupingPunct));
            std::setlocale(LC_ALL, name);
            break;
        } catch (const std::runtime_error&) {
            // not installed here; the grouping locale alone still changes number output
        }
    }
    std::ostringstream probe;
    probe << 2000;
    EXPECT_NE(probe.str(), "2000") << "the test locale should change number formatting";
    EXPECT_EQ(FormatDate(Ymd(2000, 1, 1)), "01-Jan-2000");
    EXPECT_EQ(FormatDate(Ymd(1999, 5, 5)), "05-May-1999");
    EXPECT_EQ(FormatDate(Ymd(2001, 10, 12)), "12-Oct-2001");
    std::locale::global(saved);
    std::setlocale(LC_ALL, "C");
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
        {"-", false, {}},
        {"--", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = ParseDateText(c.text);
        ASSERT_EQ(parsed.has_value(), c.ok);
        if (c.ok) {
            EXPECT_EQ(*parsed, c.date);
        }
    }
}

}  // namespace
}  // namespace tovel
