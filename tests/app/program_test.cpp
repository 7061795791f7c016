// The real tovel executable, copied with its window program into a program folder of its own and run on the
// offscreen platform. Each run's year table is made so that today (the machine's date) falls on a known day of a
// Jewish year: 10 Tishri (Yom Kippur) or 11 Tishri (no holiday).

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/read_file.h"
#include "test_support.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A year table whose year 5001 begins `dayInYear` - 1 days before today.
std::string TableWithToday(int dayInYear) {
    const Date start = Today() - (dayInYear - 1);
    return "5000 " + FormatDate(start - 385) + "\r\n5001 " + FormatDate(start) + "\r\n5002 " +
           FormatDate(start + 354) + "\r\n5003 " + FormatDate(start + 708) + "\r\n";
}

struct ProgramFolder : test::TempFolder {
    fs::path At(const std::string& name) const { return fs::path(Path()) / name; }
    void Fifo(const std::string& n) const { fs::remove(At(n)); ASSERT_EQ(::mkfifo(At(n).c_str(), 0600), 0); }
};

constexpr int kYomKippur = 10, kOrdinaryDay = 11, kFails = -1;
const char* const kSunTable = "Home\r\n";  // no lines needed: the pop-up only needs a location
const char* const kLocated = "[Tovel]\r\nActiveLocation=1\r\n";
const std::string kIni = "[Tovel]\r\nAddWeek=2\r\n";
const std::string kNotFound = "Tovel: $F/RHDates.Tvl not found, application quiting !!\n";
enum class As { Me, Root, Nobody, WithoutProc };
using SetUp = std::function<void(const class ProgramFolder&, const fs::path& home)>;

