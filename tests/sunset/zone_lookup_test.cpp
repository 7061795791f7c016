// The lookup with the time-zone database, a table made for one year read in another; the gazetteer.
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "machine_support.h"
#include "sunset/gazetteer.h"
#include "sunset/sun_table_maker.h"
#include "sunset/sunset_table.h"
#include "test_support.h"
#include "views/zone_offset.h"

namespace tovel {
namespace {

int Minutes(const std::string& time) {
    return std::stoi(time.substr(1, 2)) * 60 + std::stoi(time.substr(4, 2));
}

// Tables for 2026 read on every day of 2027, against tables made for 2027: within the minute the
// sun drifts between the years. Moved by an hour are exactly the days between the two years'
// changes, counted from the zones' rules: New York (2026: 8 Mar, 1 Nov; 2027: 14 Mar, 7 Nov) 6 + 6,
// Jerusalem (27 Mar, 25 Oct; 26 Mar, 31 Oct) 1 + 6, Sydney (5 Apr, 4 Oct; 4 Apr, 3 Oct) 1 + 1.
// Without its zone line a table reads as written. The examples are sunsets of 2027 that a table of
// 2026 read as written gets an hour wrong.
TEST(ZoneLookupTest, TablesOfOneYearAreRightInAnother) {
    using test::Ymd;
    using Examples = std::vector<std::tuple<unsigned, unsigned, const char*>>;  // 2027
    using Changes = std::vector<int>;  // the rules above, as test::ZoneChanges gives them
    // clang-format off
    const struct { const char* zone; double lat, lon; int moved; Examples examples;
                   Changes of2026, of2027; } places[] = {
        {"America/New_York", 40.7128, -74.0060, 12, {{3, 12, " 17:59"}}, {308, 1101}, {314, 1107}},
        {"Asia/Jerusalem", 31.7683, 35.2137, 7, {{3, 26, " 18:54"}, {10, 29, " 17:52"}},
         {327, 1025}, {326, 1031}},
        {"Australia/Sydney", -33.8688, 151.2093, 2, {}, {405, 1004}, {404, 1003}},
    };
    // clang-format on
    for (const auto& p : places)
        for (const auto& why : {test::WhyNotZoneRules(p.zone, 2026, p.of2026),
                                test::WhyNotZoneRules(p.zone, 2027, p.of2027)})
            if (!why.empty()) GTEST_SKIP() << why;
    test::TempFolder folder;
    for (const auto& p : places) {
        SCOPED_TRACE(p.zone);
        const UtcOffsetAt offset = ZoneOffset(p.zone).value();
        const std::string with = MakeSunTable({"T", p.lat, p.lon}, 2026, offset, p.zone).Text;
        const std::string made = folder.Write("with.sun", with);
        const std::string bare = folder.Write("bare.sun", with.substr(0, with.rfind("Zone")));
        const std::string truth =
            folder.Write("2027.sun", MakeSunTable({"T", p.lat, p.lon}, 2027, offset).Text);
        int moved = 0;
        for (Date d = Ymd(2027, 1, 1); d <= Ymd(2027, 12, 31); d += 1) {
            const int read = Minutes(LookupSunset(made, d, ZoneOffset)->Time);
            const int asWritten = Minutes(LookupSunset(made, d)->Time);
            ASSERT_NEAR(read, Minutes(LookupSunset(truth, d)->Time), 1) << d.Month() << d.Day();
            ASSERT_EQ(LookupSunset(bare, d, ZoneOffset)->Time, LookupSunset(made, d)->Time);
            ASSERT_TRUE(read == asWritten || std::abs(read - asWritten) == 60);
            moved += read != asWritten;
        }
        EXPECT_EQ(moved, p.moved);
        for (const auto& [month, day, time] : p.examples)
            EXPECT_NEAR(Minutes(LookupSunset(made, Ymd(2027, month, day), ZoneOffset)->Time),
                        Minutes(time), 1);
    }
}

// Names match by their start whatever the case and the accents of Latin letters, the most populous
// first.
TEST(GazetteerTest, FindsTownsByTheirFirstLetters) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"malag", "M\xC3\xA1laga Andalusia Spain Europe/Madrid"},
        {"M\xC3\x81LAG", "M\xC3\xA1laga"},
        {"brasil", "Bras\xC3\xADlia"},
        {"tel a", "Tel Aviv Tel Aviv Israel Asia/Jerusalem"},
        {"Edinb", "Edinburgh Scotland United Kingdom Europe/London"},
    };
    // clang-format on
    for (const auto& [prefix, town] : cases) {
        const std::vector<Town> found = FindTowns(prefix, 3);
        ASSERT_FALSE(found.empty()) << prefix;
        const Town& t = found.front();
        const std::string all = t.Name + " " + t.Region + " " + t.Country + " " + t.Zone;
        EXPECT_EQ(std::string(town).find(' ') == std::string::npos ? t.Name : all, town);
    }
    EXPECT_TRUE(FindTowns("", 3).empty() && FindTowns("Xqzw", 3).empty());
    EXPECT_EQ(FindTowns("Sa", 7).size(), 7u);
}

}  // namespace
}  // namespace tovel
