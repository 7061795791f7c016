#include "app/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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
using KeyValues = std::vector<std::pair<std::string, std::string>>;

namespace {

// Random bytes, half of them drawn from the ones the parser looks at.
std::string RandomBytes(std::mt19937& rng, std::size_t maxSize) {
    const std::string parserBytes = std::string("[]=;#\r\n\t \0Tovelkey", 19);
    std::string bytes(rng() % maxSize, '\0');
    for (char& b : bytes)
        b = (rng() % 2) ? parserBytes[rng() % parserBytes.size()] : static_cast<char>(rng() % 256);
    return bytes;
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tovel-ini-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Put(const std::string& name, const std::string& bytes) const {
        const std::string path = PathOf(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    // Every entry of the test folder, hidden ones included.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir_;
};

// ---- reading -----------------------------------------------------------------

struct ReadCase {
    const char* what;
    std::string content;
    const char* section;
    const char* key;
    const char* fallback;
    const char* expected;
};

TEST_F(IniFileTest, ReadsValuesByTheProfileRules) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<ReadCase> cases = {
        {"exact names", "[Tovel]\r\nLanguage=Hebrew\r\n", "Tovel", "Language", "-", "Hebrew"},
        {"section case", "[Tovel]\r\nLanguage=Hebrew\r\n", "TOVEL", "Language", "-", "Hebrew"},
        {"key case", "[tOVEL]\r\nlanguage=Hebrew\r\n", "Tovel", "LANGUAGE", "-", "Hebrew"},
        {"value case kept", "[Tovel]\nKey=MiXeD\n", "Tovel", "key", "-", "MiXeD"},
        {"blanks around everything", "  [  Tovel  ]  \r\n   Key  =   some value   \r\n", "Tovel", "Key",
         "-", "some value"},
        {"tabs are blanks", "\t[\tTovel\t]\n\tKey\t=\tv\t\n", "Tovel", "Key", "-", "v"},
        {"inner blanks kept", "[Tovel]\nKey=a   b\n", "Tovel", "Key", "-", "a   b"},
        {"empty value is a value", "[Tovel]\nKey=\nKey=late\n", "Tovel", "Key", "-", ""},
        {"'=' inside the value", "[Tovel]\nKey=a=b\n", "Tovel", "Key", "-", "a=b"},
        {"';' inside the value", "[Tovel]\nKey=a ; b\n", "Tovel", "Key", "-", "a ; b"},
        {"comment lines", ";Key=x\n[Tovel]\n;Key=c\n  ; Key=c2\n#Key=h\nKey=real\n", "Tovel", "Key", "-",
         "real"},
        {"commented header is no header", "[Other]\n;[Tovel]\nKey=other\n", "Tovel", "Key", "dflt", "dflt"},
        {"other section first", "[Other]\nKey=other\n[Tovel]\nKey=mine\n", "Tovel", "Key", "-", "mine"},
        {"key only in another section", "[Tovel]\nA=1\n[Other]\nKey=other\n", "Tovel", "Key", "dflt",
         "dflt"},
        {"keys before any header", "Key=loose\n[Tovel]\nA=1\n", "Tovel", "Key", "dflt", "dflt"},
        {"longer section name", "[Tovel2]\nKey=x\n[Tove]\nKey=y\n", "Tovel", "Key", "dflt", "dflt"},
        {"longer key name", "[Tovel]\nKeys=x\nKe=y\n", "Tovel", "Key", "dflt", "dflt"},
        {"line without '='", "[Tovel]\nKey\nKey value\n", "Tovel", "Key", "dflt", "dflt"},
        {"first of two keys", "[Tovel]\nKey=1\nKEY=2\n", "Tovel", "Key", "-", "1"},
        {"section twice, key in the first", "[Tovel]\nA=1\n[X]\nA=x\n[tovel]\nA=3\n", "Tovel", "A", "-", "1"},
        {"section twice, key in the second", "[Tovel]\nA=1\n[X]\nB=x\n[tovel]\nB=2\n", "Tovel", "B", "-", "2"},
        {"text after the header", "[Tovel] ; main\nKey=v\n", "Tovel", "Key", "-", "v"},
        {"header without ']'", "[Tovel\nKey=v\n", "Tovel", "Key", "-", "v"},
        {"CRLF line ends", "[Tovel]\r\nA=1\r\nKey=v\r\n", "Tovel", "Key", "-", "v"},
        {"no newline at the end", "[Tovel]\r\nKey=last", "Tovel", "Key", "-", "last"},
        {"bare CR at the end", "[Tovel]\r\nKey=last\r", "Tovel", "Key", "-", "last"},
        {"blank lines", "\r\n\r\n[Tovel]\r\n\r\n   \r\nKey=v\r\n\r\n", "Tovel", "Key", "-", "v"},
        {"byte order mark", bom + "[Tovel]\r\nKey=v\r\n", "Tovel", "Key", "-", "v"},
        {"NUL ends the value", std::string("[Tovel]\nKey=ab\0cd\n", 19), "Tovel", "Key", "-", "ab"},
        {"empty file", "", "Tovel", "Key", "dflt", "dflt"},
        {"missing section", "[Other]\nKey=v\n", "Tovel", "Key", "dflt", "dflt"},
        {"missing key", "[Tovel]\nOther=v\n", "Tovel", "Key", "dflt", "dflt"},
        {"default loses trailing blanks", "", "Tovel", "Key", "  d f  \t", "  d f"},
        {"blank default", "", "Tovel", "Key", "   ", ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Put("read.ini", c.content);
        EXPECT_EQ(GetProfileString(c.section, c.key, c.fallback, 256, path), c.expected);
    }
}

TEST_F(IniFileTest, UnreadablePathsGiveTheDefault) {
    fs::create_directory(dir_ / "folder");
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    const std::vector<std::string> paths = {
        PathOf("missing.ini"), PathOf("folder"), PathOf("fifo"), PathOf("no-such-folder/x.ini"), "", "/dev/zero",
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_EQ(GetProfileString("Tovel", "Key", "dflt", 51, path), "dflt");
    }
}

TEST_F(IniFileTest, ResultIsCutToTheBuffer) {
    const std::string value(60, 'v');
    const std::string path = Put("long.ini", "[Tovel]\r\nKey=" + value + "\r\n");
    for (std::size_t size = 0; size <= 70; ++size) {
        SCOPED_TRACE(size);
        const std::size_t kept = std::min(value.size(), size == 0 ? 0 : size - 1);
        EXPECT_EQ(GetProfileString("Tovel", "Key", "-", size, path), value.substr(0, kept));
        EXPECT_EQ(GetProfileString("Tovel", "Missing", value, size, path), value.substr(0, kept));
    }
}

TEST_F(IniFileTest, AnyFileContentIsReadSafely) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 400; ++round) {
        const std::string path = Put("garbage.ini", RandomBytes(rng, 3000));
        for (const char* key : {"key", "Key", ""}) {
            const std::string got = GetProfileString("Tovel", key, "dflt", 51, path);
            EXPECT_LE(got.size(), 50u);
            EXPECT_EQ(got.find('\0'), std::string::npos);
        }
        (void)ReturnIniValue(path, "key", "dflt");
    }
    // A line of several megabytes, and the key right after it.
    const std::string path = Put("huge.ini", "[Tovel]\n" + std::string(5u << 20, 'x') + "\nKey=after\n");
    EXPECT_EQ(GetProfileString("Tovel", "Key", "dflt", 51, path), "after");
}

// ---- ReturnIniValue ------------------------------------------------------------

TEST_F(IniFileTest, ReturnIniValueKeepsUpTo49Characters) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (std::size_t length = 0; length <= 70; ++length) {
        SCOPED_TRACE(length);
        const std::string value = alphabet.substr(0, length);
        const std::string expected = value.substr(0, std::min<std::size_t>(length, 49));
        const std::string path = Put("tovel.ini", "[Tovel]\r\nName=" + value + "\r\n");
        EXPECT_EQ(ReturnIniValue(path, "Name", "dflt"), expected);
        // A default takes the same path through the buffer.
        EXPECT_EQ(ReturnIniValue(path, "Other", value), expected);
    }
}

