#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// The folder of the running executable, symbolic links resolved; nothing when
// it cannot be found (no /proc). The current directory is never a stand-in:
// the window program and the data files are found in this folder.
std::optional<std::string> ExecutableFolderPath();

// The same, or nothing after saying on standard error why it cannot be found.
std::optional<std::string> ExecutableFolderOrSay();

// The command-line argument text: the arguments joined by single blanks.
std::string ArgumentText(int argc, const char* const* argv);

// True when the whole argument text asks for the holiday pop-up.
inline bool IsPopupSwitch(std::string_view arguments) {
    return arguments == "/L" || arguments == "/l";
}

}  // namespace tovel
