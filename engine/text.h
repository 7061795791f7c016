#pragma once
#include <string_view>

namespace tovel {

// `s` without the characters of `blanks` at either end.
constexpr std::string_view TrimBlanks(std::string_view s, std::string_view blanks = " \t") {
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace tovel
