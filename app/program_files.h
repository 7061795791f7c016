#pragma once
// Where the settings file and the sunset tables are. A program folder the user
// can write (a build folder, a user's own copy) keeps everything beside the
// program. An installed program's folder belongs to root: then the settings
// live in the user's configuration folder and the user's own tables in the
// user's data folder, after the tables shipped beside the program.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tovel {

// The parts of the environment the decision reads; nothing for a variable
// that is unset.
struct UserFolders {
    std::optional<std::string> XdgConfigHome;
    std::optional<std::string> XdgDataHome;
    std::optional<std::string> Home;
};

struct ProgramFiles {
    // The full path of Tovel.ini, read at start-up and written at the end.
    std::string Settings;
    // Where *.sun tables are listed, in menu order.
    std::vector<std::string> TableFolders;
    // The user's own table folder; "" when tables go beside the program.
    std::string UserTableFolder;
};

// True when the running user may write `path` (a folder or a file); false for
// a path that does not exist.
using WritableTest = std::function<bool(const std::string& path)>;

// The decision for the program folder `folder`. Beside the program when the
// folder or a Tovel.ini in it is writable. Otherwise Tovel.ini is in
// $XDG_CONFIG_HOME/tovel (default $HOME/.config/tovel) and the tables are
// those of the folder followed by $XDG_DATA_HOME/tovel (default
// $HOME/.local/share/tovel). An XDG variable that is empty or not an absolute
// path counts as unset. Without any home, everything stays beside the program.
ProgramFiles DecideProgramFiles(const std::string& folder, const UserFolders& user,
                                const WritableTest& writable);

// The variables of this process's environment.
UserFolders UserFoldersFromEnvironment();

// True when this process's effective user may write `path`.
bool WritableByMe(const std::string& path);

// The decision for the running process: its environment (HOME from the
// password database when unset) and its effective user's write permission.
ProgramFiles ProgramFilesFor(const std::string& folder);

}  // namespace tovel
