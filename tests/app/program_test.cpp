// The real tovel executable and its window program, run offscreen from a folder of their own whose
// year table puts today (the machine's date) on 10 Tishri (Yom Kippur) or 11 Tishri (no holiday).

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
#include <sstream>

#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/read_file.h"
#include "machine_support.h"
#include "test_support.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;

// A regular file's bytes; "" for anything else.
std::string Slurp(const fs::path& path) {
    if (!fs::is_regular_file(path)) return "";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A year table whose year 5001 begins `dayInYear` - 1 days before today.
std::string TableWithToday(int dayInYear) {
    const Date start = Today() - (dayInYear - 1);
    return "5000 " + FormatDate(start - 385) + "\r\n5001 " + FormatDate(start) + "\r\n5002 " +
           FormatDate(start + 354) + "\r\n5003 " + FormatDate(start + 708) + "\r\n";
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

const std::string kFifo = "<named pipe>";
using Files = std::vector<std::pair<std::string, std::string>>;

struct ProgramFolder : test::TempFolder {
    fs::path At(const std::string& name) const { return fs::path(Path()) / name; }
    // Each file written, or a named pipe made for kFifo.
    void Write(const Files& files) const {
        for (const auto& [name, text] : files) {
            fs::remove(At(name));
            if (text != kFifo) TempFolder::Write(name, text);
            ASSERT_EQ(text == kFifo ? ::mkfifo(At(name).c_str(), 0600) : 0, 0);
        }
    }
    // Of the file `name`, or of the folder for "": the mode, or the owner `nobody`.
    void Mode(const std::string& n, int mode) const { fs::permissions(At(n), fs::perms(mode)); }
    void Own(const std::string& n) const { ASSERT_EQ(::chown(At(n).c_str(), 65534, 65534), 0); }
};

constexpr int kKippur = 10, kOrdinary = 11, kFails = -1, kAuto = -1;
const char* const kSunTable = "Home\r\n";  // no lines needed: the pop-up only needs a location
const char* const kLocated = "[Tovel]\r\nActiveLocation=1\r\n";
const std::string kIni = "[Tovel]\r\nAddWeek=2\r\n", kSaid = "Tovel: Today is Yom Kippur\n";
const std::string kTable = "Tovel: $F/RHDates.Tvl ";
const std::string kNotFound = kTable + "not found, application quiting !!\n";
const std::string kTooBig = kTable + "cannot be read: larger than 1 MiB\n";
const std::string kNotSaved = "Tovel: The settings were not saved: $F/Tovel.ini: ";
const std::string kFull = "cannot be written: File too large";
const std::string kOver = "not written: it would be larger than 1024 KiB";
const std::string kNoWindow = "tovel: cannot start $F/tovel-window: No such file or directory";
const std::string kNoFolder = "tovel: cannot find the program's own folder";
const Files kPopup = {{"home.sun", kSunTable}, {"Tovel.ini", kLocated}};
const Files kKippurPopup = {kPopup[0], kPopup[1], {"RHDates.Tvl", TableWithToday(kKippur)}};
// Today 2000 days before the table's first year: it opens on the nearest month.
const Files kTooEarly = {{"RHDates.Tvl", TableWithToday(-2000)}};
const Files kEarlyPopup = {kPopup[0], kPopup[1], kTooEarly[0]};
const Files kPadded = {{"Tovel.ini", kIni + std::string(300, ';')}};
const std::string kSpaces(kMaxDataFileBytes - 100, ' ');
const Files kNearLimit = {{"Tovel.ini", ";" + kSpaces + "\r\n" + kIni}};
const Files kBigTable = {{"RHDates.Tvl", TableWithToday(kOrdinary) + std::string(2 << 20, '\n')}};
const Files kBigIni = {{"Tovel.ini", kIni + std::string(kMaxDataFileBytes, ';')}};
const Files kDamaged = {{"RHDates.Tvl", "5001 junk\r\n"}}, kBackup = {{"Tovel.ini.backup", ""}};
const Files kPipedTable = {{"RHDates.Tvl", kFifo}}, kPipedIni = {{"Tovel.ini", kFifo}};
// c.sun, whose long name is shown cut, is the one in use.
const Files kOddSuns = {{"a.sun", kFifo},
                        {"b.sun", std::string(10 << 20, 'x') + "\r\n"},
                        {"c.sun", std::string(300, 'x') + "\r\n"},
                        {"Tovel.ini", kLocated}};
const std::vector<std::string> kL = {"/L"};
enum class As { Me, Root, Nobody, WithoutProc };
using enum As;
using SetUp = std::function<void(const ProgramFolder&, const fs::path& home)>;

// One run ("$F": the program folder). The settings: the folder's Tovel.ini, else the user's. The
// folder holds after the run the names it held before, and a Tovel.ini made there.
struct Case {
    const char* n;
    Files files = {};  // written after the year table (today 11 Tishri) and kIni
    SetUp set = {};    // after that
    std::vector<std::string> args = {};
    int sig = kAuto;  // SIGTERM for a window run, none for a pop-up run
    As as = Me;
    bool box = false;                     // messages in boxes, not on standard output
    bool noWin = false;                   // no tovel-window beside it
    rlim_t fsize = 0;                     // RLIMIT_FSIZE in bytes: a full disk
    int st = 0;                           // the exit status; kFails for any failure
    std::string out = "";                 // all that is said
    std::optional<std::string> err = {};  // part of the errors; "" for none
    std::vector<std::string> saved = {};  // what the settings hold after; none: as they were
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.n; }

const SetUp kOthers = [](auto& f, auto&) { f.Own("Tovel.ini"), f.Mode("Tovel.ini", 0640); };
const SetUp kNone = [](auto& f, auto&) { fs::remove(f.At("Tovel.ini")); };
const SetUp kOthersFolder = [](auto& f, auto& h) { kNone(f, h), f.Own(""); };
const SetUp kReadOnly = [](auto& f, auto&) { f.Mode("Tovel.ini", 0444); };
const SetUp kReadOnlyShared = [](auto& f, auto& h) { kReadOnly(f, h), f.Mode("", 0777); };
const SetUp kWritable = [](auto& f, auto&) { f.Mode("Tovel.ini", 0666); };
const SetUp kHomeFiles = [](auto& f, auto& home) {
    kNone(f, home), f.Write({{"RHDates.Tvl", TableWithToday(kKippur)}});
    for (const char* d : {".local/share/tovel", ".config/tovel"}) fs::create_directories(home / d);
    std::ofstream(home / ".local/share/tovel/home.sun", std::ios::binary) << kSunTable;
    std::ofstream(home / ".config/tovel/Tovel.ini", std::ios::binary) << kLocated;
};

// clang-format off
const Case kCases[] = {
    {.n = "QuietPopupWithoutWindowProgram", .files = kPopup, .args = kL, .noWin = true, .err = ""},
    {.n = "PopupAnnouncesYomKippur", .files = kKippurPopup, .args = {"/l"}, .out = kSaid},
    {.n = "NoWindowProgram", .sig = 0, .noWin = true, .st = kFails, .err = kNoWindow},
    // A signal closes the window the normal way: saved, no file of the save left, the user's kept.
    {.n = "TerminationSaves", .files = kBackup, .saved = {"AddXJ=-100\r\n", "FormTop="}},
    {.n = "HangupSaves", .sig = SIGHUP, .saved = {"FormTop="}},
    {.n = "InterruptSaves", .sig = SIGINT, .saved = {"FormTop="}},
    // A signal while a message box is open closes it, then leaves as the state requires.
    {.n = "SignalInDamagedTableBox", .files = kDamaged, .box = true, .st = 1},
    {.n = "SignalInPopupBox", .files = kKippurPopup, .args = kL, .sig = SIGTERM, .box = true},
    {.n = "SignalInNearestMonthBox", .files = kTooEarly, .box = true, .saved = {"FormTop="}},
    {.n = "PopupTodayOutsideTheTable", .files = kEarlyPopup, .args = kL},
    // A save that cannot be whole (a full disk) or read (too big) keeps the old file, and says so.
    {.n = "FullDiskKeepsTheSettings", .files = kPadded, .fsize = 400, .err = kNotSaved + kFull},
    {.n = "SettingsKeptWithinTheReadersLimit", .files = kNearLimit, .err = kNotSaved + kOver},
    // Root saves another user's file with its owner and mode, and leaves a read-only one alone.
    {.n = "RootKeepsOwnerAndMode", .set = kOthers, .as = Root, .saved = {"FormTop="}},
    {.n = "RootMakesIniForFoldersOwner", .set = kOthersFolder, .as = Root, .saved = {"FormTop="}},
    {.n = "ReadOnlySettingsKeptFromRoot", .set = kReadOnly, .as = Root},
    // Damaged, hostile or odd files: a settings file that could not be read is never rewritten.
    {.n = "YearTableFifoPopup", .files = kPipedTable, .args = kL, .st = 1, .out = kNotFound},
    {.n = "YearTableFifo", .files = kPipedTable, .st = 1, .out = kNotFound},
    {.n = "YearTableTooBig", .files = kBigTable, .st = 1, .out = kTooBig},
    {.n = "YearTableDamaged", .files = kDamaged, .st = 1, .out = kTable + "holds no year lines\n"},
    {.n = "SettingsTooBig", .files = kBigIni},
    {.n = "SettingsFifo", .files = kPipedIni},
    {.n = "OddSunsetTables", .files = kOddSuns, .saved = {"ActiveLocation=1\r\n", "FormTop="}},
    // Without /proc the program's folder is unknown: it says so rather than run what is at hand.
    {.n = "NoProcFileSystem", .sig = 0, .as = WithoutProc, .st = 1, .err = kNoFolder},
    // As another user the file's own permissions decide.
    {.n = "ReadOnlySettingsKept", .set = kReadOnlyShared, .as = Nobody},
    {.n = "WritableIniInReadOnlyFolder", .set = kWritable, .as = Nobody, .saved = {"FormTop="}},
    // An installed program (a folder the user cannot write, no Tovel.ini): the settings go to the
    // user's configuration folder, made on the first save; the user's tables count, in pop-ups too.
    {.n = "InstalledSavesInTheUsersFolder", .set = kNone, .as = Nobody, .saved = {"FormTop="}},
    {.n = "InstalledPopupUsersFiles", .set = kHomeFiles, .args = kL, .as = Nobody, .out = kSaid},
};
// clang-format on

class ProgramTest : public testing::TestWithParam<Case> {};

TEST_P(ProgramTest, Runs) {
    const Case& c = GetParam();
    // Another user, another user's file or a namespace of its own: what the machine may refuse.
    if (c.as != Me)
        if (const auto why =
                c.as == WithoutProc ? test::WhyNoPrivateMount() : test::WhyNoSecondUser();
            !why.empty())
            GTEST_SKIP() << why;
    const test::TempFolder homeFolder;
    const fs::path home = homeFolder.Path();
    const ProgramFolder folder;
    fs::copy_file(TOVEL_EXE, folder.At("tovel"));
    if (!c.noWin) fs::copy_file(TOVEL_WINDOW_PROGRAM, folder.At("tovel-window"));
    folder.Mode("", 0755);
    folder.Write({{"RHDates.Tvl", TableWithToday(kOrdinary)}, {"Tovel.ini", kIni}});
    folder.Write(c.files);
    if (c.set) c.set(folder, home);
    // The program runs through `words` (another user or namespace); the signal waits, blocked,
    // until it is ready for it, and the alarm, kept across exec, ends a run that hangs after 30 s.
    if (c.as == Nobody) folder.Own(home);
    std::istringstream via(c.as == Nobody ? "setpriv --reuid=65534 --regid=65534 --clear-groups -- "
                                            "env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME=" +
                                                home.string()
                           : c.as == WithoutProc ? "unshare --mount --propagation private sh -c"
                                                 : "");
    std::vector<std::string> words;
    for (std::string word; via >> word;) words.push_back(word);
    if (c.as == WithoutProc) words.push_back("mount -t tmpfs none /proc && exec \"$0\" \"$@\"");
    words.push_back(folder.Path() + "/tovel");
    words.insert(words.end(), c.args.begin(), c.args.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    const fs::path inFolder = folder.At("Tovel.ini"), atHome = home / ".config/tovel/Tovel.ini";
    const std::string folderBefore = Slurp(inFolder), homeBefore = Slurp(atHome);
    std::set<std::string> names = Names(folder.Path());
    struct stat was = {}, is = {};
    const bool existed = ::stat(inFolder.c_str(), &was) == 0;
    const int sig = c.sig != kAuto ? c.sig : c.args.empty() ? SIGTERM : 0;
    sigset_t blocked, old;
    sigemptyset(&blocked);
    if (sig) sigaddset(&blocked, sig);
    sigprocmask(SIG_BLOCK, &blocked, &old);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open((home / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        ::dup2(::open((home / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (!c.box) setenv("TOVEL_UNATTENDED", "1", 1);
        const rlimit limit{c.fsize, c.fsize};
        if (c.fsize) ::signal(SIGXFSZ, SIG_IGN), ::setrlimit(RLIMIT_FSIZE, &limit);
        ::alarm(30), ::execvp(argv[0], argv.data()), ::_exit(127);
    }
    sigprocmask(SIG_SETMASK, &old, nullptr);
    if (sig) ::kill(pid, sig);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string out = Slurp(home / "out"), err = Slurp(home / "err");
    status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const auto fill = [&](std::string text) {
        if (const auto at = text.find("$F"); at != std::string::npos)
            text.replace(at, 2, folder.Path());
        return text;
    };
    EXPECT_EQ(c.st == kFails && status != 0 ? kFails : status, c.st) << err;
    EXPECT_EQ(out, fill(c.out));
    EXPECT_EQ(c.err && c.err->empty() ? err : "", "");
    EXPECT_NE(c.err && !c.err->empty() ? err.find(fill(*c.err)) : 0, std::string::npos) << err;
    const bool made = !existed && fs::exists(inFolder), local = existed || made;
    const fs::path ini = local ? inFolder : atHome;
    const std::string after = Slurp(ini);
    EXPECT_EQ(after, !c.saved.empty() ? after : local ? folderBefore : homeBefore);
    for (const std::string& key : c.saved) EXPECT_NE(after.find(key), std::string::npos) << after;
    if (made) names.insert("Tovel.ini");
    EXPECT_EQ(Names(folder.Path()), names);
    // A save keeps the owner and mode; a new file belongs to its folder's owner.
    if (!existed) ::stat(ini.parent_path().c_str(), &was);
    if (::stat(ini.c_str(), &is) == 0) {
        EXPECT_EQ(is.st_uid, was.st_uid);
        EXPECT_EQ(existed ? is.st_gid : was.st_gid, was.st_gid);
        EXPECT_EQ(existed ? is.st_mode : was.st_mode, was.st_mode);
    }
}

INSTANTIATE_TEST_SUITE_P(, ProgramTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.n; });

}  // namespace
}  // namespace tovel
