#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "almanac_sunset.h"
#include "state/date.h"
#include "sunset/sun_table_check.h"
#include "sunset/sunset_table.h"

namespace tovel {
namespace {

struct Listed {
    std::string File, Name, Zone;
    double Latitude = 0, Longitude = 0;
};

// The shipped tables' list: FILE|NAME|LATITUDE|LONGITUDE|ZONE|YEAR lines.
std::vector<Listed> ListedTables() {
    std::ifstream in(TOVEL_SUN_TABLE_LIST);
    std::vector<Listed> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, '|');) f.push_back(field);
        if (f.size() != 6) continue;
        out.push_back({f[0], f[1], f[4], std::stod(f[2]), std::stod(f[3])});
    }
    return out;
}

// Minutes after midnight of a lookup's time text " 16:02".
int Minutes(const std::string& time) {
    return std::stoi(time.substr(1, 2)) * 60 + std::stoi(time.substr(4, 2));
}

// Every shipped table passes the check, and its lookups on 1 January,
// 29 February and 31 December (all in standard time in these zones) agree
// with the almanac algorithm plus the zone's standard offset.
TEST(ShippedTablesTest, LookupOnTheFirstLeapAndLastDay) {
    const std::map<std::string, int> standardOffsetHours = {
        {"Asia/Jerusalem", 2},       {"America/New_York", -5},   {"Europe/London", 0},
        {"Europe/Paris", 1},         {"America/Los_Angeles", -8},
        {"America/Argentina/Buenos_Aires", -3},
    };
    const std::vector<Listed> listed = ListedTables();
    ASSERT_EQ(listed.size(), 8u);
    std::vector<std::string> shipped;
    for (const auto& entry : std::filesystem::directory_iterator(TOVEL_DATA_DIR))
        if (entry.path().extension() == ".sun") shipped.push_back(entry.path().filename());
    ASSERT_EQ(shipped.size(), listed.size());

    for (const Listed& table : listed) {
        SCOPED_TRACE(table.File);
        const std::string path = std::string(TOVEL_DATA_DIR) + "/" + table.File;
        const SunTableCheck check = CheckSunTableFile(path);
        EXPECT_TRUE(check.Ok()) << DescribeSunTableCheck(check);
        ASSERT_EQ(standardOffsetHours.count(table.Zone), 1u);
        const int offset = standardOffsetHours.at(table.Zone) * 60;
        // A table has no year: the same lines serve any year, the leap day included.
        const struct { Date day; int dayOfYear; } days[] = {
            {Date::FromYmd(2026, 1, 1), 1},
            {Date::FromYmd(2028, 2, 29), 60},
            {Date::FromYmd(2031, 12, 31), 365},
        };
        for (const auto& d : days) {
            SCOPED_TRACE(d.dayOfYear);
            const auto sunset = LookupSunset(path, d.day);
            ASSERT_TRUE(sunset.has_value());
            EXPECT_EQ(sunset->Location, table.Name);
            ASSERT_EQ(sunset->Time.size(), 6u);
            const double almanac =
                test::AlmanacSunsetHours(d.dayOfYear, table.Latitude, table.Longitude) * 60 + offset;
            EXPECT_LE(std::fabs(std::remainder(Minutes(sunset->Time) - almanac, 1440.0)), 1.5)
                << sunset->Time;
        }
    }
}

}  // namespace
}  // namespace tovel
