#include <cstdlib>

#include <gtest/gtest.h>

#include "app/autostart.h"
#include "test_support.h"

namespace tovel {
namespace {

// clang-format off
const struct { const char* program; const char* exec; } kEntries[] = {
    {"/usr/bin/tovel", "/usr/bin/tovel"},
    {"/home/a b/tovel", R"("/home/a b/tovel")"},
    {"/opt/50%/tovel", "/opt/50%%/tovel"},
    {"/opt/né/tovel", "/opt/né/tovel"},
    {R"(/x/"q"$H`t`\/tovel)", R"("/x/\\"q\\"\\$H\\`t\\`\\\\/tovel")"},
    {"/x/it's;(a)|b&c<d>~*?#/tovel", R"("/x/it's;(a)|b&c<d>~*?#/tovel")"},
};
// clang-format on

// The Exec line as the desktop entry format quotes it (checked by hand against the format's
// rules: reserved characters quoted, '"', '`', '$', '\' escaped inside quotes, '%' doubled, then
// every '\' of the value doubled), and no entry for a path that a line cannot hold.
TEST(AutostartTest, ExecLines) {
    for (const auto& c : kEntries) {
        SCOPED_TRACE(c.program);
        const auto entry = AutostartEntry(c.program);
        ASSERT_TRUE(entry);
        EXPECT_NE(entry->find(std::string("\nExec=") + c.exec + " /L\n"), std::string::npos);
    }
    for (const char* refused : {"", "/a\nb/tovel", "/a\tb/tovel", "/\xff/tovel", "/\x7f/tovel"})
        EXPECT_FALSE(AutostartEntry(refused)) << refused;
}

// Every entry written passes desktop-file-validate, and removing it twice is no error.
TEST(AutostartTest, WrittenEntriesAreValid) {
    if (std::system("command -v desktop-file-validate >/dev/null") != 0)
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    const test::TempFolder folder;
    const std::string path = folder.Path() + "/autostart/" + kAutostartFile;
    for (const auto& c : kEntries) {
        SCOPED_TRACE(c.program);
        ASSERT_EQ(SetAutostart(path, c.program, true), "");
        EXPECT_EQ(std::system(("desktop-file-validate '" + path + "' >&2").c_str()), 0);
        EXPECT_EQ(SetAutostart(path, c.program, false), "");
        EXPECT_EQ(SetAutostart(path, c.program, false), "");
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
}  // namespace tovel
