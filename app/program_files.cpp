#include "app/program_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

namespace tovel {

namespace {

// An XDG base folder: the variable when it holds an absolute path, else
// `fallback` under the home folder.
std::optional<std::string> BaseFolder(const std::optional<std::string>& variable,
                                      const std::optional<std::string>& home,
                                      const char* fallback) {
    if (variable && variable->starts_with('/')) return *variable;
    if (home && home->starts_with('/')) return *home + fallback;
    return std::nullopt;
}

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

}  // namespace

ProgramFiles DecideProgramFiles(const std::string& folder, const UserFolders& user,
                                const WritableTest& writable) {
    const std::string besideIni = folder + "/Tovel.ini";
    ProgramFiles beside{besideIni, {folder}, ""};
    if (writable(folder) || writable(besideIni)) return beside;
    const auto config = BaseFolder(user.XdgConfigHome, user.Home, "/.config");
    const auto data = BaseFolder(user.XdgDataHome, user.Home, "/.local/share");
    if (!config || !data) return beside;
    return {*config + "/tovel/Tovel.ini", {folder, *data + "/tovel"}, *data + "/tovel"};
}

UserFolders UserFoldersFromEnvironment() {
    return {Variable("XDG_CONFIG_HOME"), Variable("XDG_DATA_HOME"), Variable("HOME")};
}

bool WritableByMe(const std::string& path) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace tovel
