#pragma once
// Where the data, the settings file and the sunset tables are.
//
// An installed program lies in <prefix>/lib/tovel (or <prefix>/libexec/tovel) beside a folder
// <prefix>/share/tovel: it reads its data there and never writes under <prefix>, whoever runs it
// and whatever it may write. Its settings live in the user's configuration folder and the user's
// own tables in the user's data folder, after the shipped ones. Any other program folder (a build
// folder, a user's own copy) keeps everything beside the program when the folder or a Tovel.ini
// in it is writable, and uses the user's folders otherwise.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/read_file.h"

namespace tovel {

// The parts of the environment the decision reads; nothing for a variable
// that is unset.
struct UserFolders {
    std::optional<std::string> XdgConfigHome;
    std::optional<std::string> XdgDataHome;
    std::optional<std::string> Home;
};

struct ProgramFiles {
    // The full path of the user's Tovel.ini, read at start-up and written at the end; "" for an
    // installed program run without any home folder: then nothing is saved.
    std::string Settings;
    // Site defaults, read in this order when the user's file does not exist; never written.
    std::vector<std::string> Defaults;
    // The folder of RHDates.Tvl and the shipped tables.
    std::string DataFolder;
    // Where *.sun tables are listed, in menu order.
    std::vector<std::string> TableFolders;
    // Where the user's new tables go: the program's folder when everything stays beside it, else
    // the user's data folder; "" when there is none (installed, without a home).
    std::string UserTableFolder;
    bool Installed = false;
};

// What the decision asks of the file system about a path.
struct PathTests {
    std::function<bool(const std::string&)> Writable;  // the running user may write it
    std::function<bool(const std::string&)> Exists;    // something is there
    std::function<bool(const std::string&)> IsFolder;  // a folder is there
};

// <prefix>/share/tovel for a program folder <prefix>/lib/tovel or <prefix>/libexec/tovel when that
// data folder exists: the folder is then an installed one. Nothing for any other folder.
std::optional<std::string> InstalledDataFolder(const std::string& folder, const PathTests& test);

// The decision for the program folder `folder` (a full path, links resolved).
//  - The data folder is `folder` when RHDates.Tvl is there (a build folder, a copy), else the
//    installed data folder when there is one, else `folder`.
//  - Not installed, and the folder or a Tovel.ini in it writable: everything beside the program.
//  - Otherwise Tovel.ini is in $XDG_CONFIG_HOME/tovel (default $HOME/.config/tovel), with the
//    defaults Tovel.ini of the data folder, then of `folder`; the tables are those of the data
//    folder followed by $XDG_DATA_HOME/tovel (default $HOME/.local/share/tovel), the same
//    folder once when they are one (a program installed in ~/.local). An XDG variable that is
//    empty or not an absolute path counts as unset.
//  - Without any home, a program that is not installed keeps everything beside it; an installed
//    one saves nothing and has no folder for the user's tables.
ProgramFiles DecideProgramFiles(const std::string& folder, const UserFolders& user,
                                const PathTests& test);

// An XDG base folder: `variable` when it holds an absolute path, else `fallback`
// (".config", ".local/share") under the home folder; nothing without either.
std::optional<std::string> BaseFolder(const std::optional<std::string>& variable,
                                      const std::optional<std::string>& home, const char* fallback);

// The variables of this process's environment.
UserFolders UserFoldersFromEnvironment();

// The tests on this file system for this process's effective user.
PathTests PathTestsForMe();

// The variables of this process's environment, HOME from the password
// database when unset.
UserFolders UserFoldersForMe();

// The decision for the running process: UserFoldersForMe() and PathTestsForMe().
ProgramFiles ProgramFilesFor(const std::string& folder);

// The settings text into `content`: the user's file, or, while it does not exist, the first
// defaults file that does (a defaults file that cannot be read gives ""). The result is that of
// the user's file, "" counting as missing.
FileRead ReadSettingsText(const ProgramFiles& files, std::string& content);

}  // namespace tovel
