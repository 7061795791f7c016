#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sunset/sun_table_check.h"
#include "sunset/sun_table_maker.h"

namespace tovel {
namespace {

// A good table, as lines without their line ends.
std::vector<std::string> GoodLines() {
    const SunTableResult table =
        MakeSunTable({"Haifa", 32.794, 34.9896}, 2026, [](std::int64_t) { return 7200; });
    std::vector<std::string> out;
    for (std::size_t at = 0; at < table.Text.size();) {
        const std::size_t end = table.Text.find("\r\n", at);
        out.push_back(table.Text.substr(at, end - at));
        at = end + 2;
    }
    return out;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

TEST(SunTableCheckTest, GoodAndDamagedTables) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* name;
        std::function<std::string(Lines)> make;
        int line;               // 0: the table is good
        const char* problem;    // part of the message
    } cases[] = {
        {"as made", [](Lines l) { return Join(l); }, 0, ""},
        {"a Windows-1252 name", [](Lines l) { l[0] = "Be'er Sheva \xE9t\xE9"; return Join(l); }, 0, ""},
        {"empty file", [](Lines) { return std::string(); }, 1, "the file is empty"},
        {"name only", [](Lines l) { return Join({l[0]}); }, 2, "after 0 day lines; the line of Jan  1 and 365 more"},
        {"Dec 31 missing", [](Lines l) { l.pop_back(); return Join(l); }, 367, "the line of Dec 31 is missing"},
        {"Feb 29 missing", [](Lines l) { l.erase(l.begin() + 60); return Join(l); }, 61,
         "the line of Feb 29 belongs here, not Mar  1"},
        {"a day twice", [](Lines l) { l[4] = l[3]; return Join(l); }, 5, "Jan  3 appears a second time (first on line 4)"},
        {"two days swapped", [](Lines l) { std::swap(l[100], l[101]); return Join(l); }, 101,
         "the line of Apr  9 belongs here, not Apr 10"},
        {"a line too many", [](Lines l) { l.push_back(" Jan  1  4:50"); return Join(l); }, 368,
         "a line after the 366 day lines"},
        {"a blank line at the end", [](Lines l) { return Join(l) + "\r\n"; }, 368, "a line after the 366 day lines"},
        {"empty name", [](Lines l) { l[0] = ""; return Join(l); }, 1, "the location's name is empty"},
        {"binary", [](Lines l) { l[0] = std::string("\x7F" "ELF\x02\x01", 6); return Join(l); }, 1, "control character '\\x7F'"},
        {"NUL in the name", [](Lines l) { l[0] = std::string("Ha\0fa", 5); return Join(l); }, 1, "control character '\\x00'"},
        {"name reads as a day", [](Lines l) { l[0] = " Jan  1  4:55"; return Join(l); }, 1, "read as the line of Jan  1"},
        {"LF line ends", [](Lines l) { std::string t; for (auto& s : l) t += s + "\n"; return t; }, 1, "LF without CR"},
        {"no line end at the end", [](Lines l) { std::string t = Join(l); t.resize(t.size() - 2); return t; }, 367,
         "no line end"},
        {"empty day line", [](Lines l) { l[9] = ""; return Join(l); }, 10, "the line is empty"},
        {"column 1", [](Lines l) { l[9][0] = '*'; return Join(l); }, 10, "column 1 must be a blank, not '*'"},
        {"month in capitals", [](Lines l) { l[32] = " FEB  1  5:00"; return Join(l); }, 33, "not 'FEB'"},
        {"column 5", [](Lines l) { l[9][4] = '-'; return Join(l); }, 10, "column 5 must be a blank"},
        {"day with a leading zero", [](Lines l) { l[5] = " Jan 05  4:52"; return Join(l); }, 6, "not '05'"},
        {"day left-aligned", [](Lines l) { l[5] = " Jan 5   4:52"; return Join(l); }, 6, "not '5 '"},
        {"Feb 30", [](Lines l) { l[60] = " Feb 30  5:22"; return Join(l); }, 61, "Feb 30 is not a day of the calendar"},
        {"Apr 31", [](Lines l) { l[121] = " Apr 31  7:22"; return Join(l); }, 122, "Apr 31 is not a day"},
        {"column 9", [](Lines l) { l[9][8] = '1'; return Join(l); }, 10, "column 9 must be a blank, not '1'"},
        {"hour 0", [](Lines l) { l[9][9] = '0'; return Join(l); }, 10, "column 10 must be the hour"},
        {"24-hour clock", [](Lines l) { l[9] = " Jan  9 16:55"; return Join(l); }, 10, "column 9 must be a blank"},
        {"a separator other than ':'", [](Lines l) { l[9][10] = '.'; return Join(l); }, 10, "column 11 must be ':'"},
        {"minute 60", [](Lines l) { l[9][11] = '6'; l[9][12] = '0'; return Join(l); }, 10, "not '60'"},
        {"one minute digit", [](Lines l) { l[9] = " Jan  9  4:5"; return Join(l); }, 10, "ends after column 12"},
        {"short line", [](Lines l) { l[9] = " Jan  9"; return Join(l); }, 10, "ends after column 7"},
        {"text after column 13", [](Lines l) { l[9] += " pm"; return Join(l); }, 10, "text after column 13: ' pm'"},
        {"a tab in column 8", [](Lines l) { l[9][7] = '\t'; return Join(l); }, 10, "column 8 must be a blank, not '\\x09'"},
    };
    const Lines good = GoodLines();
    ASSERT_EQ(good.size(), 367u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SunTableCheck check = CheckSunTable(c.make(good));
        EXPECT_EQ(check.Line, c.line) << check.Problem;
        if (c.line == 0) {
            EXPECT_TRUE(check.Ok()) << DescribeSunTableCheck(check);
        } else {
            EXPECT_FALSE(check.Ok());
            EXPECT_NE(check.Problem.find(c.problem), std::string::npos) << check.Problem;
        }
    }
    EXPECT_EQ(CheckSunTable(Join(good)).Name, "Haifa");
}

}  // namespace
}  // namespace tovel
