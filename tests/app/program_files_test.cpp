#include <set>

#include <gtest/gtest.h>

#include "app/program_files.h"

namespace tovel {
namespace {

TEST(ProgramFilesTest, SettingsAndTableFolders) {
    const std::string dir = "/opt/tovel", ini = dir + "/Tovel.ini";
    const std::optional<std::string> no;
    const UserFolders home{no, no, "/home/u"}, xdg{"/cfg", "/dat", "/home/u"};
    const std::string homeIni = "/home/u/.config/tovel/Tovel.ini";
    const std::string data = "/home/u/.local/share/tovel", dat = "/dat/tovel";
    // clang-format off
    const struct { const char* name; std::set<std::string> writable; UserFolders user;
                   ProgramFiles files; } cases[] = {
        {"writable folder", {dir}, xdg, {ini, {dir}, ""}},
        {"read-only folder, writable Tovel.ini", {ini}, xdg, {ini, {dir}, ""}},
        {"read-only folder, XDG unset", {}, home, {homeIni, {dir, data}, data}},
        {"read-only folder, XDG set", {}, xdg, {"/cfg/tovel/Tovel.ini", {dir, dat}, dat}},
        {"relative or empty XDG: unset", {}, {"cfg", "", "/home/u"}, {homeIni, {dir, data}, data}},
        {"no home at all: beside the program", {}, {no, no, no}, {ini, {dir}, ""}},
        {"no data home: beside the program", {}, {"/cfg", no, no}, {ini, {dir}, ""}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto writable = [&](auto& path) { return c.writable.contains(path); };
        const ProgramFiles files = DecideProgramFiles(dir, c.user, writable);
        EXPECT_EQ(files.Settings, c.files.Settings);
        EXPECT_EQ(files.TableFolders, c.files.TableFolders);
        EXPECT_EQ(files.UserTableFolder, c.files.UserTableFolder);
    }
}

}  // namespace
}  // namespace tovel