TEST_F(IniFileTest, ReturnIniValueEdges) {
    const std::string a48(48, 'a');
    const std::string a47(47, 'a');
    struct Case {
        const char* what;
        std::string stored;  // value after "Name=" in [Tovel]
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"48 characters", a48, a48},
        {"49 characters", a48 + "b", a48 + "b"},
        {"50 characters", a48 + "bc", a48 + "b"},
        {"60 characters", a48 + "bc" + std::string(10, 'd'), a48 + "b"},
        {"inner blanks", "Hello   big  World", "Hello   big  World"},
        {"blanks around", "   padded value   ", "padded value"},
        {"49 with inner blanks", "x" + std::string(47, ' ') + "y", "x" + std::string(47, ' ') + "y"},
        // The 49th character is a blank: the cut leaves it at the end.
        {"50 with blank at 49", a48 + " c", a48},
        // The cut lands on blanks, so the trim and the dropped last character
        // take a real character with them.
        {"cut on two blanks", a47 + "a  " + std::string(10, 'z'), a47},
        {"empty value", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Put("tovel.ini", "[Other]\r\nName=wrong\r\n[Tovel]\r\nName=" + c.stored + "\r\n");
        EXPECT_EQ(ReturnIniValue(path, "name", "dflt"), c.expected);
    }
    EXPECT_EQ(ReturnIniValue(PathOf("missing.ini"), "Name", "  the default  "), "the default");
    EXPECT_EQ(ReturnIniValue(PathOf("missing.ini"), "Name", ""), "");
}

