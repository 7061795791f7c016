#include "app/ini_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings.h"

namespace tovel {
namespace {

TEST(IniFileTest, ReadsValuesByTheProfileRules) {
    struct Case {
        const char* what;
        std::string content;
        const char* section;
        const char* key;
        const char* expected;  // "dflt" is the default
    };
    const std::vector<Case> cases = {
        {"section case, CRLF", "[tOVEL]\r\nLanguage=Hebrew\r\n", "TOVEL", "Language", "Hebrew"},
        {"key case, value case kept", "[Tovel]\nlanguage=MiXeD\n", "Tovel", "LANGUAGE", "MiXeD"},
        {"blanks trimmed", "  [ \tTovel  ]  \r\n \t Key  =  some  value \t \r\n", "Tovel", "Key", "some  value"},
        {"comment lines", ";Key=x\n[Tovel]\n;Key=c\n  #Key=h\nKey=real\n", "Tovel", "Key", "real"},
        {"other section first", "[Other]\nKey=other\n[Tovel]\nKey=mine\n", "Tovel", "Key", "mine"},
        {"key only outside the section", "Key=loose\n[Tovel]\nA=1\n[Other]\nKey=other\n", "Tovel", "Key", "dflt"},
        {"names are not prefixes", "[Tovel2]\nKey=x\n[Tovel]\nKeys=x\nKe=y\n", "Tovel", "Key", "dflt"},
        {"section twice, first key wins", "[Tovel]\nA=1\n[X]\nKey=x\n[tovel]\nKey=2\nKEY=3\n", "Tovel", "Key", "2"},
        {"bare CR at the end", "[Tovel]\r\nKey=last\r", "Tovel", "Key", "last"},
        {"byte order mark", "\xEF\xBB\xBF[Tovel]\r\nKey=v\r\n", "Tovel", "Key", "v"},
        {"missing section", "[Other]\nKey=v\n", "Tovel", "Key", "dflt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GetProfileString(c.content, c.section, c.key, "dflt", 256), c.expected);
    }
    EXPECT_EQ(GetProfileString("", "Tovel", "Key", "  d f \t", 51), "  d f");
}

TEST(IniFileTest, ReturnIniValueKeepsAt49Characters) {
    const std::string a48(48, 'a');
    const std::vector<std::pair<std::string, std::string>> cases = {  // stored value, result
        {a48, a48},
        {a48 + "b", a48 + "b"},
        {a48 + "bc", a48 + "b"},
        {a48 + "bc" + std::string(10, 'd'), a48 + "b"},
        {"  Hello   big  World  ", "Hello   big  World"},
        {"x" + std::string(47, ' ') + "y", "x" + std::string(47, ' ') + "y"},
        // The cut lands on blanks: trimming and dropping the last character cost a real one.
        {std::string(47, 'a') + "a  zzzz", std::string(47, 'a')},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        const std::string text = "[Other]\r\nName=wrong\r\n[Tovel]\r\nName=" + stored + "\r\n";
        EXPECT_EQ(ReturnIniValue(text, "name", "dflt"), expected);
        EXPECT_EQ(ReturnIniValue(text, "Missing", stored), expected);  // the default takes the same path
    }
}

TEST(IniFileTest, WritingChangesOnlyItsOwnLines) {
    struct Case {
        const char* what;
        std::string before;
        std::vector<std::pair<std::string, std::string>> keyValues;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"update in place",
         "Language=loose\r\n; settings\r\n[Other]\r\nLanguage=keep\r\n[Tovel]\r\n;Language=old\r\n"
         "Unknown = stays  \r\n  language = English \r\nTop=1\r\n",
         {{"Language", "Hebrew"}},
         "Language=loose\r\n; settings\r\n[Other]\r\nLanguage=keep\r\n[Tovel]\r\n;Language=old\r\n"
         "Unknown = stays  \r\nLanguage=Hebrew\r\nTop=1\r\n"},
        {"a new file", "", {{"Language", "Hebrew"}, {"Place", "two words"}, {"Empty", ""}},
         "[Tovel]\r\nLanguage=Hebrew\r\nPlace=two words\r\nEmpty=\r\n"},
        {"each line keeps its own end", "[Tovel]\nA=1\r\nB=2\nC=3", {{"a", "x"}, {"B", "y"}, {"c", "z"}},
         "[Tovel]\na=x\r\nB=y\nc=z"},
        {"append before the comment of the next section", "[Tovel]\r\nA=1\r\n\r\n; about Other\r\n[Other]\r\nB=2\r\n",
         {{"B", "new"}}, "[Tovel]\r\nA=1\r\nB=new\r\n\r\n; about Other\r\n[Other]\r\nB=2\r\n"},
        {"LF file stays LF", "[Tovel]\nA=1\n[Other]\nX=1\n", {{"B", "2"}}, "[Tovel]\nA=1\nB=2\n[Other]\nX=1\n"},
        {"new section after a last line without newline", "[Other]\nX=1", {{"A", "1"}, {"B", "2"}},
         "[Other]\nX=1\n[Tovel]\nA=1\nB=2\n"},
        {"section twice: update where the key is, append to the first",
         "[Tovel]\r\nA=1\r\n[X]\r\nB=x\r\n[TOVEL]\r\nB=2\r\n", {{"B", "3"}, {"C", "4"}},
         "[Tovel]\r\nA=1\r\nC=4\r\n[X]\r\nB=x\r\n[TOVEL]\r\nB=3\r\n"},
        {"garbage lines survive", std::string("\xEF\xBB\xBF[Tovel]\r\n\x01\xff junk\r\nA=1\r\n\0\0\r\n", 29),
         {{"A", "2"}}, std::string("\xEF\xBB\xBF[Tovel]\r\n\x01\xff junk\r\nA=2\r\n\0\0\r\n", 29)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(UpdateProfileText(c.before, "Tovel", c.keyValues), c.after);
    }
}

TEST(IniFileTest, UnreadableNamesAndValuesAreRefused) {
    const std::string text = "[Tovel]\r\nA=old\r\n";
    EXPECT_FALSE(UpdateProfileText(text, "To]vel", {{"A", "1"}}));
    for (const std::string key : {"", "A=B", ";A", "[A", "A "})
        EXPECT_FALSE(UpdateProfileText(text, "Tovel", {{"B", "1"}, {key, "1"}})) << key;
    for (const std::string& value : {std::string("1\n[Other]"), std::string("1\0002", 3)})
        EXPECT_FALSE(UpdateProfileText(text, "Tovel", {{"A", value}}));
}

// The ten keys: defaults for an empty file, the values of a hand-edited one,
// and a save that reads back as the same values.
TEST(SettingsTest, ReadAndSaveTheTenKeys) {
    CalendarState s;
    WindowPlace place = ReadSettings("", s);
    EXPECT_EQ(place.Top, 300);
    EXPECT_EQ(place.Left, 300);
    EXPECT_EQ(s.AddXJ, -100);
    EXPECT_EQ(s.AddYJ, 20);
    for (const std::int16_t v : {s.AddXG, s.AddYG, s.AddWeek, s.CapitalizeDates, s.ActiveLocation, s.GregView})
        EXPECT_EQ(v, 0);

    const std::string edited =
        "[Tovel]\r\nFormTop=1500.6\r\nformleft = -75\r\nGregorian=1\r\nAddXJ= -150\r\nAddYJ=2.5\r\n"
        "AddXG=3.5\r\nAddYG=40000\r\nAddWeek=-2x\r\nCapitalizeDates=1\r\nActiveLocation=7\r\n";
    place = ReadSettings(edited, s);
    EXPECT_FLOAT_EQ(place.Top, 1500.6f);
    EXPECT_EQ(place.Left, -75);
    const std::vector<int> read = {s.GregView, s.AddXJ, s.AddYJ,           s.AddXG,
                                   s.AddYG,    s.AddWeek, s.CapitalizeDates, s.ActiveLocation};
    EXPECT_EQ(read, (std::vector<int>{1, -150, 2, 4, 0, -2, 1, 7}));

    const auto saved = SettingsToSave(s, {1515, -75}, 3);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"FormTop", "1515"}, {"FormLeft", "-75"}, {"Gregorian", "1"},      {"AddXJ", "-150"},
        {"AddYJ", "2"},      {"AddXG", "4"},      {"AddYG", "0"},           {"AddWeek", "-2"},
        {"CapitalizeDates", "1"}, {"ActiveLocation", "3"}};
    EXPECT_EQ(saved, expected);
    CalendarState again;
    const WindowPlace back = ReadSettings(*UpdateProfileText(edited, kProfileSection, saved), again);
    EXPECT_EQ(back.Top, 1515);
    EXPECT_EQ(again.ActiveLocation, 3);
    EXPECT_EQ(again.AddXG, 4);
    // A pop-up run leaves the view setting alone.
    s.PopupMode = true;
    for (const auto& [key, value] : SettingsToSave(s, {}, 0)) EXPECT_NE(key, "Gregorian");
}

}  // namespace
}  // namespace tovel
