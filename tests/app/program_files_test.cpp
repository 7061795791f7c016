#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "app/program_files.h"
#include "sunset/user_tables.h"
#include "test_support.h"

namespace tovel {
namespace {

TEST(ProgramFilesTest, SettingsDataAndTableFolders) {
    const std::string dir = "/opt/tovel", ini = dir + "/Tovel.ini", lib = "/usr/lib/tovel";
    const std::string share = "/usr/share/tovel", libIni = lib + "/Tovel.ini";
    const std::optional<std::string> no;
    const UserFolders home{no, no, "/home/u"}, xdg{"/cfg", "/dat", "/home/u"};
    const std::string homeIni = "/home/u/.config/tovel/Tovel.ini";
    const std::string data = "/home/u/.local/share/tovel", dat = "/dat/tovel";
    const std::set<std::string> all = {dir, ini, lib, libIni, "/usr/libexec/tovel"};
    const std::vector<std::string> shared = {share + "/Tovel.ini", libIni};
    // clang-format off
    const struct { const char* name; std::string folder; std::set<std::string> writable, there;
                   UserFolders user; ProgramFiles files; } cases[] = {
        {"writable folder", dir, {dir}, {}, xdg, {ini, {}, dir, {dir}, dir, false}},
        {"read-only folder, writable Tovel.ini", dir, {ini}, {}, xdg, {ini, {}, dir, {dir}, dir}},
        {"read-only folder, XDG unset", dir, {}, {}, home,
         {homeIni, {ini}, dir, {dir, data}, data}},
        {"read-only folder, XDG set", dir, {}, {}, xdg,
         {"/cfg/tovel/Tovel.ini", {ini}, dir, {dir, dat}, dat}},
        {"relative or empty XDG: unset", dir, {}, {}, {"cfg", "", "/home/u"},
         {homeIni, {ini}, dir, {dir, data}, data}},
        {"no home: beside", dir, {}, {}, {no, no, no}, {ini, {}, dir, {dir}, dir}},
        {"no data home: beside", dir, {}, {}, {"/cfg", no, no}, {ini, {}, dir, {dir}, dir}},
        // Installed: where it lies decides, not what may be written (root may write anything).
        {"installed, writable", lib, all, {share}, home,
         {homeIni, shared, share, {share, data}, data, true}},
        {"installed in libexec", "/usr/libexec/tovel", all, {share}, xdg,
         {"/cfg/tovel/Tovel.ini", {share + "/Tovel.ini", "/usr/libexec/tovel/Tovel.ini"}, share,
          {share, dat}, dat, true}},
        {"installed, year table beside", lib, all, {share, lib + "/RHDates.Tvl"}, home,
         {homeIni, {libIni}, lib, {lib, data}, data, true}},
        {"installed without a home: nothing saved", lib, all, {share}, {no, no, no},
         {"", shared, share, {share}, "", true}},
        {"no share/tovel: not installed", lib, all, {}, home, {libIni, {}, lib, {lib}, lib}},
        {"installed in the home's .local: its tables once", "/home/u/.local/lib/tovel", {}, {data},
         home, {homeIni, {data + "/Tovel.ini", "/home/u/.local/lib/tovel/Tovel.ini"}, data, {data},
                data, true}},
        {"not under lib/: not installed", "/usr/local/tovel", {"/usr/local/tovel"},
         {"/usr/share/tovel", "/usr/local/share/tovel", "/share/tovel"}, home,
         {"/usr/local/tovel/Tovel.ini", {}, "/usr/local/tovel", {"/usr/local/tovel"},
          "/usr/local/tovel"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto in = [](auto& set) { return [&set](auto& path) { return set.contains(path); }; };
        const ProgramFiles files =
            DecideProgramFiles(c.folder, c.user, {in(c.writable), in(c.there), in(c.there)});
        EXPECT_EQ(files.Settings, c.files.Settings);
        EXPECT_EQ(files.Defaults, c.files.Defaults);
        EXPECT_EQ(files.DataFolder, c.files.DataFolder);
        EXPECT_EQ(files.TableFolders, c.files.TableFolders);
        EXPECT_EQ(files.UserTableFolder, c.files.UserTableFolder);
        EXPECT_EQ(files.Installed, c.files.Installed);
    }
}

// Only tables in the folder the user's tables go to may be removed, the shipped ones never.
TEST(ProgramFilesTest, RemovableTables) {
    const std::string lib = "/usr/lib/tovel", share = "/usr/share/tovel", own = "/h/.local/share";
    // clang-format off
    const struct { std::string path, userFolder, dataFolder; bool removable; } cases[] = {
        {lib + "/Town.sun", lib, lib, true},          // beside the program
        {lib + "/Haifa.sun", lib, lib, false},        // shipped
        {share + "/Town.sun", own, share, false},     // installed: the data folder is not the user's
        {own + "/Haifa.sun", own, share, true},       // the user's own, whatever its name
        {own + "/Haifa.sun", own, own, false},        // installed in ~/.local: one folder
        {share + "/Town.sun", "", share, false},      // installed without a home
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(IsUserTable(c.path, c.userFolder, c.dataFolder), c.removable) << c.path;
}

// The user's file while it exists (even one that cannot be read), else the first defaults file.
TEST(ProgramFilesTest, SiteDefaultsUntilTheUsersFileExists) {
    const test::TempFolder folder;
    const std::string user = folder.Path() + "/user.ini", none = folder.Path() + "/none.ini";
    const std::string site = folder.Write("site.ini", "site"), own = folder.Write("own.ini", "own");
    // clang-format off
    const struct { std::string settings; std::vector<std::string> defaults; FileRead read;
                   std::string text; } cases[] = {
        {own, {site}, FileRead::Ok, "own"},
        {user, {none, site, own}, FileRead::Missing, "site"},
        {"", {site}, FileRead::Missing, "site"},
        {folder.Path(), {site}, FileRead::NotRegularFile, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings + " then " + testing::PrintToString(c.defaults));
        ProgramFiles files;
        files.Settings = c.settings;
        files.Defaults = c.defaults;
        std::string text = "junk";
        EXPECT_EQ(ReadSettingsText(files, text), c.read);
        EXPECT_EQ(text, c.text);
    }
}

}  // namespace
}  // namespace tovel
