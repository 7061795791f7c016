#include "app/ini_file.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/file_writer.h"
#include "app/popup.h"
#include "app/settings_values.h"
#include "app/window_position.h"
#include "machine_support.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::Ymd;
using Pairs = std::vector<std::pair<std::string, std::string>>;

// The value of "Key" in [Tovel] by the profile rules, trimmed and cut to 49 characters.
TEST(IniFileTest, ReadsValuesByTheProfileRules) {
    const std::string a47(47, 'a'), a48(48, 'a'), in = "[Other]\r\nKey=x\r\n[Tovel]\r\nKey=";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"[tOVEL]\r\nKey=Hebrew\r\n", "Hebrew"},  // section case, CRLF
        {"[Tovel]\nkEY=MiXeD\n", "MiXeD"},  // key case, value case kept
        {"  [ \tTovel  ]  \r\n \t Key  =  some  value \t \r\n", "some  value"},  // blanks trimmed
        {";Key=x\n[Tovel]\n;Key=c\n  #Key=h\nKey=real\n", "real"},  // comment lines
        {"Key=loose\n[Tovel]\nA=1\n[Other]\nKey=other\n", "dflt"},  // only outside the section
        {"[Tovel2]\nKey=x\n[Tovel]\nKeys=x\nKe=y\n", "dflt"},  // names are not prefixes
        {"[Tovel]\nA=1\n[X]\nKey=x\n[tovel]\nKey=2\nKEY=3\n", "2"},  // twice: the first key wins
        {"[Tovel]\r\nKey=last\r", "last"},  // bare CR at the end
        {"[Other]\rKey=x\r[Tovel]\rA=1\rKey=cr\r", "cr"},  // CR-only line ends
        {"\xEF\xBB\xBF[Tovel]\r\nKey=v\r\n", "v"},  // byte order mark
        {in + a48 + "b\r\n", a48 + "b"},
        {in + a48 + "bc\r\n", a48 + "b"},
        {in + "  Hello   big  World  \r\n", "Hello   big  World"},
        {in + a47 + "a  zzzz\r\n", a47},  // cut on blanks: trimmed, then a real character cut
    };
    // clang-format on
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ReturnIniValue(text, "Key", "dflt"), value) << text;
    // A default takes the same path.
    EXPECT_EQ(ReturnIniValue(in, "Missing", a48 + "bc"), a48 + "b");
    EXPECT_EQ(ReturnIniValue(in, "Missing", a47 + "a  zzzz"), a47);
}

TEST(IniFileTest, WritingChangesOnlyItsOwnLines) {
    const std::string h =
        "Language=loose\r\n; settings\r\n[Other]\r\nLanguage=keep\r\n[Tovel]\r\n;Language=old\r\n"
        "Unknown = stays  \r\n";
    const std::string other = "\r\n; about Other\r\n[Other]\r\nB=2\r\n", a1 = "[Tovel]\r\nA=1\r\n";
    const std::string junk = std::string("\xEF\xBB\xBF[Tovel]\r\n\x01\xff junk\r\nA=", 23);
    const std::string x = "[X]\r\nB=x\r\n[TOVEL]\r\nB=";
    // In place, a new file, each line's end kept, appended before the next section's comment, CR
    // ends, the section twice (updated where the key is, appended to the first), garbage kept.
    // clang-format off
    const struct { std::string before; Pairs keyValues; std::string after; } cases[] = {
        {h + "  language = En \r\nT=1\r\n", {{"Language", "He"}}, h + "Language=He\r\nT=1\r\n"},
        {"", {{"L", "He"}, {"P", "a b"}, {"E", ""}}, "[Tovel]\r\nL=He\r\nP=a b\r\nE=\r\n"},
        {"[Tovel]\nA=1\r\nB=2\nC=3", {{"a", "x"}, {"c", "z"}}, "[Tovel]\na=x\r\nB=2\nc=z"},
        {a1 + other, {{"B", "new"}}, a1 + "B=new\r\n" + other},
        {"[Tovel]\rA=1\rB=2", {{"B", "3"}, {"C", "4"}}, "[Tovel]\rA=1\rB=3\rC=4\r"},
        {a1 + x + "2\r\n", {{"B", "3"}, {"C", "4"}}, a1 + "C=4\r\n" + x + "3\r\n"},
        {junk + std::string("1\r\n\0\0\r", 6), {{"A", "2"}}, junk + std::string("2\r\n\0\0\r", 6)},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(UpdateProfileText(c.before, "Tovel", c.keyValues), c.after) << c.before;
    // Names and values that could not be read back as written are refused.
    const std::string text = "[Tovel]\r\nA=old\r\n";
    EXPECT_FALSE(UpdateProfileText(text, "To]vel", {{"A", "1"}}));
    for (const std::string key : {"", "A=B", ";A", "[A", "A "})
        EXPECT_FALSE(UpdateProfileText(text, "Tovel", {{"B", "1"}, {key, "1"}})) << key;
    for (const std::string& value : {std::string("1\n[Other]"), std::string("1\0002", 3)})
        EXPECT_FALSE(UpdateProfileText(text, "Tovel", {{"A", value}}));
}

// The leading number of a value; whole ones round half to even in -32768..32767, or fall back.
TEST(SettingsValues, LeadingNumberAndToSettingInt) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::string nines(400, '9');
    // clang-format off
    const std::pair<std::string, double> numbers[] = {
        {"abc", 0}, {" \t-150 ", -150}, {"1.2.3", 1.2}, {"-.5", -0.5}, {"+7", 7}, {"--3", 0},
        {"1e5", 1}, {"0x1F", 0}, {"\n5", 0}, {nines, inf}, {"-" + nines + ".5", -inf},
    };
    const std::pair<std::string, int> ints[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.5001", 3}, {"32767.4", 32767}, {"32767.5", 1234},
        {"-32768.5", -32768}, {"-32768.6", 1234}, {nines, 1234},
    };
    // clang-format on
    for (const auto& [text, expected] : numbers)
        EXPECT_EQ(LeadingNumber(text), expected) << text.substr(0, 40);
    for (const auto& [text, expected] : ints)
        EXPECT_EQ(ToSettingInt(text, 1234), expected) << text.substr(0, 40);
}

