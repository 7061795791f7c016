// The tovel-suntable program itself, run as a user runs it.
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "almanac_sunset.h"
#include "machine_support.h"
#include "sunset/solar.h"
#include "sunset/sunset_table.h"
#include "test_support.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

struct ToolRun {
    int Status;
    std::string Out, Err;
};

// Runs the tool in the folder `cwd`, its output caught in files outside that
// folder so the folder shows only what the tool wrote. No argument holds a quote.
// `shell` goes before the tool in the same shell (a file size limit).
ToolRun RunTool(const std::string& cwd, const std::vector<std::string>& args,
                const std::string& shell = "") {
    static test::TempFolder scratch;
    std::string command = "cd '" + cwd + "' && " + shell + " '" TOVEL_SUNTABLE "'";
    for (const std::string& a : args) command += " '" + a + "'";
    const std::string out = scratch.Path() + "/stdout", err = scratch.Path() + "/stderr";
    const int status = std::system((command + " >" + out + " 2>" + err).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadFile(out), test::ReadFile(err)};
}

using Args = std::vector<std::string>;
const Args kGood = {"Tel Aviv", "32.0853", "34.7818", "Asia/Jerusalem", "2026"};
// The good arguments with argument `i` replaced by `v`.
Args TelAviv(std::size_t i, const std::string& v) {
    Args a = kGood;
    a[i] = v;
    return a;
}
// The arguments `a` with "-o `file`" before them.
Args To(const std::string& file, Args a = kGood) {
    a.insert(a.begin(), {"-o", file});
    return a;
}

