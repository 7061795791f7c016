#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "test_support.h"
#include "engine/format_date.h"
#include "sunset/sunset_table.h"

namespace tovel {
namespace {

using test::Ymd;
namespace fs = std::filesystem;

using Folder = test::TempFolder;

// A full year of lines in the table layout; the minutes encode the day of the
// year so every lookup can be checked against the date it asked for.
std::string FullYearTable(const std::string& name) {
    std::string out = name + "\r\n";
    int n = 0;
    for (Date d = Ymd(2000, 1, 1); d <= Ymd(2000, 12, 31); d += 1, ++n) {
        char line[32];
        std::snprintf(line, sizeof line, " %s %2d  %d:%02d\r\n", std::string(MonthAbbreviation(d.Month())).c_str(),
                      d.Day(), 4 + n % 6, n % 60);
        out += line;
    }
    return out;
}

TEST(SunsetTableTest, EveryDayOfEveryYearFindsItsLine) {
    Folder folder;
    const std::string path = folder.Write("haifa.sun", FullYearTable("Haifa  (Israel)"));
    for (Date d = Ymd(1999, 1, 1); d <= Ymd(2001, 12, 31); d += 1) {
        const auto sunset = LookupSunset(path, d);
        ASSERT_TRUE(sunset.has_value()) << FormatDate(d);
        const int n = d - Ymd(d.Year(), 1, 1) + ((d.Year() % 4 != 0 && d.Month() > 2) ? 1 : 0);
        char expected[16];
        std::snprintf(expected, sizeof expected, " %d:%02d", 16 + n % 6, n % 60);
        ASSERT_EQ(sunset->Time, expected) << FormatDate(d);
        ASSERT_EQ(sunset->Location, "Haifa  (Israel)");
    }
}

TEST(SunsetTableTest, OddLines) {
    Folder folder;
    const struct { const char* name; std::string content; Date day; bool found; const char* time; } cases[] = {
        {"7:02 gives 19:02", "Town\r\n Jan  5  7:02\r\n", Ymd(2030, 1, 5), true, " 19:02"},
        {"day 5 needs a blank before the digit", "Town\r\n Jan 05  7:02\r\n", Ymd(2030, 1, 5), false, ""},
        {"15 January", "Town\r\n Jan  5  5:00\r\n Jan 15  5:10\r\n", Ymd(2030, 1, 15), true, " 17:10"},
        {"month compared with its case", "Town\r\n JAN 15  5:10\r\n", Ymd(2030, 1, 15), false, ""},
        {"first matching line wins", "Town\r\n Mar 21  6:14\r\n Mar 21  6:59\r\n", Ymd(1999, 3, 21), true, " 18:14"},
        {"a non-digit hour counts as 0", "Town\r\n Mar 21  x:14\r\n", Ymd(1999, 3, 21), true, " 12:14"},
        {"LF line ends", "Town\n Mar 21  6:14\n", Ymd(1999, 3, 21), true, " 18:14"},
        {"short line", "Town\r\n Mar 21\r\n", Ymd(1999, 3, 21), true, " 12"},
        {"name only", "Town\r\n", Ymd(1999, 3, 21), false, ""},
        {"empty file", "", Ymd(1999, 3, 21), false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.Write("t.sun", c.content);
        const auto sunset = LookupSunset(path, c.day);
        ASSERT_EQ(sunset.has_value(), c.found);
        if (c.found) {
            EXPECT_EQ(sunset->Time, c.time);
            EXPECT_EQ(sunset->Location, "Town");
        }
    }
    EXPECT_FALSE(LookupSunset(folder.Path() + "/missing.sun", Ymd(1999, 3, 21)).has_value());
}

TEST(SunsetTableTest, FindLocations) {
    Folder folder;
    EXPECT_EQ(FindLocations(folder.Path(), 1).ActiveLocation, 0);
    folder.Write("c.sun", "Tiberias\r\n");
    folder.Write("a.sun", "Jerusalem\r\n Jan  1  4:45\r\n");
    folder.Write("B.SUN", "Haifa\n");
    folder.Write("notes.txt", "not a table\r\n");
    folder.Write("empty.sun", "");
    fs::create_directories(fs::path(folder.Path()) / "dir.sun");
    Locations found = FindLocations(folder.Path(), 3);
    EXPECT_EQ(found.Files, (std::vector<std::string>{"B.SUN", "a.sun", "c.sun"}));
    EXPECT_EQ(found.Names, (std::vector<std::string>{"Haifa", "Jerusalem", "Tiberias"}));
    EXPECT_EQ(found.ActiveLocation, 3);
    EXPECT_EQ(FindLocations(folder.Path(), 4).ActiveLocation, 0);
    EXPECT_EQ(FindLocations(folder.Path(), 7).ActiveLocation, 0);
    EXPECT_EQ(FindLocations(folder.Path(), -2).ActiveLocation, -2);  // kept, and means none
    for (int i = 0; i < 12; ++i) folder.Write("z" + std::to_string(10 + i) + ".sun", "Town " + std::to_string(i));
    found = FindLocations(folder.Path(), 10);
    EXPECT_EQ(found.Files.size(), 10u);
    EXPECT_EQ(found.ActiveLocation, 10);
    EXPECT_EQ(FindLocations(folder.Path() + "/nowhere", 1).Files.size(), 0u);
}

}  // namespace
}  // namespace tovel