// The keys: defaults, a hand-edited file, and a save that reads back the same.
TEST(SettingsTest, ReadAndSaveTheKeys) {
    const std::string edited =
        "[Tovel]\r\nFormTop=1500.6\r\nformleft = -75\r\nGregorian=1\r\nAddXJ= -150\r\nAddYJ=2.5\r\n"
        "AddXG=3.5\r\nAddYG=40000\r\nAddWeek=-2x\r\nCapitalizeDates=1\r\nActiveLocation=7\r\n"
        "ActiveLocationFile = " +
        std::string(60, 'x') + ".sun \r\n";
    // clang-format off
    const Pairs fresh = {{"FormTop", "300"}, {"FormLeft", "300"}, {"Gregorian", "0"},
        {"AddXJ", "-100"}, {"AddYJ", "20"}, {"AddXG", "0"}, {"AddYG", "0"}, {"AddWeek", "0"},
        {"CapitalizeDates", "0"}, {"ActiveLocation", "0"}, {"ActiveLocationFile", ""}};
    // Saved from `edited` at FormTop 1515 with location 3 chosen.
    const Pairs expected = {{"FormTop", "1515"}, {"FormLeft", "-75"}, {"Gregorian", "1"},
        {"AddXJ", "-150"}, {"AddYJ", "2"}, {"AddXG", "4"}, {"AddYG", "0"}, {"AddWeek", "-2"},
        {"CapitalizeDates", "1"}, {"ActiveLocation", "3"},
        {"ActiveLocationFile", std::string(60, 'x') + ".sun"}};
    // clang-format on
    CalendarState s;
    WindowPlace place = ReadSettings("", s);
    EXPECT_EQ(SettingsToSave(s, place), fresh);
    place = ReadSettings(edited, s);
    EXPECT_FLOAT_EQ(place.Top, 1500.6f);
    EXPECT_EQ(s.ActiveLocation, 7);
    s.ActiveLocation = 3;
    const Pairs saved = SettingsToSave(s, {1515, place.Left});
    EXPECT_EQ(saved, expected);
    CalendarState again;
    place = ReadSettings(*UpdateProfileText(edited, kProfileSection, saved), again);
    EXPECT_EQ(SettingsToSave(again, place), saved);
    s.PopupMode = true;  // a pop-up run leaves the view setting alone
    for (const auto& [key, value] : SettingsToSave(s, {})) EXPECT_NE(key, "Gregorian");
    for (const std::string& name :
         {std::string("a\nb.sun"), std::string(" a.sun"), std::string(256, 'x')}) {
        s.ActiveLocationFile = name;
        EXPECT_EQ(SettingsToSave(s, {}).back().second, "");
    }
}

TEST(WindowPositionTest, SavedPositionOrDefault) {
    // Two screens side by side, or none known (the saved position stands); the window is 336 x 386
    // pixels.
    const std::vector<PixelRect> two = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}}, none;
    // clang-format off
    const struct { const char* name; double top, left; int x, y; bool screens = true; } cases[] = {
        {"on the second screen", 3000, 30000, 2000, 200},
        {"rounded to the nearest pixel", 307, 292, 19, 20},
        {"rounded up to the nearest pixel", 308, 308, 21, 21},
        {"one pixel on screen", -5775, -5025, -335, -385},
        {"just off the left edge", 300, -5040, 20, 20},
        {"just off the top", -5790, 300, 20, 20},
        {"below the first screen only", 12000, 300, 20, 20},
        {"below the second screen", 15360, 16000, 20, 20},
        {"right of both screens", 300, 34560, 20, 20},
        {"not a number", 300, std::nan(""), 20, 20},
        {"no screens known", -9000, 90000, 6000, -600, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        const PixelPoint p = WindowCorner(c.top, c.left, 336, 386, c.screens ? two : none);
        EXPECT_EQ(std::pair(p.X, p.Y), std::pair(c.x, c.y)) << c.name;
    }
}

