#pragma once
// The program's INI profile text: "[Section]" header lines and "Key=value"
// lines. Reading and rewriting work on the file's text; the caller reads the
// file once and writes it once.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovel {

// The section all of the program's own settings live in.
inline constexpr const char* kProfileSection = "Tovel";

// The value of `key` in `section` of the profile text `content`.
//  - Section and key names match without regard to ASCII case. A header is a
//    line "[Name]" (blanks around the line and around the name are allowed);
//    a key line is "key=value" with blanks around key and value dropped.
//  - Lines whose first non-blank is ';' or '#' are comments; lines end in
//    CR LF, LF or a CR alone; a UTF-8 byte order mark at the start is skipped.
//  - If the section occurs more than once, the first "key=" line met in text
//    order inside any of them wins.
//  - Missing section or key: `defaultValue` without its trailing blanks.
//  - A value ends at a NUL byte, and the result holds at most bufferSize - 1
//    characters (none when bufferSize is 0).
std::string GetProfileString(std::string_view content, const std::string& section,
                             const std::string& key, const std::string& defaultValue,
                             std::size_t bufferSize);

// A setting of the [Tovel] section read into a 50-blank buffer: the value (or
// IniVal) is copied in with its terminating NUL through a 51-character read,
// then the text is trimmed, loses its last character (the NUL) and is trimmed
// again. Values of up to 49 characters come back whole; longer ones are cut
// to 49 (and fewer, when that cut lands on blanks).
std::string ReturnIniValue(std::string_view content, const std::string& VarVal,
                           const std::string& IniVal);

// `content` with every key of `keyValues` set in `section`:
//  - An existing key line (first one in text order in a matching section) is
//    rewritten in place as "Key=value" and keeps its own line end.
//  - A key not yet present goes after the last line of the first matching
//    section that is neither blank nor a comment (those belong to what
//    follows); a missing section is added at the end.
//  - Every other byte stays as it was. New lines end as the text's first
//    line does (CR LF for a text of one line without an end).
// Nothing when a name or value could not be read back as written (empty
// names, names with '=', ']', line breaks, NUL or blanks at either end, keys
// starting with '[', ';' or '#', values with line breaks or NUL).
std::optional<std::string> UpdateProfileText(
    std::string_view content, const std::string& section,
    const std::vector<std::pair<std::string, std::string>>& keyValues);

}  // namespace tovel
