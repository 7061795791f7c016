#include "app/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using tovel::GetProfileString;
using tovel::ReturnIniValue;
using tovel::WriteProfileStrings;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tovel-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Put(const std::string& name, const std::string& bytes) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        return path;
    }
    static std::string Slurp(const std::string& path) {
        std::ostringstream ss;
        ss << std::ifstream(path, std::ios::binary).rdbuf();
        return ss.str();
    }
    // Every entry of the test folder, hidden temporary files included.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
};

TEST_F(IniFileTest, ReadsValuesByTheProfileRules) {
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
        const std::string path = Put("read.ini", c.content);
        EXPECT_EQ(GetProfileString(c.section, c.key, "dflt", 256, path), c.expected);
    }
    fs::create_directory(dir_ / "folder");
    for (const std::string& path : {(dir_ / "missing.ini").string(), (dir_ / "folder").string()})
        EXPECT_EQ(GetProfileString("Tovel", "Key", "  d f \t", 51, path), "  d f") << path;
}

TEST_F(IniFileTest, ReturnIniValueKeepsAt49Characters) {
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
        const std::string path = Put("tovel.ini", "[Other]\r\nName=wrong\r\n[Tovel]\r\nName=" + stored + "\r\n");
        EXPECT_EQ(ReturnIniValue(path, "name", "dflt"), expected);
        EXPECT_EQ(ReturnIniValue(path, "Missing", stored), expected);  // the default takes the same path
    }
}

TEST_F(IniFileTest, AnyFileContentIsReadSafely) {
    std::mt19937 rng(20240611);
    const std::string parserBytes("[]=;#\r\n\t \0Tovelkey", 19);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(rng() % 3000, '\0');
        for (char& b : bytes)
            b = (rng() % 2) ? parserBytes[rng() % parserBytes.size()] : static_cast<char>(rng() % 256);
        const std::string path = Put("garbage.ini", bytes);
        const std::string got = GetProfileString("Tovel", "key", "dflt", 51, path);
        EXPECT_LE(got.size(), 50u);
        EXPECT_EQ(got.find('\0'), std::string::npos);
        EXPECT_LE(ReturnIniValue(path, "Key", "dflt").size(), 49u);
    }
}

TEST_F(IniFileTest, WritingCreatesANewFile) {
    const std::string path = (dir_ / "new.ini").string();
    ASSERT_TRUE(WriteProfileStrings(path, "Tovel", {{"Language", "Hebrew"}, {"Place", "two words"}, {"Empty", ""}}));
    EXPECT_EQ(Slurp(path), "[Tovel]\r\nLanguage=Hebrew\r\nPlace=two words\r\nEmpty=\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"new.ini"});
}

TEST_F(IniFileTest, WritingChangesOnlyItsOwnLines) {
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
        const std::string path = Put("edit.ini", c.before);
        ASSERT_TRUE(WriteProfileStrings(path, "Tovel", c.keyValues));
        EXPECT_EQ(Slurp(path), c.after);
        EXPECT_EQ(Entries(), std::vector<std::string>{"edit.ini"});
    }
}

TEST_F(IniFileTest, UnreadableNamesAndValuesAreRefused) {
    const std::string path = Put("keep.ini", "[Tovel]\r\nA=old\r\n");
    EXPECT_FALSE(WriteProfileStrings(path, "To]vel", {{"A", "1"}}));
    for (const std::string key : {"", "A=B", ";A", "[A", "A "})
        EXPECT_FALSE(WriteProfileStrings(path, "Tovel", {{"B", "1"}, {key, "1"}})) << key;
    for (const std::string& value : {std::string("1\n[Other]"), std::string("1\0002", 3)})
        EXPECT_FALSE(WriteProfileStrings(path, "Tovel", {{"A", value}}));
    EXPECT_EQ(Slurp(path), "[Tovel]\r\nA=old\r\n");
}

TEST_F(IniFileTest, FailedWritesLeaveNothingBehind) {
    fs::create_directory(dir_ / "folder");
    const std::string inside = Put("folder/inside.ini", "[Tovel]\r\n");
    const std::vector<std::string> before = Entries();
    for (const fs::path& path : {dir_ / "no-such-folder" / "x.ini", dir_ / "folder"}) {
        EXPECT_FALSE(WriteProfileStrings(path.string(), "Tovel", {{"A", "1"}})) << path;
        EXPECT_EQ(Entries(), before);
    }
    EXPECT_EQ(Slurp(inside), "[Tovel]\r\n");
}

TEST_F(IniFileTest, FailureWhileWritingTheNewFileKeepsTheOld) {
    // A file size limit makes the write of the replacement fail part way, even for root.
    const std::string before = "[Tovel]\r\nA=1\r\n";
    const std::string path = Put("limited.ini", before);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = WriteProfileStrings(path, "Tovel", {{"A", std::string(8000, 'x')}});
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(Slurp(path), before);
    EXPECT_EQ(Entries(), std::vector<std::string>{"limited.ini"});
}

}  // namespace
