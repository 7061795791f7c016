#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "engine/read_file.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_table_check.h"
#include "sunset/sunset_table.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::Ymd;
namespace fs = std::filesystem;

// Lines the lookup reads its own way: the month compared with its case, the first line of a day
// wins, a non-digit hour counts as 0, a line may end early.
TEST(SunsetTableTest, OddLines) {
    test::TempFolder folder;
    const std::pair<std::string, std::string> odd[] = {
        {" MAR 21  5:10", "none"},
        {" Mar 21  6:14\r\n Mar 21  6:59", "Town 18:14"},
        {" Mar 21  x:14", "Town 12:14"},
        {" Mar 21", "Town 12"}};
    for (const auto& [lines, time] : odd) {
        const auto sunset =
            LookupSunset(folder.Write("t.sun", "Town\r\n" + lines + "\r\n"), Ymd(1999, 3, 21));
        EXPECT_EQ(sunset ? sunset->Location + sunset->Time : "none", time) << lines;
    }
}

// Only regular .sun files with a first line are listed, the second folder's after the first's, and
// whatever else lies at a table's path, the lookup answers at once.
TEST(SunsetTableTest, FindLocationsAndPathsThatAreNotTables) {
    test::TempFolder folder, own;
    const std::vector<std::string> both = {folder.Path(), own.Path()};
    folder.Write("c.sun", "Tiberias\r\n");
    folder.Write("a.sun", "Jerusalem\r\n Jan  1  4:45\r\n");
    folder.Write("B.SUN", "Haifa\n");
    folder.Write("notes.txt", "not a table\r\n") + folder.Write("empty.sun", "");
    const std::string fifo = folder.Path() + "/fifo.sun", dir = folder.Path() + "/dir.sun";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directories(dir);
    const std::string huge = folder.Write("huge.sun", "Town\r\n Mar 21  6:14\r\n");
    fs::resize_file(huge, kMaxDataFileBytes + 1);
    for (const std::string& path : {fifo, dir, huge, std::string("/dev/zero")})
        EXPECT_FALSE(LookupSunset(path, Ymd(1999, 3, 21))) << path;
    fs::resize_file(huge, kMaxDataFileBytes);  // the largest file read
    EXPECT_EQ(LookupSunset(huge, Ymd(1999, 3, 21))->Time, " 18:14");
    fs::remove(huge);
    own.Write("0.sun", "Eilat\r\n");
    Locations found = FindLocations(both, 3);
    EXPECT_EQ(found.Files,
              (std::vector<std::string>{folder.Path() + "/B.SUN", folder.Path() + "/a.sun",
                                        folder.Path() + "/c.sun", own.Path() + "/0.sun"}));
    EXPECT_EQ(found.Names, (std::vector<std::string>{"Haifa", "Jerusalem", "Tiberias", "Eilat"}));
    EXPECT_EQ(found.ActiveLocation + FindLocations({folder.Path()}, 4).ActiveLocation, 3);
    // The saved file name wins while it is listed, so a table added before it keeps the same town
    // active.
    EXPECT_EQ(FindLocations(both, 1, "c.sun").ActiveLocation, 3);
    EXPECT_EQ(FindLocations(both, 2, "gone.sun").ActiveLocation, 2);
    // Ten in all: the first folder's fill the menu before the second's.
    for (int i = 0; i < 12; ++i)
        folder.Write("z" + std::to_string(10 + i) + ".sun", "Town " + std::to_string(i));
    found = FindLocations(both, 10);
    EXPECT_EQ(found.Files.size(), 10u);
    EXPECT_EQ(found.Names.back(), "Town 6");
}

