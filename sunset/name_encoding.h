#pragma once
// Location names as the first line of a sunset table. Tables made by this
// program's tool are UTF-8; tables from older Windows systems are in the
// Windows-1252 code page. A line that is valid UTF-8 is taken as UTF-8 (text
// in 1252 with any letter above 0x7F is almost never valid UTF-8); anything
// else is read as 1252.

#include <string>
#include <string_view>

namespace tovel {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Each byte as its Windows-1252 character, written in UTF-8. The five bytes
// 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD, the
// replacement character, so that they show as a visible mark in a menu.
std::string Windows1252ToUtf8(std::string_view text);

// The name line in UTF-8: kept as it is when valid UTF-8 (less a leading byte
// order mark), converted from Windows-1252 otherwise.
std::string LocationNameToUtf8(std::string_view line);

}  // namespace tovel
