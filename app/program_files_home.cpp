// Kept apart from the rest of the decision: the password database is consulted
// only by the window program and the tools, never by the quick pop-up path.
#include <pwd.h>
#include <unistd.h>

#include "app/program_files.h"

namespace tovel {

UserFolders UserFoldersForMe() {
    UserFolders user = UserFoldersFromEnvironment();
    if (!user.Home) {
        if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_dir && *entry->pw_dir)
            user.Home = entry->pw_dir;
    }
    return user;
}

ProgramFiles ProgramFilesFor(const std::string& folder) {
    return DecideProgramFiles(folder, UserFoldersForMe(), PathTestsForMe());
}

}  // namespace tovel
