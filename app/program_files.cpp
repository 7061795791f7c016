#include "app/program_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "engine/year_table.h"

namespace tovel {

namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

// "/a/b/c" -> "/a/b" and "c"; a path without a slash has no parent.
std::string ParentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}
std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

std::optional<std::string> BaseFolder(const std::optional<std::string>& variable,
                                      const std::optional<std::string>& home,
                                      const char* fallback) {
    if (variable && variable->starts_with('/')) return *variable;
    if (home && home->starts_with('/')) return *home + "/" + fallback;
    return std::nullopt;
}

std::optional<std::string> InstalledDataFolder(const std::string& folder, const PathTests& test) {
    const std::string lib = ParentOf(folder), prefix = ParentOf(lib);
    if (NameOf(folder) != "tovel" || (NameOf(lib) != "lib" && NameOf(lib) != "libexec"))
        return std::nullopt;
    const std::string data = prefix + "/share/tovel";
    if (!test.IsFolder(data)) return std::nullopt;
    return data;
}

ProgramFiles DecideProgramFiles(const std::string& folder, const UserFolders& user,
                                const PathTests& test) {
    const auto installed = InstalledDataFolder(folder, test);
    const std::string data =
        installed && !test.Exists(folder + "/" + kYearTableName) ? *installed : folder;
    const std::string besideIni = folder + "/Tovel.ini";
    ProgramFiles files{besideIni, {}, data, {data}, folder, installed.has_value()};
    if (!installed && (test.Writable(folder) || test.Writable(besideIni))) return files;
    const auto config = BaseFolder(user.XdgConfigHome, user.Home, ".config");
    const auto userData = BaseFolder(user.XdgDataHome, user.Home, ".local/share");
    files.Defaults = {data + "/Tovel.ini"};
    if (data != folder) files.Defaults.push_back(besideIni);
    if (config && userData) {
        files.Settings = *config + "/tovel/Tovel.ini";
        files.UserTableFolder = *userData + "/tovel";
        if (files.UserTableFolder != data) files.TableFolders.push_back(files.UserTableFolder);
    } else if (installed) {
        files.Settings = files.UserTableFolder = "";
    } else {
        files.Defaults.clear();
    }
    return files;
}

UserFolders UserFoldersFromEnvironment() {
    return {Variable("XDG_CONFIG_HOME"), Variable("XDG_DATA_HOME"), Variable("HOME")};
}

PathTests PathTestsForMe() {
    return {[](const std::string& path) {
                return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
            },
            [](const std::string& path) { return ::access(path.c_str(), F_OK) == 0; },
            [](const std::string& path) {
                struct stat st {};
                return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            }};
}

FileRead ReadSettingsText(const ProgramFiles& files, std::string& content) {
    content.clear();
    const FileRead read =
        files.Settings.empty() ? FileRead::Missing : ReadDataFile(files.Settings, content);
    if (read != FileRead::Missing) return read;
    for (const std::string& defaults : files.Defaults)
        if (ReadDataFile(defaults, content) != FileRead::Missing) break;
    return read;
}

}  // namespace tovel
