// The program a user starts. It links no toolkit: a pop-up run ("/L") with
// nothing to announce ends here, and everything else is handed to the window
// program beside it, tovel-window, with the same arguments.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/popup.h"
#include "app/program_folder.h"

int main(int argc, char** argv) {
    const std::string arguments = tovel::ArgumentText(argc, argv);
    const auto folder = tovel::ExecutableFolderOrSay();
    if (!folder) return 1;
    // Most days a pop-up run has nothing to announce: it ends here, before the
    // window toolkit is even loaded. Without HOME, where the settings are
    // depends on the password database, which only the window program reads.
    if (tovel::IsPopupSwitch(arguments)) {
        const tovel::UserFolders user = tovel::UserFoldersFromEnvironment();
        if (user.Home &&
            tovel::DecidePopup(tovel::DecideProgramFiles(*folder, user, tovel::PathTestsForMe()),
                               tovel::Today()) == tovel::PopupOutcome::Quiet)
            return 0;
    }

    const std::string window = *folder + "/tovel-window";
    ::execv(window.c_str(), argv);
    std::fprintf(stderr, "tovel: cannot start %s: %s\n", window.c_str(), std::strerror(errno));
    return 1;
}
