#include "app/autostart.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "app/file_writer.h"
#include "app/ini_file.h"
#include "engine/read_file.h"

namespace tovel {

namespace {

// One argument of an Exec line: in double quotes when it holds a reserved
// character, with '"', '`', '$' and '\' escaped inside; '%' doubled, since it
// starts a field code. Then the value's own escape: '\' as "\\".
std::string ExecArgument(const std::string& word) {
    constexpr std::string_view reserved = " \t\"'\\><~|&;$*?#()`";
    const bool quoted = word.find_first_of(reserved) != std::string::npos;
    std::string arg = quoted ? "\"" : "";
    for (char c : word) {
        if (quoted && std::string_view("\"`$\\").find(c) != std::string_view::npos) arg += '\\';
        arg += c == '%' ? "%%" : std::string(1, c);
    }
    if (quoted) arg += '"';
    std::string value;
    for (char c : arg) value += c == '\\' ? "\\\\" : std::string(1, c);
    return value;
}

std::string ValueText(const std::string& text) {
    std::string value;
    for (char c : text) value += c == '\\' ? "\\\\" : std::string(1, c);
    return value;
}

}  // namespace

std::optional<std::string> AutostartPath(const UserFolders& user) {
    const auto config = BaseFolder(user.XdgConfigHome, user.Home, ".config");
    if (!config) return std::nullopt;
    return *config + "/autostart/" + kAutostartFile;
}

std::string ProgramToStart(const std::string& folder, bool installed) {
    namespace fs = std::filesystem;
    const fs::path program = fs::path(folder) / "tovel";
    const fs::path link = fs::path(folder).parent_path().parent_path() / "bin" / "tovel";
    std::error_code ec;
    if (installed && fs::equivalent(link, program, ec)) return link.string();
    return program.string();
}

std::optional<std::string> AutostartEntry(const std::string& program) {
    if (program.empty() || PrintableName(program) != program) return std::nullopt;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tovel holidays\n"
           "Comment=Announces today's Jewish holiday when the session starts\n"
           "Exec=" +
           ExecArgument(program) + " /L\nTryExec=" + ValueText(program) +
           "\nIcon=tovel\nTerminal=false\n";
}

bool AutostartEnabled(const std::string& path) {
    std::string text;
    if (ReadDataFile(path, text) != FileRead::Ok) return false;
    const auto value = [&](const char* key) {
        return GetProfileString(text, "Desktop Entry", key, "", 64);
    };
    return !value("Exec").empty() && value("Hidden") != "true" &&
           value("X-GNOME-Autostart-enabled") != "false";
}

std::string SetAutostart(const std::string& path, const std::string& program, bool on) {
    if (!on) {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT) return "";
        return PrintableName(path) + ": cannot be removed: " + std::strerror(errno);
    }
    const auto entry = AutostartEntry(program);
    if (!entry) return PrintableName(program) + ": a login entry cannot name this program's path";
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return ReplaceFile(path, *entry).Problem;
}

}  // namespace tovel
