#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "test_support.h"
#include "engine/format_date.h"
#include "engine/read_file.h"
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
    Folder folder, own;
    const std::vector<std::string> both = {folder.Path(), own.Path()};
    EXPECT_EQ(FindLocations(both, 1).ActiveLocation, 0);
    folder.Write("c.sun", "Tiberias\r\n");
    folder.Write("a.sun", "Jerusalem\r\n Jan  1  4:45\r\n");
    folder.Write("B.SUN", "Haifa\n");
    folder.Write("notes.txt", "not a table\r\n");
    folder.Write("empty.sun", "");
    fs::create_directories(fs::path(folder.Path()) / "dir.sun");
    // The second folder's tables follow the first's, each folder in name order.
    own.Write("0.sun", "Eilat\r\n");
    Locations found = FindLocations(both, 3);
    EXPECT_EQ(found.Files, (std::vector<std::string>{folder.Path() + "/B.SUN", folder.Path() + "/a.sun",
                                                     folder.Path() + "/c.sun", own.Path() + "/0.sun"}));
    EXPECT_EQ(found.Names, (std::vector<std::string>{"Haifa", "Jerusalem", "Tiberias", "Eilat"}));
    EXPECT_EQ(found.ActiveLocation, 3);
    EXPECT_EQ(FindLocations(both, 4).ActiveLocation, 4);
    EXPECT_EQ(FindLocations({folder.Path()}, 4).ActiveLocation, 0);
    EXPECT_EQ(FindLocations(both, 7).ActiveLocation, 0);
    EXPECT_EQ(FindLocations(both, -2).ActiveLocation, -2);  // kept, and means none
    // Ten in all: the first folder's fill the menu before the second's.
    for (int i = 0; i < 12; ++i) folder.Write("z" + std::to_string(10 + i) + ".sun", "Town " + std::to_string(i));
    found = FindLocations(both, 10);
    EXPECT_EQ(found.Files.size(), 10u);
    EXPECT_EQ(found.Names.back(), "Town 6");
    EXPECT_EQ(found.ActiveLocation, 10);
    EXPECT_EQ(FindLocations({folder.Path() + "/nowhere"}, 1).Files.size(), 0u);
}

// Names written on other systems: UTF-8 kept, Windows-1252 converted, the
// same through the menu and through the lookup.
TEST(SunsetTableTest, NamesInUtf8AndWindows1252) {
    Folder folder;
    const struct { const char* file; std::string line; const char* name; } cases[] = {
        {"a.sun", "Z\xFCrich", "Z\xC3\xBC" "rich"},
        {"b.sun", "Be\x92" "er Sheva \x96 \x80", "Be\xE2\x80\x99" "er Sheva \xE2\x80\x93 \xE2\x82\xAC"},
        {"c.sun", "\xD7\x97\xD7\x99\xD7\xA4\xD7\x94 Haifa", "\xD7\x97\xD7\x99\xD7\xA4\xD7\x94 Haifa"},
        {"d.sun", "S\xC3\xA3o Paulo", "S\xC3\xA3o Paulo"},
        {"e.sun", "\xEF\xBB\xBFTel Aviv", "Tel Aviv"},
        {"f.sun", "Odd \x81\x8D byte", "Odd \xEF\xBF\xBD\xEF\xBF\xBD byte"},
    };
    for (const auto& c : cases) folder.Write(c.file, c.line + "\r\n Mar 21  6:14\r\n");
    const Locations found = FindLocations({folder.Path()}, 0);
    ASSERT_EQ(found.Names.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].file);
        EXPECT_EQ(found.Names[i], cases[i].name);
        const auto sunset = LookupSunset(folder.Path() + "/" + cases[i].file, Ymd(2027, 3, 21));
        ASSERT_TRUE(sunset.has_value());
        EXPECT_EQ(sunset->Location, cases[i].name);
        EXPECT_EQ(sunset->Time, " 18:14");
    }
}

// Whatever lies at a table's path, the lookup answers at once.
TEST(SunsetTableTest, PathsThatAreNotTables) {
    Folder folder;
    const std::string fifo = folder.Path() + "/fifo.sun";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(folder.Path() + "/dir.sun");
    const std::string huge = folder.Write("huge.sun", "Town\r\n Mar 21  6:14\r\n");
    fs::resize_file(huge, kMaxDataFileBytes + 1);
    const std::string good = folder.Write("good.sun", "Town\r\n Mar 21  6:14\r\n");
    for (const std::string& path : {fifo, folder.Path() + "/dir.sun", huge, std::string("/dev/zero"),
                                    folder.Path() + "/missing.sun"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(LookupSunset(path, Ymd(1999, 3, 21)).has_value());
    }
    std::string content;
    EXPECT_EQ(ReadDataFile(fifo, content), FileRead::NotRegularFile);
    EXPECT_EQ(ReadDataFile(huge, content), FileRead::TooLarge);
    EXPECT_EQ(ReadDataFile(folder.Path() + "/missing.sun", content), FileRead::Missing);
    EXPECT_EQ(FindLocations({folder.Path()}, 0).Files, std::vector<std::string>{good});
}

}  // namespace
}  // namespace tovel
