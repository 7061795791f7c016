// The real tovel executable, copied with its window library into a program
// folder of its own and run on the offscreen platform. Each run's year table is
// made so that today (the machine's date) falls on a known day of a Jewish
// year: 10 Tishri (Yom Kippur) or 11 Tishri (no holiday).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/read_file.h"
#include "test_support.h"

extern char** environ;

namespace tovel {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

// A year table whose year 5001 begins `dayInYear` - 1 days before today.
std::string TableWithToday(int dayInYear) {
    const Date start = Today() - (dayInYear - 1);
    std::string out;
    const struct { int year; Date date; } lines[] = {
        {5000, start - 385}, {5001, start}, {5002, start + 354}, {5003, start + 708}};
    for (const auto& l : lines) out += std::to_string(l.year) + " " + FormatDate(l.date) + "\r\n";
    return out;
}

struct Result {
    int Status = -1;  // exit status, or 128 + signal
    std::string Out, Err;
};

class ProgramFolder : public test::TempFolder {
public:
    explicit ProgramFolder(bool withLibrary = true) {
        fs::copy_file(TOVEL_EXE, fs::path(Path()) / "tovel");
        if (withLibrary) fs::copy_file(TOVEL_WINDOW_LIBRARY, fs::path(Path()) / "libtovel_window.so");
        fs::permissions(Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    }

    void Fifo(const std::string& name) const {
        fs::remove(fs::path(Path()) / name);
        ASSERT_EQ(::mkfifo((fs::path(Path()) / name).c_str(), 0600), 0);
    }
    void Link(const std::string& target, const std::string& name) const {
        fs::remove(fs::path(Path()) / name);
        fs::create_symlink(target, fs::path(Path()) / name);
    }

    // Runs the program with `arguments`, optionally through `prefix` (another
    // user), and sends `signal` once it has started. Killed after 30 s.
    Result Run(std::vector<std::string> arguments, int signal = 0,
               std::vector<std::string> prefix = {}) const {
        std::vector<std::string> words = prefix;
        words.push_back(Path() + "/tovel");
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        argv.push_back(nullptr);

        const std::string out = Path() + "/../" + fs::path(Path()).filename().string() + ".out";
        const std::string err = out + ".err";
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        // The signal waits, blocked, until the program is ready for it.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t blocked;
        sigemptyset(&blocked);
        if (signal) sigaddset(&blocked, signal);
        posix_spawnattr_setsigmask(&attributes, &blocked);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("TOVEL_UNATTENDED", "1", 1);
        pid_t pid = 0;
        Result result;
        if (posix_spawnp(&pid, argv[0], &files, &attributes, argv.data(), environ) != 0) return result;
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attributes);
        if (signal) ::kill(pid, signal);
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (::waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.Out = Slurp(out);
        result.Err = Slurp(err);
        fs::remove(out);
        fs::remove(err);
        return result;
    }
};

constexpr int kYomKippur = 10, kOrdinaryDay = 11;
const char* const kSunTable = "Home\r\n";  // no lines needed: the pop-up only needs a location

TEST(ProgramTest, PopupRuns) {
    {
        SCOPED_TRACE("an ordinary day: quiet, without even the window library");
        ProgramFolder folder(false);
        folder.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay));
        folder.Write("home.sun", kSunTable);
        const std::string ini = folder.Write("Tovel.ini", "[Tovel]\r\nActiveLocation=1\r\n");
        const Result r = folder.Run({"/L"});
        EXPECT_EQ(r.Status, 0);
        EXPECT_EQ(r.Out + r.Err, "");
        EXPECT_EQ(Slurp(ini), "[Tovel]\r\nActiveLocation=1\r\n");
    }
    {
        SCOPED_TRACE("Yom Kippur with a location: one message, then the end");
        ProgramFolder folder;
        folder.Write("RHDates.Tvl", TableWithToday(kYomKippur));
        folder.Write("home.sun", kSunTable);
        const std::string ini = folder.Write("Tovel.ini", "[Tovel]\r\nActiveLocation=1\r\n");
        const Result r = folder.Run({"/l"});
        EXPECT_EQ(r.Status, 0);
        EXPECT_EQ(r.Out, "Tovel: Today is Yom Kippur\n");
        EXPECT_EQ(Slurp(ini), "[Tovel]\r\nActiveLocation=1\r\n");
    }
    {
        SCOPED_TRACE("the window library missing");
        ProgramFolder folder(false);
        folder.Write("RHDates.Tvl", TableWithToday(kYomKippur));
        folder.Write("home.sun", kSunTable);
        folder.Write("Tovel.ini", "[Tovel]\r\nActiveLocation=1\r\n");
        for (const auto& arguments : {std::vector<std::string>{"/L"}, std::vector<std::string>{}}) {
            const Result r = folder.Run(arguments);
            EXPECT_NE(r.Status, 0);
            EXPECT_NE(r.Err.find("tovel: cannot load " + folder.Path() + "/libtovel_window.so"),
                      std::string::npos) << r.Err;
        }
    }
}

