#pragma once
// Holidays at login: the user's XDG autostart entry that runs "tovel /L" when
// the session starts. The desktop reads $XDG_CONFIG_HOME/autostart/*.desktop.

#include <optional>
#include <string>

#include "app/program_files.h"

namespace tovel {

inline constexpr const char* kAutostartFile = "org.tovel.Tovel-login.desktop";

// $XDG_CONFIG_HOME/autostart/org.tovel.Tovel-login.desktop (default under
// $HOME/.config); nothing without either.
std::optional<std::string> AutostartPath(const UserFolders& user);

// The command a user runs for the program in `folder`: an installed program's
// <prefix>/bin/tovel when that leads to <folder>/tovel, else <folder>/tovel.
std::string ProgramToStart(const std::string& folder, bool installed);

// The entry that runs `program` with "/L", its path quoted as an Exec line
// needs; nothing for a path an entry cannot hold (control characters, bytes
// that are not UTF-8).
std::optional<std::string> AutostartEntry(const std::string& program);

// True when the file at `path` is an entry the desktop starts: a readable
// regular file whose [Desktop Entry] has an Exec line, is not Hidden=true and
// not disabled by X-GNOME-Autostart-enabled=false.
bool AutostartEnabled(const std::string& path);

// Writes the entry for `program` at `path` (making its folder), or removes
// the file there. "" when done, else what went wrong, naming the file.
std::string SetAutostart(const std::string& path, const std::string& program, bool on);

}  // namespace tovel
