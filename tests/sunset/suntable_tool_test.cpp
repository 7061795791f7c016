// The tovel-suntable program itself, run as a user runs it.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "test_support.h"
#include "sunset/solar.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

struct ToolRun {
    int Status = -1;  // exit status
    std::string Out, Err;
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the tool with `args` in the folder `cwd`, its output caught in files
// outside that folder so the folder shows only what the tool wrote.
ToolRun RunTool(const std::string& cwd, const std::vector<std::string>& args) {
    static test::TempFolder scratch;
    const fs::path out = fs::path(scratch.Path()) / "stdout";
    const fs::path err = fs::path(scratch.Path()) / "stderr";
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::chdir(cwd.c_str()) != 0)
            ::_exit(127);
        std::vector<char*> argv{const_cast<char*>(TOVEL_SUNTABLE)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(TOVEL_SUNTABLE, argv.data());
        ::_exit(127);
    }
    ToolRun run;
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        run.Status = WEXITSTATUS(status);
    run.Out = ReadAll(out);
    run.Err = ReadAll(err);
    return run;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename());
    return out;
}

TEST(SuntableToolTest, BadArgumentsWriteNothing) {
    const std::vector<std::string> telAviv = {"Tel Aviv", "32.0853", "34.7818", "Asia/Jerusalem", "2026"};
    auto with = [&](std::size_t i, const std::string& value) {
        std::vector<std::string> args = telAviv;
        args[i] = value;
        return args;
    };
    const struct { const char* name; std::vector<std::string> args; const char* message; } cases[] = {
        {"no arguments", {}, "expected NAME LATITUDE LONGITUDE ZONE [YEAR], got 0 arguments"},
        {"latitude 90.5", with(1, "90.5"), "latitude '90.5' is not a decimal number of degrees from -90 to 90"},
        {"latitude with a comma", with(1, "32,08"), "latitude '32,08'"},
        {"latitude nan", with(1, "nan"), "latitude 'nan'"},
        {"latitude in hex", with(1, "0x20"), "latitude '0x20'"},
        {"longitude 181", with(2, "181"), "longitude '181' is not a decimal number of degrees from -180 to 180"},
        {"unknown zone", with(3, "Asia/Atlantis"), "unknown time zone 'Asia/Atlantis'"},
        {"empty zone", with(3, ""), "unknown time zone ''"},
        {"zone as a path", with(3, "../../etc/passwd"), "unknown time zone"},
        {"year 1801", with(4, "1801"), "the year '1801' is not a year from 1802 to 2790"},
        {"year with letters", with(4, "20x6"), "the year '20x6'"},
        {"empty name", with(0, ""), "the location name is empty"},
        {"name with LF", with(0, "Tel\nAviv"), "line break"},
        {"name not UTF-8", with(0, "S\xE3o Paulo"), "not valid UTF-8"},
        {"unknown option", {"--frobnicate"}, "unknown option '--frobnicate'"},
        {"--output without FILE", {"--output"}, "--output needs a FILE"},
        {"empty --output", {"--output=", "A", "1", "2", "UTC"}, "the output FILE is empty"},
        {"--check without FILE", {"--check"}, "--check needs at least one FILE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const ToolRun run = RunTool(folder.Path(), c.args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_NE(run.Err.find(c.message), std::string::npos) << run.Err;
        EXPECT_NE(run.Err.find("--help"), std::string::npos);
        EXPECT_TRUE(FolderEntries(folder.Path()).empty());
    }
}

TEST(SuntableToolTest, MakesATableBesideTheUser) {
    test::TempFolder folder;
    const ToolRun run = RunTool(folder.Path(), {"Tel Aviv", "32.0853", "34.7818", "Asia/Jerusalem", "2026"});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"Tel_Aviv.sun"});
    const std::string table = ReadAll(fs::path(folder.Path()) / "Tel_Aviv.sun");
    EXPECT_TRUE(table.starts_with("Tel Aviv\r\n Jan  1  4:"));
    EXPECT_EQ(table.size(), 10u + 366 * 15);
    // Checking it, and the same to standard output.
    const ToolRun check = RunTool(folder.Path(), {"--check", "Tel_Aviv.sun"});
    EXPECT_EQ(check.Status, 0) << check.Err;
    EXPECT_EQ(check.Out, "Tel_Aviv.sun: OK: Tel Aviv, 366 days\n");
    const ToolRun toStdout = RunTool(folder.Path(), {"-o", "-", "Tel Aviv", "32.0853", "34.7818", "Asia/Jerusalem", "2026"});
    EXPECT_EQ(toStdout.Out, table);
    // Without a year: the current one.
    const ToolRun thisYear = RunTool(folder.Path(), {"--output=now.sun", "--", "Quito", "-0.1807", "-78.4678", "America/Guayaquil"});
    EXPECT_EQ(thisYear.Status, 0) << thisYear.Err;
    const int year = int(year_month_day{floor<days>(system_clock::now())}.year());
    EXPECT_NE(thisYear.Out.find("sunsets of " + std::to_string(year)), std::string::npos) << thisYear.Out;
}