// One run: "$F" in what is said stands for the program folder.
struct Case {
    const char* name;
    bool window = true;  // tovel-window beside it
    int day = kOrdinaryDay;  // of Tishri, in the year table
    SetUp setUp = {};  // after the year table and kIni are written
    std::vector<std::string> arguments = {};
    int signal = SIGTERM;
    As as = As::Me;
    bool attended = false;  // messages in boxes, not on standard output
    rlim_t fileLimit = 0;   // RLIMIT_FSIZE in bytes: a full disk
    int status = 0;                     // kFails for any failure
    std::string out = "";               // all that is said
    const char* err = nullptr;          // part of the errors; "" for none
    std::string ini = "Tovel.ini";      // the settings file, in the folder or "~/" at home
    std::vector<std::string> saved = {};  // what it holds after; none: as it was
    std::string files = "";               // the names in the folder after, sorted, when not ""
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const SetUp kLocatedPopup = [](auto& f, auto&) { f.Write("home.sun", kSunTable), f.Write("Tovel.ini", kLocated); };
const SetUp kFifoTable = [](auto& f, auto&) { f.Fifo("RHDates.Tvl"); };
const SetUp kDamagedTable = [](auto& f, auto&) { f.Write("RHDates.Tvl", "5001 junk\r\n"); };
// Today 2000 days before the table's first year: it opens on the nearest month.
const SetUp kTableAfterToday = [](auto& f, auto&) { f.Write("RHDates.Tvl", TableWithToday(-2000)); };
const std::string kYomKippurSaid = "Tovel: Today is Yom Kippur\n";

const Case kCases[] = {
    {.name = "QuietPopupWithoutWindowProgram", .window = false, .setUp = kLocatedPopup,
     .arguments = {"/L"}, .signal = 0, .err = ""},
    {.name = "PopupAnnouncesYomKippur", .day = kYomKippur, .setUp = kLocatedPopup,
     .arguments = {"/l"}, .signal = 0, .out = kYomKippurSaid},
    {.name = "NoWindowProgram", .window = false, .day = kYomKippur, .setUp = kLocatedPopup,
     .signal = 0, .status = kFails, .err = "tovel: cannot start $F/tovel-window: No such file or directory"},
    // SIGTERM closes the window the normal way: the settings are written, the save leaves no file of its own
    // beside them, and a user's own copy stays.
    {.name = "TerminationSavesTheSettings", .setUp = [](auto& f, auto&) { f.Write("Tovel.ini.backup", ""); },
     .saved = {"AddXJ=-100\r\n", "FormTop="}, .files = "RHDates.Tvl Tovel.ini Tovel.ini.backup tovel tovel-window "},
    {.name = "HangupSavesTheSettings", .signal = SIGHUP, .saved = {"FormTop="}},
    {.name = "InterruptSavesTheSettings", .signal = SIGINT, .saved = {"FormTop="}},
    // A signal while a message box is open closes it, then leaves as the state requires.
    {.name = "SignalInDamagedTableBox", .setUp = kDamagedTable, .attended = true, .status = 1},
    {.name = "SignalInPopupBox", .day = kYomKippur, .setUp = kLocatedPopup, .arguments = {"/L"}, .attended = true},
    {.name = "SignalInNearestMonthBox", .setUp = kTableAfterToday, .attended = true, .saved = {"FormTop="}},
    {.name = "PopupTodayOutsideTheTable", .setUp = [](auto& f, auto& h) { kLocatedPopup(f, h), kTableAfterToday(f, h); },
     .arguments = {"/L"}, .signal = 0},
    // A save that cannot be written whole (a full disk), or that would grow the file past what the reader takes,
    // keeps the old file byte for byte and says so.
    {.name = "FullDiskKeepsTheSettings", .setUp = [](auto& f, auto&) { f.Write("Tovel.ini", kIni + std::string(300, ';')); },
     .fileLimit = 400, .err = "Tovel: The settings were not saved: $F/Tovel.ini: cannot be written: File too large"},
    {.name = "SettingsKeptWithinTheReadersLimit",
     .setUp = [](auto& f, auto&) { f.Write("Tovel.ini", ";" + std::string(kMaxDataFileBytes - 100, ' ') + "\r\n" + kIni); },
     .err = "Tovel: The settings were not saved: $F/Tovel.ini: not written: it would be larger than 1024 KiB"},
    // Root saves another user's file with its owner and mode, and leaves a read-only one alone.
    {.name = "RootKeepsOwnerAndMode",
     .setUp = [](auto& f, auto&) { ASSERT_EQ(::chown(f.At("Tovel.ini").c_str(), 65534, 65534), 0), fs::permissions(f.At("Tovel.ini"), fs::perms(0640)); },
     .as = As::Root, .saved = {"FormTop="}, .files = "RHDates.Tvl Tovel.ini tovel tovel-window "},
    {.name = "RootMakesTheSettingsForTheFoldersOwner",
     .setUp = [](auto& f, auto&) { fs::remove(f.At("Tovel.ini")); ASSERT_EQ(::chown(f.Path().c_str(), 65534, 65534), 0); },
     .as = As::Root, .saved = {"FormTop="}},
    {.name = "ReadOnlySettingsKeptFromRoot", .setUp = [](auto& f, auto&) { fs::permissions(f.At("Tovel.ini"), fs::perms(0444)); },
     .as = As::Root, .files = "RHDates.Tvl Tovel.ini tovel tovel-window "},
    // Damaged, hostile or odd files: a settings file that could not be read is never rewritten.
    {.name = "YearTableFifoPopup", .setUp = kFifoTable, .arguments = {"/L"}, .status = 1, .out = kNotFound},
    {.name = "YearTableFifo", .setUp = kFifoTable, .status = 1, .out = kNotFound},
    {.name = "YearTableTooBig",
     .setUp = [](auto& f, auto&) { f.Write("RHDates.Tvl", TableWithToday(kOrdinaryDay) + std::string(2 << 20, '\n')); },
     .status = 1, .out = "Tovel: $F/RHDates.Tvl cannot be read: larger than 1 MiB\n"},
    {.name = "YearTableDamaged", .setUp = kDamagedTable, .status = 1, .out = "Tovel: $F/RHDates.Tvl holds no year lines\n"},
    {.name = "SettingsTooBig",
     .setUp = [](auto& f, auto&) { f.Write("Tovel.ini", kIni + std::string(kMaxDataFileBytes, ';')); }},
    {.name = "SettingsFifo", .setUp = [](auto& f, auto&) { f.Fifo("Tovel.ini"); }},
    {.name = "OddSunsetTables",
     .setUp = [](auto& f, auto&) {
         f.Fifo("a.sun");
         f.Write("b.sun", std::string(10 << 20, 'x') + "\r\n"), f.Write("c.sun", std::string(300, 'x') + "\r\n");
         f.Write("Tovel.ini", kLocated);  // c.sun, whose long name is shown cut
     },
     .saved = {"ActiveLocation=1\r\n", "FormTop="}},
    // Without /proc the program cannot know its folder: it says so and ends,
    // rather than start a window program from wherever the user stands.
    {.name = "NoProcFileSystem", .signal = 0, .as = As::WithoutProc, .status = 1,
     .err = "tovel: cannot find the program's own folder"},
    // As another user the file's own permissions decide.
    {.name = "ReadOnlySettingsKept",
     .setUp = [](auto& f, auto&) {
         fs::permissions(f.At("Tovel.ini"), fs::perms(0444)), fs::permissions(f.Path(), fs::perms(0777));
     },
     .as = As::Nobody, .files = "RHDates.Tvl Tovel.ini tovel tovel-window "},
    {.name = "WritableSettingsInReadOnlyFolderUpdated",
     .setUp = [](auto& f, auto&) { fs::permissions(f.At("Tovel.ini"), fs::perms(0666)); },
     .as = As::Nobody, .saved = {"AddWeek=2\r\n", "FormLeft="}},
    // An installed program: a folder the user cannot write and no Tovel.ini there. The settings go to the user's
    // configuration folder, created on the first save, and the user's own tables are listed after the program's
    // (here the program has none), by the pop-up run too.
    {.name = "InstalledProgramSavesInTheUsersFolder",
     .setUp = [](auto& f, auto&) { fs::remove(f.At("Tovel.ini")); },
     .as = As::Nobody, .ini = "~/.config/tovel/Tovel.ini", .saved = {"FormTop="},
     .files = "RHDates.Tvl tovel tovel-window "},
    {.name = "InstalledPopupReadsTheUsersFiles", .day = kYomKippur,
     .setUp = [](auto& f, auto& home) {
         fs::remove(f.At("Tovel.ini"));
         for (const char* d : {".local/share/tovel", ".config/tovel"}) fs::create_directories(home / d);
         std::ofstream(home / ".local/share/tovel/home.sun", std::ios::binary) << kSunTable;
         std::ofstream(home / ".config/tovel/Tovel.ini", std::ios::binary) << kLocated;
     },
     .arguments = {"/L"}, .signal = 0, .as = As::Nobody, .out = kYomKippurSaid,
     .ini = "~/.config/tovel/Tovel.ini"},
};

class ProgramTest : public testing::TestWithParam<Case> {};

TEST_P(ProgramTest, Runs) {
    const Case& c = GetParam();
    // Another user, another user's file or a namespace of its own: root and the tool that runs it.
    const char* const tool = c.as == As::Nobody ? "setpriv" : c.as == As::WithoutProc ? "unshare" : "sh";
    if (c.as != As::Me && (::geteuid() != 0 || std::system((std::string("command -v ") + tool + " >/dev/null").c_str())))
        GTEST_SKIP() << "needs root and " << tool;
    const test::TempFolder homeFolder;
    const fs::path home = homeFolder.Path();
    const ProgramFolder folder;
    fs::copy_file(TOVEL_EXE, folder.At("tovel"));
    if (c.window) fs::copy_file(TOVEL_WINDOW_PROGRAM, folder.At("tovel-window"));
    fs::permissions(folder.Path(), fs::perms(0755));
    folder.Write("RHDates.Tvl", TableWithToday(c.day)), folder.Write("Tovel.ini", kIni);
    if (c.setUp) c.setUp(folder, home);
    // The program runs through `words` (another user or namespace); the signal waits, blocked, until it is ready
    // for it, and the alarm, kept across exec, ends a run that hangs after 30 s.
    std::vector<std::string> words;
    if (c.as == As::Nobody) {
        ASSERT_EQ(::chown(home.c_str(), 65534, 65534), 0);
        words = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--", "env", "-u",
                 "XDG_CONFIG_HOME", "-u", "XDG_DATA_HOME", "HOME=" + home.string()};
    } else if (c.as == As::WithoutProc) {
        words = {"unshare", "--mount", "--propagation", "private", "sh", "-c",
                 "mount -t tmpfs none /proc && exec \"$0\" \"$@\""};
    }
    words.push_back(folder.Path() + "/tovel");
    words.insert(words.end(), c.arguments.begin(), c.arguments.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const fs::path ini = c.ini.starts_with("~/") ? home / c.ini.substr(2) : folder.At(c.ini);
    const std::string before = fs::is_regular_file(ini) ? Slurp(ini) : "";
    struct stat was {}, is {};
    const bool existed = ::stat(ini.c_str(), &was) == 0;
    sigset_t blocked, old;
    sigemptyset(&blocked);
    if (c.signal) sigaddset(&blocked, c.signal);
    sigprocmask(SIG_BLOCK, &blocked, &old);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open((folder.Path() + ".out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open((folder.Path() + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (!c.attended) setenv("TOVEL_UNATTENDED", "1", 1);
        const rlimit limit{c.fileLimit, c.fileLimit};
        if (c.fileLimit) ::signal(SIGXFSZ, SIG_IGN), ::setrlimit(RLIMIT_FSIZE, &limit);
        ::alarm(30), ::execvp(argv[0], argv.data()), ::_exit(127);
    }
    sigprocmask(SIG_SETMASK, &old, nullptr);
    if (c.signal) ::kill(pid, c.signal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string out = Slurp(folder.Path() + ".out"), err = Slurp(folder.Path() + ".err");
    fs::remove(folder.Path() + ".out"), fs::remove(folder.Path() + ".err");
    status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);  // or 128 + signal
    const auto fill = [&](std::string text) {
        if (const auto at = text.find("$F"); at != std::string::npos) text.replace(at, 2, folder.Path());
        return text;
    };
    EXPECT_TRUE(c.status == kFails ? status != 0 : status == c.status) << status << err;
    EXPECT_EQ(out, fill(c.out));
    EXPECT_TRUE(!c.err || (*c.err ? err.find(fill(c.err)) != std::string::npos : err.empty())) << err;
    const std::string after = fs::is_regular_file(ini) ? Slurp(ini) : "";
    EXPECT_TRUE(!c.saved.empty() || after == before) << after;
    for (const std::string& key : c.saved) EXPECT_NE(after.find(key), std::string::npos) << after;
    // A save keeps the owner and mode; a new file belongs to its folder's owner.
    struct stat folderStat {};
    if (existed && ::stat(ini.c_str(), &is) == 0) {
        EXPECT_EQ(std::tuple(is.st_uid, is.st_gid, is.st_mode), std::tuple(was.st_uid, was.st_gid, was.st_mode));
    } else if (::stat(ini.c_str(), &is) == 0 && ::stat(ini.parent_path().c_str(), &folderStat) == 0) {
        EXPECT_EQ(is.st_uid, folderStat.st_uid);
    }
    std::set<std::string> names;  // sorted
    for (const auto& entry : fs::directory_iterator(folder.Path())) names.insert(entry.path().filename());
    std::string listing;
    for (const std::string& name : names) listing += name + " ";
    EXPECT_TRUE(c.files.empty() || listing == c.files) << listing;
}

INSTANTIATE_TEST_SUITE_P(, ProgramTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tovel