// ---- writing -------------------------------------------------------------------

TEST_F(IniFileTest, WritingCreatesANewFile) {
    const std::string path = PathOf("new.ini");
    ASSERT_TRUE(WriteProfileStrings(path, "Tovel", {{"Language", "Hebrew"}, {"Place", "two words"}, {"Empty", ""}}));
    EXPECT_EQ(Slurp(path), "[Tovel]\r\nLanguage=Hebrew\r\nPlace=two words\r\nEmpty=\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"new.ini"});
}

struct WriteCase {
    const char* what;
    std::string before;
    const char* section;
    KeyValues keyValues;
    std::string after;
};

TEST_F(IniFileTest, WritingChangesOnlyItsOwnLines) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<WriteCase> cases = {
        {"update in place, CRLF",
         "; settings\r\n[Other]\r\nLanguage=keep\r\n[Tovel]\r\nUnknown = stays  \r\n  language = English \r\n"
         "Top=1\r\n",
         "Tovel", {{"Language", "Hebrew"}},
         "; settings\r\n[Other]\r\nLanguage=keep\r\n[Tovel]\r\nUnknown = stays  \r\nLanguage=Hebrew\r\n"
         "Top=1\r\n"},
        {"update keeps each line's own end",
         "[Tovel]\nA=1\r\nB=2\nC=3", "Tovel", {{"a", "x"}, {"B", "y"}, {"c", "z"}},
         "[Tovel]\na=x\r\nB=y\nc=z"},
        {"append after the last line of the section",
         "[Tovel]\r\nA=1\r\n\r\n; about Other\r\n[Other]\r\nB=2\r\n", "Tovel", {{"B", "new"}},
         "[Tovel]\r\nA=1\r\nB=new\r\n\r\n; about Other\r\n[Other]\r\nB=2\r\n"},
        {"append keeps LF files LF",
         "[Tovel]\nA=1\n[Other]\nX=1\n", "Tovel", {{"B", "2"}, {"C", "3"}},
         "[Tovel]\nA=1\nB=2\nC=3\n[Other]\nX=1\n"},
        {"append to an empty section at the end without newline",
         "[Other]\r\nX=1\r\n[tovel]", "Tovel", {{"A", "1"}},
         "[Other]\r\nX=1\r\n[tovel]\r\nA=1\r\n"},
        {"append after a bare CR at the end",
         "[Tovel]\r\nA=1\r", "Tovel", {{"B", "2"}},
         "[Tovel]\r\nA=1\r\nB=2\r\n"},
        {"new section at the end",
         "; comment\r\n[Other]\r\nX=1\r\n", "Tovel", {{"A", "1"}, {"B", "2"}},
         "; comment\r\n[Other]\r\nX=1\r\n[Tovel]\r\nA=1\r\nB=2\r\n"},
        {"new section after a last line without newline",
         "[Other]\nX=1", "Tovel", {{"A", "1"}},
         "[Other]\nX=1\n[Tovel]\nA=1\n"},
        {"section twice: update where the key is, append to the first",
         "[Tovel]\r\nA=1\r\n[X]\r\nB=x\r\n[TOVEL]\r\nB=2\r\n", "Tovel", {{"B", "3"}, {"C", "4"}},
         "[Tovel]\r\nA=1\r\nC=4\r\n[X]\r\nB=x\r\n[TOVEL]\r\nB=3\r\n"},
        {"same key twice in one call: last wins",
         "[Tovel]\r\n", "Tovel", {{"A", "1"}, {"a", "2"}},
         "[Tovel]\r\na=2\r\n"},
        {"comments and loose keys are not keys",
         "Key=loose\r\n[Tovel]\r\n;Key=old\r\n#Key=old\r\n", "Tovel", {{"Key", "v"}},
         "Key=loose\r\n[Tovel]\r\nKey=v\r\n;Key=old\r\n#Key=old\r\n"},
        {"byte order mark before the header",
         bom + "[Tovel]\r\nA=1\r\n", "Tovel", {{"A", "2"}},
         bom + "[Tovel]\r\nA=2\r\n"},
        {"garbage lines survive",
         std::string("[Tovel]\r\n\x01\xff\xfe junk\r\nA=1\r\n\0\0\r\n", 27), "Tovel", {{"A", "2"}},
         std::string("[Tovel]\r\n\x01\xff\xfe junk\r\nA=2\r\n\0\0\r\n", 27)},
        {"nothing to write rewrites nothing",
         "[Tovel]\nA=1", "Tovel", {},
         "[Tovel]\nA=1"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Put("edit.ini", c.before);
        ASSERT_TRUE(WriteProfileStrings(path, c.section, c.keyValues));
        EXPECT_EQ(Slurp(path), c.after);
        EXPECT_EQ(Entries(), std::vector<std::string>{"edit.ini"});
    }
}

TEST_F(IniFileTest, AWrittenKeySetReadsBack) {
    const std::string path = Put("round.ini", "; user notes\r\n[Window]\r\nTop=5\r\n[Tovel]\r\nKey3=old\r\n");
    KeyValues first;
    for (int i = 0; i < 30; ++i) first.emplace_back("Key" + std::to_string(i), "value " + std::to_string(i * 7));
    ASSERT_TRUE(WriteProfileStrings(path, "Tovel", first));
    KeyValues second;
    for (int i = 0; i < 30; i += 2) second.emplace_back("KEY" + std::to_string(i), "changed " + std::to_string(i));
    ASSERT_TRUE(WriteProfileStrings(path, "tovel", second));

    for (int i = 0; i < 30; ++i) {
        SCOPED_TRACE(i);
        const std::string expected = (i % 2 == 0 ? "changed " : "value ") + std::to_string(i % 2 == 0 ? i : i * 7);
        EXPECT_EQ(GetProfileString("Tovel", "key" + std::to_string(i), "missing", 51, path), expected);
        EXPECT_EQ(ReturnIniValue(path, "Key" + std::to_string(i), "missing"), expected);
    }
    EXPECT_EQ(GetProfileString("Window", "Top", "missing", 51, path), "5");
    const std::string text = Slurp(path);
    EXPECT_TRUE(text.starts_with("; user notes\r\n[Window]\r\nTop=5\r\n[Tovel]\r\n")) << text;
    // One line per key: nothing was added twice.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4 + 30);
}

TEST_F(IniFileTest, WritingIntoGarbageReadsBack) {
    std::mt19937 rng(77);
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        const std::string path = Put("garbage.ini", RandomBytes(rng, 600));
        const KeyValues kv = {{"key", "v" + std::to_string(round)}, {"Other", "o"}, {"Tovel", "t t"}};
        ASSERT_TRUE(WriteProfileStrings(path, "Tovel", kv));
        for (const auto& [key, value] : kv) EXPECT_EQ(GetProfileString("tovel", key, "missing", 51, path), value);
        // A second identical write finds every key where the first put it
        // and changes nothing.
        const std::string after = Slurp(path);
        ASSERT_TRUE(WriteProfileStrings(path, "Tovel", kv));
        EXPECT_EQ(Slurp(path), after);
    }
}

