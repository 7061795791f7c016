#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "app/program_files.h"

namespace tovel {
namespace {

TEST(ProgramFilesTest, SettingsAndTableFolders) {
    const std::string dir = "/opt/tovel";
    const std::optional<std::string> none;
    const UserFolders home{none, none, "/home/u"};
    const UserFolders xdg{"/cfg", "/dat", "/home/u"};
    const std::string homeData = "/home/u/.local/share/tovel";
    const struct { const char* name; std::set<std::string> writable; UserFolders user; ProgramFiles files; } cases[] = {
        {"writable folder", {dir}, xdg, {dir + "/Tovel.ini", {dir}, ""}},
        {"read-only folder, writable Tovel.ini", {dir + "/Tovel.ini"}, xdg, {dir + "/Tovel.ini", {dir}, ""}},
        {"read-only folder, XDG unset", {}, home, {"/home/u/.config/tovel/Tovel.ini", {dir, homeData}, homeData}},
        {"read-only folder, XDG set", {}, xdg, {"/cfg/tovel/Tovel.ini", {dir, "/dat/tovel"}, "/dat/tovel"}},
        {"relative or empty XDG folders count as unset", {}, {"cfg", "", "/home/u"},
         {"/home/u/.config/tovel/Tovel.ini", {dir, homeData}, homeData}},
        {"no home at all: beside the program", {}, {none, none, none}, {dir + "/Tovel.ini", {dir}, ""}},
    };
    for (const auto& c : cases) {
        const ProgramFiles files = DecideProgramFiles(dir, c.user, [&](auto& path) { return c.writable.contains(path); });
        EXPECT_TRUE(std::tie(files.Settings, files.TableFolders, files.UserTableFolder) ==
                    std::tie(c.files.Settings, c.files.TableFolders, c.files.UserTableFolder))
            << c.name << ": " << files.Settings << " " << files.UserTableFolder;
    }
}

}  // namespace
}  // namespace tovel
