#include "app/holiday_calendar.h"

#include <set>

#include <gtest/gtest.h>

#include "engine/year_holidays.h"
#include "engine/year_table.h"
#include "test_support.h"

namespace tovel {
namespace {

// Lines of every length up to 300 octets, of one- to four-octet characters: each folded line at
// most 75 octets, starting on a character, and unfolding gives the line back.
TEST(HolidayCalendarTest, FoldingKeepsCharactersWhole) {
    const std::string characters[] = {"a", "\xC3\xA9", "\xE2\x80\x93", "\xF0\x9F\x95\x8E"};
    for (const std::string& c : characters) {
        std::string line;
        while (line.size() < 300) {
            line += c;
            const std::string folded = FoldedLine(line);
            SCOPED_TRACE(testing::Message() << c.size() << "-octet characters, " << line.size());
            ASSERT_EQ(folded.substr(folded.size() - 2), "\r\n");
            std::string unfolded;
            for (std::size_t at = 0; at < folded.size();) {
                const std::size_t end = folded.find("\r\n", at);
                const std::string part = folded.substr(at, end - at);
                ASSERT_LE(part.size(), 75u);
                ASSERT_NE(static_cast<unsigned char>(part[at == 0 ? 0 : 1]) & 0xC0, 0x80);
                unfolded += at == 0 ? part : part.substr(1);
                at = end + 2;
            }
            ASSERT_EQ(unfolded, line);
            ASSERT_EQ(folded.size() == line.size() + 2, line.size() <= 75);
        }
    }
}

// Over every year the table can export, each holiday's UID is unique, so no import merges two.
TEST(HolidayCalendarTest, UidsUniqueOverTheWholeTable) {
    const YearTable table = ReadYearTable(test::ShippedTable());
    const auto range = ExportableYears(table);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->First, 5562);
    EXPECT_EQ(range->Last, 6551);
    std::set<std::string> uids;
    std::size_t events = 0;
    for (int year = range->First; year <= range->Last; ++year)
        for (const HolidayOn& h : YearHolidays(table, year)) {
            ++events;
            uids.insert(HolidayUid(h.Day, h.Text));
        }
    EXPECT_EQ(uids.size(), events);
    EXPECT_EQ(events, 17u * static_cast<std::size_t>(range->Last - range->First + 1));
    EXPECT_EQ(HolidayUid(test::Ymd(2024, 3, 21), "Ta 'anit Esther"),
              "20240321-ta-anit-esther@tovel.org");
}

TEST(HolidayCalendarTest, TextsAndStamps) {
    EXPECT_EQ(IcsText("Paris, France; a\\b\r\nc"), "Paris\\, France\\; a\\\\b\\nc");
    EXPECT_EQ(UtcStamp(0), "19700101T000000Z");
    EXPECT_EQ(UtcStamp(1709251199), "20240229T235959Z");
}

}  // namespace
}  // namespace tovel