// Exit status 2 and a pointer to --help for bad arguments, 1 for a refusal, a
// bad table or a failed write (which leave what was there), 0 otherwise.
TEST(SuntableToolTest, ArgumentsWritesAndChecks) {
    for (const auto& [zone, changes] :
         std::vector<std::pair<const char*, std::vector<int>>>{{"Asia/Jerusalem", {327, 1025}},
                                                               {"Europe/Stockholm", {329, 1025}},
                                                               {"Atlantic/Reykjavik", {}},
                                                               {"America/Guayaquil", {}},
                                                               {"Europe/London", {329, 1025}}})
        if (const auto why = test::WhyNotZoneRules(zone, 2026, changes); !why.empty())
            GTEST_SKIP() << why;
    test::TempFolder folder;
    const std::string london = std::string(TOVEL_DATA_DIR) + "/London.sun";
    std::string damaged = test::ReadFile(london);
    folder.Write("damaged.sun", damaged.replace(damaged.find(" Mar 21  6:"), 13, " Mar 21 18:14"));
    ASSERT_EQ(::mkfifo((folder.Path() + "/fifo.sun").c_str(), 0600), 0);
    ::chmod(folder.Write("ro.sun", "kept\r\n").c_str(), 0444);
    folder.Write("long.sun", std::string(201, 'x') + damaged.substr(damaged.find('\r')));
    const std::string current =
        "sunsets of " +
        std::to_string(int(year_month_day{floor<days>(system_clock::now())}.year()));
    const Args reykjavik = {"Reykjavik", "64.1466", "-21.9426", "Atlantic/Reykjavik", "2026"};
    const Args stockholm = {"Stockholm", "59.3293", "18.0686", "Europe/Stockholm", "2026"};
    const std::string degrees = "is not a decimal number of degrees from ";
    const std::string notRegular = "not written: it exists and is not a regular file";
    const std::string longName = "line 1: the location's name is longer than 200 bytes";
    const std::string badHour = "line 82: after the 1 in column 9, column 10 must be 0 or 1";
    // clang-format off
    const struct { Args args; int status; std::string message, shell = ""; }
    cases[] = {
        {{}, 2, "expected NAME LATITUDE LONGITUDE ZONE [YEAR], got 0 arguments"},
        {{"A", "1", "2", "UTC", "2026", "x"}, 2, "got 6 arguments"},
        {{"--check", "-o", "x.sun", "damaged.sun"}, 2, "--check and --output do not go together"},
        {TelAviv(1, "90.5"), 2, "latitude '90.5' " + degrees + "-90 to 90"},
        {TelAviv(1, "nan"), 2, "latitude 'nan'"},
        {TelAviv(1, "0x20"), 2, "latitude '0x20'"},
        {TelAviv(2, "181"), 2, "longitude '181' " + degrees + "-180 to 180"},
        {TelAviv(3, "Asia/Atlantis"), 2, "unknown time zone 'Asia/Atlantis'"},
        {TelAviv(4, "1801"), 2, "the year '1801' is not a year from 1802 to 2790"},
        {TelAviv(0, "Tel\nAviv"), 2, "line break"},
        {TelAviv(0, std::string(201, 'x')), 2, "the location name is longer than 200 bytes"},
        {{"--frobnicate"}, 2, "unknown option '--frobnicate'"},
        {{"--output=", "A", "1", "2", "UTC"}, 2, "the output FILE is empty"},
        {{"--check"}, 2, "--check needs at least one FILE"},
        {kGood, 0, "Tel_Aviv.sun: Tel Aviv, sunsets of 2026"},
        {{"--output=t.sun", "--", "Quito", "-0.1807", "-78.4678", "America/Guayaquil"}, 0, current},
        {To("t.sun", reykjavik), 1, "no table for Reykjavik: on Jun 15 2026 the sun sets at 00:00"},
        {To("/dev/null"), 1, "cannot write /dev/null: " + notRegular},
        {To("ro.sun"), 1, "ro.sun: not written: it is read-only"},  // for root too
        {To("t.sun"), 1, "t.sun: cannot be written: File too large", "trap '' XFSZ; ulimit -f 2;"},
        {{"--check", "long.sun"}, 1, "long.sun: " + longName},
        {{"--check", "a\r\n\xFF.sun"}, 1, "a\\x0D\\x0A\\xFF.sun: cannot be read"},
        {{"--check", london}, 0, "London.sun: OK: London, 366 days, Europe/London 2026"},
        {{"--check", "damaged.sun"}, 1, "damaged.sun: " + badHour},
        {{"--check", "fifo.sun"}, 1, "fifo.sun: cannot be read: not a regular file"},
        {{"--check", "damaged.sun", london}, 1, "London.sun: OK"},  // all checked, one bad fails
        {To("s.sun", stockholm), 0, "s.sun: Stockholm"},
        {{"--check", "s.sun"}, 0, "s.sun: OK: Stockholm, 366 days, Europe/Stockholm 2026"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const ToolRun run = RunTool(folder.Path(), c.args, c.shell);
        EXPECT_EQ(run.Status, c.status) << c.message;
        EXPECT_NE((run.Out + run.Err).find(c.message), std::string::npos) << run.Out << run.Err;
        EXPECT_EQ(run.Err.find("--help' for more") != std::string::npos, c.status == 2) << run.Err;
    }
    EXPECT_TRUE(
        test::ReadFile(folder.Path() + "/Tel_Aviv.sun").starts_with("Tel Aviv\r\n Jan  1  4:"));
    // Quito, its days, its zone line: kept on refusal.
    EXPECT_EQ(test::ReadFile(folder.Path() + "/t.sun").size(), 7u + 366 * 15 + 29);
    EXPECT_TRUE(test::ReadFile(folder.Path() + "/t.sun").starts_with("Quito\r\n"));
    EXPECT_EQ(test::ReadFile(folder.Path() + "/ro.sun"), "kept\r\n");
    // And the files made above.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 7);
    // Stockholm's summer sunsets need the hour's tens digit: 22:08 on the solstice (UTC+2).
    const auto solstice =
        LookupSunset(folder.Path() + "/s.sun", test::Ymd(2026, 6, 21)).value_or(SunsetTime{});
    ASSERT_EQ(solstice.Time.substr(0, 4), " 22:");
    EXPECT_NEAR(22 * 60 + std::stoi(solstice.Time.substr(4)),
                test::AlmanacSunsetHours(172, 59.3293, 18.0686) * 60 + 120, 2);
}

// In a sticky folder that everyone may write (/tmp), a link that another user
// made is not followed; root's own is.
TEST(SuntableToolTest, RefusesALinkPlantedInASharedFolder) {
    for (const auto& why :
         {test::WhyNoSecondUser(), test::WhyNotZoneRules("Asia/Jerusalem", 2026, {327, 1025})})
        if (!why.empty()) GTEST_SKIP() << why;
    const test::TempFolder shared, victim;
    ASSERT_EQ(::chmod(shared.Path().c_str(), 01777), 0);
    const std::string target = victim.Write("passwd", "root:x:0:0\n"),
                      link = shared.Path() + "/t.sun",
                      refusal =
                          "t.sun: not written: a symbolic link of another user in a shared folder";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    for (const int owner : {65534, 0}) {
        ASSERT_EQ(::lchown(link.c_str(), owner, owner), 0);
        const ToolRun run = RunTool(shared.Path(), To("t.sun"));
        EXPECT_EQ(run.Status, owner ? 1 : 0);
        EXPECT_EQ(run.Err.find(refusal) != std::string::npos, owner != 0) << run.Err;
        EXPECT_TRUE(test::ReadFile(target).starts_with(owner ? "root:x:0:0\n" : "Tel Aviv\r\n"));
    }
}

// The zone database through the tool: Adelaide keeps a half-hour offset and
// the southern hemisphere's daylight saving (+10:30 until 5 April 2026 and
// from 4 October, +9:30 between). Each line is the UTC sunset plus that
// offset, rounded.
TEST(SuntableToolTest, HalfHourZoneWithSouthernDaylightSaving) {
    if (const auto why = test::WhyNotZoneRules("Australia/Adelaide", 2026, {405, 1004});
        !why.empty())
        GTEST_SKIP() << why;
    const double lat = -34.9285, lon = 138.6007;
    const std::string out =
        RunTool(fs::temp_directory_path(),
                {"-o", "-", "Adelaide", "-34.9285", "138.6007", "Australia/Adelaide", "2026"})
            .Out;
    ASSERT_EQ(out.substr(10 + 366 * 15), "Zone Australia/Adelaide 2026\r\n");
    std::size_t at = 10;  // of the next day line
    auto next = [&] {
        at += 15;
        return (12 + out[at - 6] - '0') * 60 + std::stoi(out.substr(at - 4, 2));
    };
    for (sys_days d = sys_days{2026y / January / 1}; d <= sys_days{2026y / December / 31};
         d += days{1}) {
        if (d == sys_days{2026y / March / 1}) next();  // 29 February, of another year
        const bool summer = d < sys_days{2026y / April / 5} || d >= sys_days{2026y / October / 4};
        const double utc = solar::SunsetUtc(d, lat, lon).UtcMinutes;
        ASSERT_EQ(next(), std::lround(utc + (summer ? 630 : 570)))
            << (d - sys_days{2026y / January / 1}).count();
    }
}

}  // namespace
}  // namespace tovel
