#include "app/program_folder.h"

#include <unistd.h>

#include <cstdio>

namespace tovel {

std::optional<std::string> ExecutableFolderPath() {
    // The kernel's link names the executable with every symbolic link resolved: read once, it
    // costs a pop-up run far less than resolving the path again one folder at a time.
    std::string exe(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
        if (n < 0) return std::nullopt;
        if (static_cast<std::size_t>(n) < exe.size()) {
            exe.resize(static_cast<std::size_t>(n));
            break;
        }
        if (exe.size() > 65536) return std::nullopt;
        exe.resize(2 * exe.size());
    }
    const auto slash = exe.rfind('/');
    if (!exe.starts_with('/') || slash == std::string::npos) return std::nullopt;
    return slash == 0 ? "/" : exe.substr(0, slash);
}

std::optional<std::string> ExecutableFolderOrSay() {
    auto folder = ExecutableFolderPath();
    if (!folder)
        std::fprintf(stderr,
                     "tovel: cannot find the program's own folder (/proc/self/exe "
                     "cannot be read); is /proc mounted?\n");
    return folder;
}

std::string ArgumentText(int argc, const char* const* argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) text += ' ';
        text += argv[i];
    }
    return text;
}

}  // namespace tovel
