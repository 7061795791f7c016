#include "app/program_folder.h"

#include <filesystem>

namespace tovel {

std::optional<std::string> ExecutableFolderPath() {
    std::error_code ec;
    const auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    if (ec || exe.parent_path().empty()) return std::nullopt;
    return exe.parent_path().string();
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
