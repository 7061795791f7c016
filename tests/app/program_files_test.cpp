#include <set>

#include <gtest/gtest.h>

#include "app/program_files.h"

namespace tovel {
namespace {

TEST(ProgramFilesTest, SettingsAndTableFolders) {
    const std::string dir = "/opt/tovel";
    const std::optional<std::string> none;
    const UserFolders home{none, none, "/home/u"};
    const UserFolders xdg{"/cfg", "/dat", "/home/u"};
    const struct {
        const char* name;
        std::set<std::string> writable;
        UserFolders user;
        std::string settings;
        std::vector<std::string> tables;
        std::string own;
    } cases[] = {
        {"writable folder", {dir}, xdg, dir + "/Tovel.ini", {dir}, ""},
        {"read-only folder, writable Tovel.ini", {dir + "/Tovel.ini"}, xdg, dir + "/Tovel.ini", {dir}, ""},
        {"read-only folder, XDG unset", {}, home, "/home/u/.config/tovel/Tovel.ini",
         {dir, "/home/u/.local/share/tovel"}, "/home/u/.local/share/tovel"},
        {"read-only folder, XDG set", {}, xdg, "/cfg/tovel/Tovel.ini", {dir, "/dat/tovel"}, "/dat/tovel"},
        {"relative or empty XDG folders count as unset", {}, {"cfg", "", "/home/u"},
         "/home/u/.config/tovel/Tovel.ini", {dir, "/home/u/.local/share/tovel"}, "/home/u/.local/share/tovel"},
        {"no home at all: beside the program", {}, {none, none, none}, dir + "/Tovel.ini", {dir}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramFiles files = DecideProgramFiles(
            dir, c.user, [&](const std::string& path) { return c.writable.contains(path); });
        EXPECT_EQ(files.Settings, c.settings);
        EXPECT_EQ(files.TableFolders, c.tables);
        EXPECT_EQ(files.UserTableFolder, c.own);
    }
}

}  // namespace
}  // namespace tovel
