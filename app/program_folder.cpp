#include "app/program_folder.h"

#include <cstdio>
#include <filesystem>

namespace tovel {

std::optional<std::string> ExecutableFolderPath() {
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec || exe.parent_path().empty()) return std::nullopt;
    return exe.parent_path().string();
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
