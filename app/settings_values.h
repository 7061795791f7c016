#pragma once
// Turning the text of a setting into a number. Settings are stored as text and
// read back with one rule: the number at the start of the text counts, and
// whatever follows it is ignored.

#include <cstdint>
#include <string>
#include <string_view>

namespace tovel {

// The number at the start of `text`: leading blanks are skipped, then an
// optional '+' or '-', then digits with at most one '.'; reading stops at the
// first other character. No digits there gives 0 ("abc", "-", "."). There is
// no exponent: "1e5" is 1. A digit string too large for a double gives an
// infinity of its sign.
double LeadingNumber(std::string_view text);

// LeadingNumber rounded to the nearest whole number, halves to the even one
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). When that lies outside -32768..32767 the
// setting is unusable and `fallback` (the key's default) is returned.
std::int16_t ToSettingInt(std::string_view text, std::int16_t fallback);

// LeadingNumber at single (float) precision, as window positions in twips are
// kept. A number beyond the float range gives an infinity of its sign.
double ToSettingSingle(std::string_view text);

// `x` rounded to the nearest whole number, halves away from zero (as std::llround), as text;
// "0" beyond +-1e18, far outside any window place.
std::string WholeNumberText(double x);

}  // namespace tovel