// Names written on other systems, through the menu and the lookup: valid UTF-8 is kept (less a
// byte-order mark), anything else is read as Windows-1252. A name longer than 200 bytes in UTF-8 is
// cut at a character, with "...".
TEST(SunsetTableTest, NamesInUtf8AndWindows1252) {
    auto kept = [](std::string s) { return std::pair{s, s}; };
    auto cp1252 = [](std::string s) { return std::pair{s, Windows1252ToUtf8(s)}; };
    auto times = [](const std::string& s, int n) {
        std::string out;
        while (n-- > 0) out += s;
        return out;
    };
    const std::pair<std::string, std::string> cases[] = {
        {"Z\xFCrich",
         "Z\xC3\xBC"
         "rich"},
        {"\xEF\xBB\xBFTel Aviv", "Tel Aviv"},
        {"Be\x92"
         "er Sheva \x96 \x80",
         "Be\xE2\x80\x99"
         "er Sheva \xE2\x80\x93 \xE2\x82\xAC"},
        kept("\xD7\x97\xD7\x99\xD7\xA4\xD7\x94 Haifa"),
        kept("\xF4\x8F\xBF\xBF"),  // the highest code point
        cp1252("\xC0\xAF"),
        cp1252("\xED\xA0\x80"),
        cp1252("\xF4\x90\x80\x80"),
        cp1252("Haifa \xD7"),
        kept(std::string(200, 'a')),
        {std::string(201, 'a'), std::string(197, 'a') + "..."},
        {times("\xC3\xA9", 101), times("\xC3\xA9", 98) + "..."},
        {std::string(150, '\xE9'), times("\xC3\xA9", 98) + "..."},
    };  // overlong; surrogate; beyond U+10FFFF; cut short
    for (const auto& [line, name] : cases) {
        test::TempFolder folder;
        const std::string path = folder.Write("t.sun", line + "\r\n Mar 21  6:14\r\n");
        EXPECT_EQ(FindLocations({folder.Path()}, 0).Names, std::vector<std::string>{name}) << line;
        EXPECT_EQ(LookupSunset(path, Ymd(2027, 3, 21)).value_or(SunsetTime{}).Location, name);
    }
    // Every byte: Latin-1 ones are their own code points, 0x80-0x9F the code
    // page's typographic characters or U+FFFD where it defines none.
    for (int b = 1; b < 256; ++b) {
        const std::string utf8 = Windows1252ToUtf8(std::string(1, static_cast<char>(b)));
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        EXPECT_TRUE(IsValidUtf8(utf8) && (utf8 == "\xEF\xBF\xBD") == undefined) << b;
        const char latin1[] = {char(b < 0x80 ? b : 0xC0 | b >> 6), char(0x80 | (b & 0x3F)), 0};
        EXPECT_TRUE((b >= 0x80 && b < 0xA0) || utf8 == std::string(latin1, b < 0x80 ? 1 : 2)) << b;
    }
}

// Every shipped table is listed (so made again by the tool and compared), passes the check, and
// every day of a common and a leap year finds its own line, the same in any year.
TEST(ShippedTablesTest, LookupEveryDay) {
    std::ifstream list(TOVEL_SUN_TABLE_LIST);
    int listed = 0;
    for (std::string line; std::getline(list, line);) {
        char file[64], name[64];  // FILE|NAME|LATITUDE|LONGITUDE|ZONE|YEAR
        if (line[0] == '#' || std::sscanf(line.c_str(), "%63[^|]|%63[^|]|", file, name) != 2)
            continue;
        ++listed;
        const std::string path = std::string(TOVEL_DATA_DIR) + "/" + file;
        EXPECT_EQ(DescribeSunTableCheck(CheckSunTableFile(path)), "OK") << file;
        std::ifstream in(path, std::ios::binary);
        const std::string table{std::istreambuf_iterator<char>(in), {}};
        for (Date d = Ymd(2027, 1, 1); d <= Ymd(2028, 12, 31); d += 1) {
            const int i = d - Ymd(d.Year(), 1, 1) + (d.Year() == 2027 && d.Month() > 2);
            const std::string row = table.substr(std::strlen(name) + 2 + i * 15, 13);
            const auto sunset = LookupSunset(path, d);
            ASSERT_TRUE(sunset && sunset->Location == name) << file;
            ASSERT_EQ(sunset->Time, " " + std::to_string(row[9] - '0' + 12) + row.substr(10))
                << file << " " << i;
        }
    }
    EXPECT_EQ(listed, 8);
    EXPECT_EQ(FindLocations({TOVEL_DATA_DIR}, 0).Files.size(), 8u);
}

}  // namespace
}  // namespace tovel