// Quiet unless today is a holiday with an active location, or the year table is damaged or short.
TEST(PopupTest, SpeaksOnlyOnAHolidayWithALocation) {
    const Date kippur = Ymd(1999, 9, 20), ordinary = Ymd(1999, 9, 21);
    test::TempFolder folder;
    std::filesystem::copy_file(test::ShippedTable(), folder.Path() + "/RHDates.Tvl");
    const std::string y59 = "5759 21-Sep-1998\r\n5760 11-Sep-1999\r\n";
    const std::string y62 = "5762 18-Sep-2001\r\n";
    // clang-format off
    const struct { const char *why, *file; std::string text; Date today; bool window; } steps[] = {
        {"no location yet", "", "", kippur, false},
        {"none active", "town.sun", "Town\r\n Sep 20  6:55\r\n", kippur, false},
        {"a holiday", "Tovel.ini", "[Tovel]\r\nActiveLocation=1\r\n", kippur, true},
        {"an ordinary day", "", "", ordinary, false},
        {"only one table", "Tovel.ini", "[Tovel]\r\nActiveLocation=2\r\n", kippur, false},
        {"as profiles read", "Tovel.ini", "[tovel]\r\n activeLocation = 1.4 \r\n", kippur, true},
        {"outside the table", "", "", Ymd(3000, 1, 1), true},
        {"Unknown year type", "RHDates.Tvl", y59 + "5761 01-Oct-2000\r\n" + y62, ordinary, true},
        {"damaged", "RHDates.Tvl", y59 + y62, ordinary, true},
    };
    // clang-format on
    const std::string path = folder.Path();
    for (const auto& step : steps) {
        if (*step.file) folder.Write(step.file, step.text);
        const bool window =
            DecidePopup(ProgramFilesFor(path), step.today) == PopupOutcome::NeedsWindow;
        EXPECT_EQ(window, step.window) << step.why;
    }
}

// A save killed after each step leaves the old text, the new, or (in place) the one followed by
// the other's tail; a full disk (a size limit) leaves the old text. The in-place save runs where no
// file can be made beside: in a read-only folder, as `nobody` for root.
TEST(FileWriterTest, KillsAndFullDisksLoseNothing) {
    if (::geteuid() == 0)
        if (const auto why = test::WhyNoSecondUser(); !why.empty()) GTEST_SKIP() << why;
    const std::string small = "[Tovel]\r\nA=1\r\n",
                      big = "[Tovel]\r\nA=22\r\n" + std::string(300, ';');
    for (int run = 0; run < 32; ++run) {
        const bool inPlace = run & 16, growing = run & 8, root = ::geteuid() == 0;
        const int stop = run % 8;
        SCOPED_TRACE(testing::Message() << "in place, growing, stop: " << run / 8 << ", " << stop);
        const std::string &old = growing ? small : big, &now = growing ? big : small;
        const test::TempFolder folder;
        const std::string path = folder.Write("Tovel.ini", old);
        if (inPlace) {
            ASSERT_TRUE(!root || ::chown(path.c_str(), 65534, 65534) == 0);
            ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
        }
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (inPlace && root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
            const rlimit limit{200, 200};  // stop 0: between the two lengths
            if (stop == 0) ::signal(SIGXFSZ, SIG_IGN), ::setrlimit(RLIMIT_FSIZE, &limit);
            const auto kill = [stop](int step) {
                if (step == stop) ::raise(SIGKILL);
            };
            ::_exit(ReplaceFile(path, now, {.AfterStep = kill}).Ok() ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        std::string after;
        ReadDataFile(path, after);
        const std::string mixed =
            growing ? old + now.substr(old.size()) : now + old.substr(now.size());
        if (stop == 0) {  // only the longer text reaches the limit
            EXPECT_EQ(WEXITSTATUS(status), growing ? 1 : 0);
            EXPECT_EQ(after, growing ? old : now);
        } else if (!WIFSIGNALED(status)) {
            EXPECT_EQ(after, now);  // past the last step
        } else {
            EXPECT_TRUE(after == old || after == now || (inPlace && after == mixed)) << after;
        }
        ::chmod(folder.Path().c_str(), 0755);
    }
}

}  // namespace
}  // namespace tovel