// SIGTERM closes the window the normal way: the settings are written.
TEST(ProgramTest, TerminationSavesTheSettings) {
    ProgramFolder folder;
    folder.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay));
    // What an interrupted save leaves is cleared away; a user's own copy is not.
    folder.Write(".Tovel.ini.4711.0.tmp", "[Tovel]\r\n");
    folder.Write("Tovel.ini.backup", "[Tovel]\r\n");
    const Result r = folder.Run({}, SIGTERM);
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_FALSE(fs::exists(fs::path(folder.Path()) / ".Tovel.ini.4711.0.tmp"));
    EXPECT_TRUE(fs::exists(fs::path(folder.Path()) / "Tovel.ini.backup"));
    const std::string saved = Slurp(fs::path(folder.Path()) / "Tovel.ini");
    EXPECT_NE(saved.find("AddXJ=-100\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("FormTop="), std::string::npos) << saved;
}

// Damaged, hostile or odd files in the program folder: every run ends (or
// is ended by SIGTERM) with the message the case calls for, and a settings
// file that could not be read is never rewritten.
TEST(ProgramTest, HostileFiles) {
    const std::string ini = "[Tovel]\r\nAddWeek=2\r\n";
    const std::string bigIni = ini + std::string(kMaxDataFileBytes, ';');
    const std::string table = TableWithToday(kOrdinaryDay);
    const struct {
        const char* name;
        std::function<void(ProgramFolder&)> damage;
        std::vector<std::string> arguments;
        const char* message;  // part of what is said; "" for nothing
        bool iniKept;
    } cases[] = {
        {"year table is a FIFO, pop-up run", [](ProgramFolder& f) { f.Fifo("RHDates.Tvl"); }, {"/L"},
         "RHDates.Tvl not found, application quiting !!", true},
        {"year table is a FIFO", [](ProgramFolder& f) { f.Fifo("RHDates.Tvl"); }, {},
         "RHDates.Tvl not found, application quiting !!", true},
        {"year table is /dev/zero", [](ProgramFolder& f) { f.Link("/dev/zero", "RHDates.Tvl"); }, {},
         "RHDates.Tvl not found, application quiting !!", true},
        {"year table too big", [&](ProgramFolder& f) { f.Write("RHDates.Tvl", table + std::string(2 << 20, '\n')); },
         {}, "RHDates.Tvl cannot be read: larger than 1 MiB", true},
        {"year table damaged", [](ProgramFolder& f) { f.Write("RHDates.Tvl", "5001 junk\r\n"); }, {},
         "RHDates.Tvl holds no year lines", true},
        {"settings file too big", [&](ProgramFolder& f) { f.Write("Tovel.ini", bigIni); }, {}, "", true},
        {"settings file is a FIFO", [](ProgramFolder& f) { f.Fifo("Tovel.ini"); }, {}, "", true},
        {"sunset table is a FIFO, or its name line 10 MB",
         [](ProgramFolder& f) {
             f.Fifo("a.sun");
             f.Write("b.sun", std::string(10 << 20, 'x') + "\r\n");
             f.Write("c.sun", std::string(300, 'x') + "\r\n");
         },
         {}, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramFolder folder;
        folder.Write("RHDates.Tvl", table);
        folder.Write("Tovel.ini", ini);
        c.damage(folder);
        const fs::path iniPath = fs::path(folder.Path()) / "Tovel.ini";
        const std::string before = fs::is_regular_file(iniPath) ? Slurp(iniPath) : "";
        const Result r = folder.Run(c.arguments, SIGTERM);
        EXPECT_EQ(r.Status, 0) << r.Err;
        if (*c.message) EXPECT_NE(r.Out.find(c.message), std::string::npos) << r.Out;
        else EXPECT_EQ(r.Out, "");
        if (fs::is_regular_file(iniPath)) EXPECT_EQ(Slurp(iniPath) == before, c.iniKept);
        else EXPECT_TRUE(c.iniKept);
    }
}

// Without /proc the program cannot know its folder: it says so and ends,
// rather than load a window library from wherever the user stands.
TEST(ProgramTest, NoProcFileSystem) {
    if (::geteuid() != 0 || std::system("command -v unshare >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs root and unshare to hide /proc in a mount namespace";
    ProgramFolder folder;
    folder.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay));
    const Result r = folder.Run({}, 0, {"unshare", "--mount", "--propagation", "private", "sh", "-c",
                                        "mount -t tmpfs none /proc && exec \"$0\" \"$@\""});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("tovel: cannot find the program's own folder"), std::string::npos) << r.Err;
}

// As a user who is not root, the file's own permissions decide: a read-only
// settings file in a writable folder is kept, a writable one in a folder the
// user cannot write is updated in place.
TEST(ProgramTest, SavePermissionsAsAnotherUser) {
    if (::geteuid() != 0 || std::system("command -v setpriv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs root and setpriv to run the program as the user nobody";
    const std::vector<std::string> asNobody = {"setpriv", "--reuid=65534", "--regid=65534",
                                               "--clear-groups", "--"};
    const std::string before = "[Tovel]\r\nAddWeek=5\r\n";
    {
        SCOPED_TRACE("read-only file, writable folder");
        ProgramFolder folder;
        folder.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay));
        const std::string ini = folder.Write("Tovel.ini", before);
        fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        fs::permissions(folder.Path(), fs::perms::all);
        const Result r = folder.Run({}, SIGTERM, asNobody);
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(Slurp(ini), before);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 4);
    }
    {
        SCOPED_TRACE("writable file, read-only folder");
        ProgramFolder folder;
        folder.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay));
        const std::string ini = folder.Write("Tovel.ini", before);
        fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                 fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
        const Result r = folder.Run({}, SIGTERM, asNobody);
        EXPECT_EQ(r.Status, 0) << r.Err;
        const std::string after = Slurp(ini);
        EXPECT_NE(after.find("AddWeek=5\r\n"), std::string::npos) << after;
        EXPECT_NE(after.find("FormLeft="), std::string::npos) << after;
    }
}

