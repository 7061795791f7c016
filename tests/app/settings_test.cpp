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
#include "test_support.h"

namespace tovel {
namespace {

using test::Ymd;
using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(IniFileTest, ReadsValuesByTheProfileRules) {
    const struct { const char* what; std::string content; const char* key; const char* value; } cases[] = {
        {"section case, CRLF", "[tOVEL]\r\nLanguage=Hebrew\r\n", "Language", "Hebrew"},
        {"key case, value case kept", "[Tovel]\nlanguage=MiXeD\n", "LANGUAGE", "MiXeD"},
        {"blanks trimmed", "  [ \tTovel  ]  \r\n \t Key  =  some  value \t \r\n", "Key", "some  value"},
        {"comment lines", ";Key=x\n[Tovel]\n;Key=c\n  #Key=h\nKey=real\n", "Key", "real"},
        {"key only outside the section", "Key=loose\n[Tovel]\nA=1\n[Other]\nKey=other\n", "Key", "dflt"},
        {"names are not prefixes", "[Tovel2]\nKey=x\n[Tovel]\nKeys=x\nKe=y\n", "Key", "dflt"},
        {"section twice, first key wins", "[Tovel]\nA=1\n[X]\nKey=x\n[tovel]\nKey=2\nKEY=3\n", "Key", "2"},
        {"bare CR at the end", "[Tovel]\r\nKey=last\r", "Key", "last"},
        {"CR-only line ends", "[Other]\rKey=x\r[Tovel]\rA=1\rKey=cr\r", "Key", "cr"},
        {"byte order mark", "\xEF\xBB\xBF[Tovel]\r\nKey=v\r\n", "Key", "v"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetProfileString(c.content, "Tovel", c.key, "dflt", 256), c.value) << c.what;
    EXPECT_EQ(GetProfileString("", "Tovel", "Key", "  d f \t", 51), "  d f");
}

TEST(IniFileTest, ReturnIniValueKeepsAt49Characters) {
    const std::string a48(48, 'a');
    const Pairs cases = {  // stored value, result
        {a48 + "b", a48 + "b"}, {a48 + "bc", a48 + "b"}, {"  Hello   big  World  ", "Hello   big  World"},
        // The cut lands on blanks: trimming and dropping the last character cost a real one.
        {std::string(47, 'a') + "a  zzzz", std::string(47, 'a')},
    };
    for (const auto& [stored, expected] : cases) {
        const std::string text = "[Other]\r\nName=wrong\r\n[Tovel]\r\nName=" + stored + "\r\n";
        EXPECT_EQ(ReturnIniValue(text, "name", "dflt"), expected) << stored;
        EXPECT_EQ(ReturnIniValue(text, "Missing", stored), expected) << stored;  // the default takes the same path
    }
}

TEST(IniFileTest, WritingChangesOnlyItsOwnLines) {
    const std::string head = "Language=loose\r\n; settings\r\n[Other]\r\nLanguage=keep\r\n[Tovel]\r\n;Language=old\r\n"
                             "Unknown = stays  \r\n";
    const struct { const char* what; std::string before; Pairs keyValues; std::string after; } cases[] = {
        {"update in place", head + "  language = English \r\nTop=1\r\n", {{"Language", "Hebrew"}},
         head + "Language=Hebrew\r\nTop=1\r\n"},
        {"a new file", "", {{"Language", "Hebrew"}, {"Place", "two words"}, {"Empty", ""}},
         "[Tovel]\r\nLanguage=Hebrew\r\nPlace=two words\r\nEmpty=\r\n"},
        {"each line keeps its own end", "[Tovel]\nA=1\r\nB=2\nC=3", {{"a", "x"}, {"B", "y"}, {"c", "z"}},
         "[Tovel]\na=x\r\nB=y\nc=z"},
        {"append before the comment of the next section", "[Tovel]\r\nA=1\r\n\r\n; about Other\r\n[Other]\r\nB=2\r\n",
         {{"B", "new"}}, "[Tovel]\r\nA=1\r\nB=new\r\n\r\n; about Other\r\n[Other]\r\nB=2\r\n"},
        {"CR-only line ends kept", "[Tovel]\rA=1\rB=2", {{"B", "3"}, {"C", "4"}}, "[Tovel]\rA=1\rB=3\rC=4\r"},
        {"section twice: update where the key is, append to the first",
         "[Tovel]\r\nA=1\r\n[X]\r\nB=x\r\n[TOVEL]\r\nB=2\r\n", {{"B", "3"}, {"C", "4"}},
         "[Tovel]\r\nA=1\r\nC=4\r\n[X]\r\nB=x\r\n[TOVEL]\r\nB=3\r\n"},
        {"garbage lines survive", std::string("\xEF\xBB\xBF[Tovel]\r\n\x01\xff junk\r\nA=1\r\n\0\0\r\n", 29),
         {{"A", "2"}}, std::string("\xEF\xBB\xBF[Tovel]\r\n\x01\xff junk\r\nA=2\r\n\0\0\r\n", 29)},
    };
    for (const auto& c : cases) EXPECT_EQ(UpdateProfileText(c.before, "Tovel", c.keyValues), c.after) << c.what;
    // Names and values that could not be read back as written are refused.
    const std::string text = "[Tovel]\r\nA=old\r\n";
    EXPECT_FALSE(UpdateProfileText(text, "To]vel", {{"A", "1"}}));
    for (const std::string key : {"", "A=B", ";A", "[A", "A "})
        EXPECT_FALSE(UpdateProfileText(text, "Tovel", {{"B", "1"}, {key, "1"}})) << key;
    for (const std::string& value : {std::string("1\n[Other]"), std::string("1\0002", 3)})
        EXPECT_FALSE(UpdateProfileText(text, "Tovel", {{"A", value}}));
}

// The leading number of a value; whole numbers round half to even within -32768..32767, or fall back (1234).
TEST(SettingsValues, LeadingNumberAndToSettingInt) {
    const std::pair<std::string, double> numbers[] = {
        {"abc", 0}, {" \t-150 ", -150}, {"1.2.3", 1.2}, {"-.5", -0.5}, {"+7", 7}, {"--3", 0}, {"1e5", 1}, {"0x1F", 0},
        {"\n5", 0}, {std::string(400, '9'), std::numeric_limits<double>::infinity()},
        {"-" + std::string(400, '9') + ".5", -std::numeric_limits<double>::infinity()},
    };
    for (const auto& [text, expected] : numbers) EXPECT_EQ(LeadingNumber(text), expected) << text.substr(0, 40);
    const std::pair<std::string, int> ints[] = {
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.5001", 3}, {"32767.4", 32767}, {"32767.5", 1234},
        {"-32768.5", -32768}, {"-32768.6", 1234}, {std::string(500, '9'), 1234},
    };
    for (const auto& [text, expected] : ints) EXPECT_EQ(ToSettingInt(text, 1234), expected) << text.substr(0, 40);
}

// The keys: defaults, a hand-edited file, and a save that reads back the same.
TEST(SettingsTest, ReadAndSaveTheKeys) {
    CalendarState s;
    WindowPlace place = ReadSettings("", s);
    EXPECT_EQ(SettingsToSave(s, place),
              (Pairs{{"FormTop", "300"}, {"FormLeft", "300"}, {"Gregorian", "0"}, {"AddXJ", "-100"}, {"AddYJ", "20"},
                     {"AddXG", "0"}, {"AddYG", "0"}, {"AddWeek", "0"}, {"CapitalizeDates", "0"},
                     {"ActiveLocation", "0"}, {"ActiveLocationFile", ""}}));
    const std::string edited =
        "[Tovel]\r\nFormTop=1500.6\r\nformleft = -75\r\nGregorian=1\r\nAddXJ= -150\r\nAddYJ=2.5\r\n"
        "AddXG=3.5\r\nAddYG=40000\r\nAddWeek=-2x\r\nCapitalizeDates=1\r\nActiveLocation=7\r\n"
        "ActiveLocationFile = " + std::string(60, 'x') + ".sun \r\n";
    place = ReadSettings(edited, s);
    EXPECT_FLOAT_EQ(place.Top, 1500.6f);
    EXPECT_EQ(s.ActiveLocation, 7);
    s.ActiveLocation = 3;
    const Pairs saved = SettingsToSave(s, {1515, place.Left});
    EXPECT_EQ(saved, (Pairs{{"FormTop", "1515"}, {"FormLeft", "-75"}, {"Gregorian", "1"}, {"AddXJ", "-150"},
                            {"AddYJ", "2"}, {"AddXG", "4"}, {"AddYG", "0"}, {"AddWeek", "-2"},
                            {"CapitalizeDates", "1"}, {"ActiveLocation", "3"},
                            {"ActiveLocationFile", std::string(60, 'x') + ".sun"}}));
    CalendarState again;
    place = ReadSettings(*UpdateProfileText(edited, kProfileSection, saved), again);
    EXPECT_EQ(SettingsToSave(again, place), saved);
    s.PopupMode = true;  // a pop-up run leaves the view setting alone
    for (const auto& [key, value] : SettingsToSave(s, {})) EXPECT_NE(key, "Gregorian");
    for (const std::string& name : {std::string("a\nb.sun"), std::string(" a.sun"), std::string(256, 'x')}) {
        s.ActiveLocationFile = name;
        EXPECT_EQ(SettingsToSave(s, {}).back().second, "");
    }
}

TEST(WindowPositionTest, SavedPositionOrDefault) {
    // Two screens side by side; the window is 336 x 386 pixels.
    const std::vector<PixelRect> screens = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
    const struct { const char* name; double top, left; int x, y; } cases[] = {
        {"on the second screen", 3000, 30000, 2000, 200},     {"rounded to the nearest pixel", 307, 292, 19, 20},
        {"rounded up to the nearest pixel", 308, 308, 21, 21}, {"one pixel on screen", -5775, -5025, -335, -385},
        {"just off the left edge", 300, -5040, 20, 20},       {"just off the top", -5790, 300, 20, 20},
        {"below the first screen only", 12000, 300, 20, 20},  {"below the second screen", 15360, 16000, 20, 20},
        {"right of both screens", 300, 34560, 20, 20},        {"not a number", 300, std::nan(""), 20, 20},
    };
    for (const auto& c : cases) {
        const PixelPoint p = WindowCorner(c.top, c.left, 336, 386, screens);
        EXPECT_EQ(std::tie(p.X, p.Y), std::tie(c.x, c.y)) << c.name;
    }
    const PixelPoint p = WindowCorner(-9000, 90000, 336, 386, {});  // no screens known: the saved position stands
    EXPECT_EQ(std::tie(p.X, p.Y), std::tuple(6000, -600));
}

// Quiet unless today is a holiday with an active location, or the year table is missing, damaged or short.
TEST(PopupTest, SpeaksOnlyOnAHolidayWithALocation) {
    const Date yomKippur = Ymd(1999, 9, 20), ordinary = Ymd(1999, 9, 21);
    test::TempFolder folder;
    std::filesystem::copy_file(test::ShippedTable(), folder.Path() + "/RHDates.Tvl");
    const struct { const char* why; const char* file; const char* content; Date today; bool window; } steps[] = {
        {"no location yet", "", "", yomKippur, false},
        {"none active", "town.sun", "Town\r\n Sep 20  6:55\r\n", yomKippur, false},
        {"a holiday", "Tovel.ini", "[Tovel]\r\nActiveLocation=1\r\n", yomKippur, true},
        {"an ordinary day", "", "", ordinary, false},
        {"only one table", "Tovel.ini", "[Tovel]\r\nActiveLocation=2\r\n", yomKippur, false},
        {"as the profile reads", "Tovel.ini", "[tovel]\r\n activelocation = 1.4 \r\n", yomKippur, true},
        {"outside the table", "", "", Ymd(3000, 1, 1), true},
        {"Unknown year type", "RHDates.Tvl",
         "5759 21-Sep-1998\r\n5760 11-Sep-1999\r\n5761 01-Oct-2000\r\n5762 18-Sep-2001\r\n", ordinary, true},
        {"damaged", "RHDates.Tvl", "5759 21-Sep-1998\r\n5760 11-Sep-1999\r\n5762 18-Sep-2001\r\n", ordinary, true},
    };
    for (const auto& step : steps) {
        if (*step.file) folder.Write(step.file, step.content);
        EXPECT_EQ(DecidePopup(folder.Path(), ProgramFilesFor(folder.Path()), step.today), step.window ? PopupOutcome::NeedsWindow : PopupOutcome::Quiet)
            << step.why;
    }
    std::filesystem::remove(folder.Path() + "/RHDates.Tvl");
    EXPECT_EQ(DecidePopup(folder.Path(), ProgramFilesFor(folder.Path()), ordinary), PopupOutcome::NeedsWindow);  // missing
}

// A save killed after each step of either sequence leaves the old text, the
// new, or (in place) the one followed by the other's tail; a full disk (a file
// size limit) leaves the old text byte for byte. The in-place save runs where
// no file can be made beside: a read-only folder, and as `nobody` for root.
TEST(FileWriterTest, KillsAndFullDisksLoseNothing) {
    const std::string shortText = "[Tovel]\r\nA=1\r\n", longText = "[Tovel]\r\nA=22\r\n" + std::string(300, ';');
    for (const bool inPlace : {false, true})
        for (const bool growing : {false, true})
            for (int stop = 0; stop <= 7; ++stop) {
                const std::string& old = growing ? shortText : longText;
                const std::string& now = growing ? longText : shortText;
                SCOPED_TRACE(testing::Message() << "in place " << inPlace << ", growing " << growing << ", stop " << stop);
                const test::TempFolder folder;
                const std::string path = folder.Write("Tovel.ini", old);
                const bool root = ::geteuid() == 0;
                if (inPlace) {
                    ASSERT_TRUE(!root || ::chown(path.c_str(), 65534, 65534) == 0);
                    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
                }
                const pid_t pid = ::fork();
                if (pid == 0) {
                    if (inPlace && root && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
                    const rlimit limit{200, 200};  // stop 0: between the two lengths
                    if (stop == 0) ::signal(SIGXFSZ, SIG_IGN), ::setrlimit(RLIMIT_FSIZE, &limit);
                    const FileWriteOptions options{.AfterStep = [stop](int step) { if (step == stop) ::raise(SIGKILL); }};
                    ::_exit(ReplaceFile(path, now, options).Ok() ? 0 : 1);
                }
                int status = 0;
                ::waitpid(pid, &status, 0);
                std::string after;
                ReadDataFile(path, after);
                if (stop == 0) {
                    EXPECT_EQ(WEXITSTATUS(status), growing ? 1 : 0);  // only the longer text reaches the limit
                    EXPECT_EQ(after, growing ? old : now);
                } else if (!WIFSIGNALED(status)) {
                    EXPECT_EQ(after, now);  // past the last step
                } else {
                    const std::string mixed = growing ? old + now.substr(old.size()) : now + old.substr(now.size());
                    EXPECT_TRUE(after == old || after == now || (inPlace && after == mixed)) << after;
                }
                ::chmod(folder.Path().c_str(), 0755);
            }
}

}  // namespace
}  // namespace tovel
