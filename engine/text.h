#pragma once
#include <string_view>

namespace tovel {

// `s` without the characters of `blanks` at either end.
constexpr std::string_view TrimBlanks(std::string_view s, std::string_view blanks = " \t") {
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
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