TEST(SuntableToolTest, RefusalsLeaveTheOldFile) {
    const struct { const char* name; std::vector<std::string> args; const char* message; } cases[] = {
        {"Reykjavik in summer", {"Reykjavik", "64.1466", "-21.9426", "Atlantic/Reykjavik", "2026"},
         "no table for Reykjavik: on May "},
        {"Tromso in winter", {"Troms\xC3\xB8", "69.6492", "18.9553", "Europe/Oslo", "2026"},
         "on Jan 1 2026 the sun does not rise (polar night)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempFolder folder;
        const std::string old = folder.Write("town.sun", "an older table\r\n");
        std::vector<std::string> args = {"--output", "town.sun"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ToolRun run = RunTool(folder.Path(), args);
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find(c.message), std::string::npos) << run.Err;
        EXPECT_EQ(ReadAll(old), "an older table\r\n");
        EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"town.sun"});
    }
    // A place whose output cannot be a table file.
    test::TempFolder folder;
    fs::create_directories(fs::path(folder.Path()) / "dir");
    for (const char* target : {"dir", "/dev/null", "missing-folder/town.sun"}) {
        SCOPED_TRACE(target);
        const ToolRun run = RunTool(folder.Path(), {"-o", target, "Haifa", "32.794", "34.9896", "Asia/Jerusalem", "2026"});
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Err.find(std::string("cannot write ") + target), std::string::npos) << run.Err;
    }
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"dir"});
}

TEST(SuntableToolTest, CheckNamesTheFirstBadLineAndNeverHangs) {
    test::TempFolder folder;
    const std::string good = std::string(TOVEL_DATA_DIR) + "/London.sun";
    std::string damaged = ReadAll(good);
    damaged.replace(damaged.find(" Mar 21  6:"), 13, " Mar 21 18:14");
    folder.Write("damaged.sun", damaged);
    folder.Write("binary.sun", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\n\xFF\xFE", 14));
    ASSERT_EQ(::mkfifo((folder.Path() + "/fifo.sun").c_str(), 0600), 0);
    const struct { std::string file; int status; const char* message; } cases[] = {
        {good, 0, "London.sun: OK: London, 366 days"},
        {"damaged.sun", 1, "damaged.sun: line 82: column 9 must be a blank, not '1'"},
        {"fifo.sun", 1, "fifo.sun: cannot be read: not a regular file"},
        {"/dev/zero", 1, "/dev/zero: cannot be read: not a regular file"},
        {"missing.sun", 1, "missing.sun: cannot be read: no such file"},
        {"binary.sun", 1, "binary.sun: line 1: the location's name holds the control character '\\x7F'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ToolRun run = RunTool(folder.Path(), {"--check", c.file});
        EXPECT_EQ(run.Status, c.status);
        EXPECT_NE((run.Out + run.Err).find(c.message), std::string::npos) << run.Out << run.Err;
    }
    // Several at once: all are checked, and one bad table fails the run.
    const ToolRun both = RunTool(folder.Path(), {"--check", good, "damaged.sun"});
    EXPECT_EQ(both.Status, 1);
    EXPECT_NE(both.Out.find("OK"), std::string::npos);
    const ToolRun help = RunTool(folder.Path(), {"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.starts_with("Usage:"));
}

// Lines of the tool's table for a place, as minutes after midnight.
std::vector<int> TableMinutes(const std::vector<std::string>& args) {
    test::TempFolder folder;
    std::vector<std::string> all = {"--output", "-"};
    all.insert(all.end(), args.begin(), args.end());
    const ToolRun run = RunTool(folder.Path(), all);
    EXPECT_EQ(run.Status, 0) << run.Err;
    std::vector<int> out;
    std::istringstream lines(run.Out);
    std::string line;
    std::getline(lines, line);  // the name
    while (std::getline(lines, line))
        out.push_back((12 + line[9] - '0') * 60 + std::stoi(line.substr(11, 2)));
    return out;
}

// The zone database through the tool: a half-hour zone with the southern
// hemisphere's daylight saving (Adelaide: +10:30 until 5 April 2026 and from
// 4 October, +9:30 between), and one without (Kolkata, +5:30). Each day is
// the UTC sunset plus that offset, rounded.
TEST(SuntableToolTest, HalfHourZonesAndSouthernDaylightSaving) {
    const struct { const char* zone; double lat, lon; sys_days dstEnds, dstStarts; int standard; } cases[] = {
        {"Australia/Adelaide", -34.9285, 138.6007, sys_days{2026y / April / 5},
         sys_days{2026y / October / 4}, 570},
        {"Asia/Kolkata", 22.5726, 88.3639, sys_days{2026y / January / 1}, sys_days{2027y / January / 1}, 330},
        {"Australia/Sydney", -33.8688, 151.2093, sys_days{2026y / April / 5},
         sys_days{2026y / October / 4}, 600},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.zone);
        const std::vector<int> minutes =
            TableMinutes({"Town", std::to_string(c.lat), std::to_string(c.lon), c.zone, "2026"});
        ASSERT_EQ(minutes.size(), 366u);
        std::size_t i = 0;
        for (sys_days d = sys_days{2026y / January / 1}; d <= sys_days{2026y / December / 31}; d += days{1}, ++i) {
            if (d == sys_days{2026y / March / 1}) ++i;  // past 29 February
            const bool summer = d < c.dstEnds || d >= c.dstStarts;
            const double utc = solar::SunsetUtc(d, c.lat, c.lon).UtcMinutes;
            const int expected = static_cast<int>(std::floor(utc + c.standard + (summer ? 60 : 0) + 0.5));
            ASSERT_EQ(minutes[i], expected) << "day " << i;
        }
    }
}

}  // namespace
}  // namespace tovel