// An installed program: a folder the user cannot write and no Tovel.ini there.
// The settings go to the user's configuration folder, created on the first
// save, and the user's own tables are listed after the program's (here the
// program has none), by the pop-up run too.
TEST(ProgramTest, InstalledProgramUsesTheUsersFolders) {
    if (::geteuid() != 0 || std::system("command -v setpriv >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "needs root and setpriv to run the program as the user nobody";
    test::TempFolder home;
    ASSERT_EQ(::chown(home.Path().c_str(), 65534, 65534), 0);
    const std::vector<std::string> asNobody = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                                               "--", "env", "-u", "XDG_CONFIG_HOME", "-u", "XDG_DATA_HOME",
                                               "HOME=" + home.Path()};
    const fs::path config = fs::path(home.Path()) / ".config/tovel";
    {
        SCOPED_TRACE("the first save creates the settings file in the user's folder");
        ProgramFolder folder;
        folder.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay));
        const Result r = folder.Run({}, SIGTERM, asNobody);
        EXPECT_EQ(r.Status, 0) << r.Err;
        const std::string saved = Slurp(config / "Tovel.ini");
        EXPECT_NE(saved.find("FormTop="), std::string::npos) << saved;
        EXPECT_FALSE(fs::exists(fs::path(folder.Path()) / "Tovel.ini"));
    }
    {
        SCOPED_TRACE("the pop-up reads the user's settings and tables");
        ProgramFolder folder;
        folder.Write("RHDates.Tvl", TableWithToday(kYomKippur));
        fs::create_directories(fs::path(home.Path()) / ".local/share/tovel");
        std::ofstream(fs::path(home.Path()) / ".local/share/tovel/home.sun", std::ios::binary) << kSunTable;
        std::ofstream(config / "Tovel.ini", std::ios::binary) << "[Tovel]\r\nActiveLocation=1\r\n";
        const Result r = folder.Run({"/L"}, 0, asNobody);
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(r.Out, "Tovel: Today is Yom Kippur\n");
    }
}

}  // namespace
}  // namespace tovel