TEST_F(IniFileTest, NamesThatCannotBeReadBackAreRefused) {
    struct Case {
        const char* what;
        std::string section;
        KeyValues keyValues;
    };
    const std::vector<Case> cases = {
        {"empty section", "", {{"A", "1"}}},
        {"']' in section", "To]vel", {{"A", "1"}}},
        {"blank around section", " Tovel", {{"A", "1"}}},
        {"newline in section", "To\nvel", {{"A", "1"}}},
        {"empty key", "Tovel", {{"A", "1"}, {"", "1"}}},
        {"'=' in key", "Tovel", {{"A=B", "1"}}},
        {"comment key", "Tovel", {{";A", "1"}}},
        {"hash key", "Tovel", {{"#A", "1"}}},
        {"header key", "Tovel", {{"[A", "1"}}},
        {"blank after key", "Tovel", {{"A ", "1"}}},
        {"CR in value", "Tovel", {{"A", "1\r2"}}},
        {"LF in value", "Tovel", {{"A", "1\n[Other]"}}},
        {"NUL in value", "Tovel", {{"A", std::string("1\0002", 3)}}},
    };
    const std::string before = "[Tovel]\r\nA=old\r\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Put("keep.ini", before);
        EXPECT_FALSE(WriteProfileStrings(path, c.section, c.keyValues));
        EXPECT_EQ(Slurp(path), before);
        EXPECT_FALSE(WriteProfileStrings(PathOf("never.ini"), c.section, c.keyValues));
        EXPECT_FALSE(fs::exists(PathOf("never.ini")));
    }
}

