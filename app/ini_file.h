#pragma once
// The program's INI profile files: "[Section]" header lines and "Key=value"
// lines, read with the rules of the Windows profile functions the settings
// code was first written against, and written back as one atomic replacement
// that leaves every line it does not own exactly as it was.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tovel {

// The section all of the program's own settings live in.
inline constexpr const char* kProfileSection = "Tovel";

// The value of `key` in `section` of the file at `path`.
//  - Section and key names match without regard to ASCII case. A header is a
//    line "[Name]" (blanks around the line and around the name are allowed);
//    a key line is "key=value" with blanks around key and value dropped.
//  - Lines whose first non-blank is ';' or '#' are comments; a CR before the
//    LF (or at the end of the file) is not part of the line; a UTF-8 byte
//    order mark at the start of the file is skipped.
//  - If the section occurs more than once, the first "key=" line met in file
//    order inside any of them wins.
//  - Missing file, section or key: `defaultValue` without its trailing
//    blanks.
//  - A value ends at a NUL byte, and the result holds at most bufferSize - 1
//    characters (none when bufferSize is 0).
// Never throws for any file content; anything unreadable gives the default.
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::size_t bufferSize,
                             const std::string& path);

// A setting of the [Tovel] section as the settings code has always read it:
// a 50-blank buffer receives the value (or IniVal) through a 51-character
// read with its terminating NUL, then the text is trimmed, loses its last
// character (the NUL) and is trimmed again. Values of up to 49 characters
// come back whole; longer ones are cut to 49 (and fewer, when that cut lands
// on blanks).
std::string ReturnIniValue(const std::string& path, const std::string& VarVal,
                           const std::string& IniVal);

// Sets every key of `keyValues` in `section` of the file at `path` with one
// replacement of the whole file (temporary file in the same folder, flushed to
// disk, then renamed over the old one).
//  - An existing key line (first one in file order in a matching section) is
//    rewritten in place as "Key=value" and keeps its own line end.
//  - A key not yet present goes after the last line of the first matching
//    section that is neither blank nor a comment (those belong to what
//    follows); a missing section is added at the end of the file.
//  - Every other byte of the file stays as it was. New lines end in CRLF
//    unless the file's first line ends in a bare LF.
//  - A symbolic link is followed and its target replaced.
// Returns false, with the old file untouched and no temporary file left, when
// the file cannot be read or replaced, or when a name or value could not be
// read back as written (empty names, names with '=', ']', line breaks, NUL or
// blanks at either end, keys starting with '[', ';' or '#', values with line
// breaks or NUL).
bool WriteProfileStrings(const std::string& path, const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& keyValues) noexcept;

}  // namespace tovel
