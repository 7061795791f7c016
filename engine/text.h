#pragma once
#include <string_view>

namespace tovel {

// `s` without the characters of `blanks` at either end.
constexpr std::string_view TrimBlanks(std::string_view s, std::string_view blanks = " \t") {
    // Plain loops: no library call for each character (the year table trims a thousand lines).
    const auto blank = [blanks](char c) {
        for (const char b : blanks)
            if (c == b) return true;
        return false;
    };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// Takes the next line off `rest`, without its LF and a CR before it. False
// when nothing is left; a last line without a line end still counts.
constexpr bool NextLine(std::string_view& rest, std::string_view& line) {
    if (rest.empty()) return false;
    const std::size_t lf = rest.find('\n');
    line = rest.substr(0, lf);
    rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

}  // namespace tovel