TEST_F(IniFileTest, FailedWritesLeaveNothingBehind) {
    Put("plain", "not a folder");
    fs::create_directory(dir_ / "folder");
    Put("folder/inside.ini", "[Tovel]\r\n");
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    const std::vector<std::string> before = Entries();
    const std::vector<std::string> paths = {
        PathOf("no-such-folder/x.ini"),  // folder missing
        PathOf("folder"),                // a folder, not a file
        PathOf("plain/x.ini"),           // "folder" is a file
        PathOf("fifo"),                  // not a regular file
        PathOf("folder/"),               // no file name
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(WriteProfileStrings(path, "Tovel", {{"A", "1"}}));
        EXPECT_EQ(Entries(), before);
    }
    EXPECT_EQ(Slurp(PathOf("folder/inside.ini")), "[Tovel]\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "folder"), fs::directory_iterator()), 1);
}

TEST_F(IniFileTest, FailureWhileWritingTheNewFileKeepsTheOld) {
    // The file size limit makes the write of the replacement fail part way,
    // even for root.
    const std::string before = "[Tovel]\r\nA=1\r\n" + std::string(500, ';') + "\r\n";
    const std::string path = Put("limited.ini", before);
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
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

TEST_F(IniFileTest, ReadOnlyFolderRefusesTheWrite) {
    const std::string before = "[Tovel]\r\nA=1\r\n";
    const std::string path = Put("ro.ini", before);
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string probe = PathOf("probe");
    if (std::ofstream(probe).good()) {
        std::remove(probe.c_str());
        fs::permissions(dir_, fs::perms::owner_all);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_FALSE(WriteProfileStrings(path, "Tovel", {{"A", "2"}}));
    fs::permissions(dir_, fs::perms::owner_all);
    EXPECT_EQ(Slurp(path), before);
    EXPECT_EQ(Entries(), std::vector<std::string>{"ro.ini"});
}

TEST_F(IniFileTest, FileThatCannotBeReadIsNotReplaced) {
    const std::string before = "[Tovel]\r\nA=1\r\nKeep=this\r\n";
    const std::string path = Put("secret.ini", before);
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    if (std::ifstream(path).good()) {
        ::chmod(path.c_str(), 0600);
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    EXPECT_FALSE(WriteProfileStrings(path, "Tovel", {{"A", "2"}}));
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(Slurp(path), before);
    EXPECT_EQ(Entries(), std::vector<std::string>{"secret.ini"});
}

TEST_F(IniFileTest, ReplacementKeepsModeAndFollowsLinks) {
    const std::string path = Put("real.ini", "[Tovel]\nA=1\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const std::string link = PathOf("link.ini");
    fs::create_symlink("real.ini", link);

    ASSERT_TRUE(WriteProfileStrings(link, "Tovel", {{"A", "2"}}));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Slurp(path), "[Tovel]\nA=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"link.ini", "real.ini"}));
}

}  // namespace
