#include "app/settings_values.h"

#include <charconv>
#include <limits>
#include <string>

namespace tovel {

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // The digits and the one point, without the sign (from_chars takes no '+').
    const std::size_t start = i;
    bool point = false;
    bool digits = false;
    bool wholePartNonZero = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            if (!point && c != '0') wholePartNonZero = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return 0.0;
    const std::string_view number = text.substr(start, i - start);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large, or so small it is zero at double precision.
        value = wholePartNonZero ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || end != number.data() + number.size()) {
        return 0.0;  // not reached for digit strings; kept so a surprise is harmless
    }
    return negative ? -value : value;
}

std::int16_t ToSettingInt(std::string_view text, std::int16_t fallback) {
    const double x = LeadingNumber(text);
    // Far outside the range (or not finite) whatever the rounding. Inside, round half to even
    // without depending on the floating-point rounding mode, in whole numbers: the pop-up run
    // that reads this links no maths library.
    if (!(x > -40000.0 && x < 40000.0)) return fallback;
    auto rounded = static_cast<long>(x);  // toward zero
    if (static_cast<double>(rounded) > x) --rounded;
    const double fraction = x - static_cast<double>(rounded);
    if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0)) ++rounded;
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return fallback;
    return static_cast<std::int16_t>(rounded);
}

double ToSettingSingle(std::string_view text) {
    const double x = LeadingNumber(text);
    constexpr double kFloatMax = std::numeric_limits<float>::max();
    if (x > kFloatMax) return std::numeric_limits<double>::infinity();
    if (x < -kFloatMax) return -std::numeric_limits<double>::infinity();
    return static_cast<double>(static_cast<float>(x));
}

std::string WholeNumberText(double x) {
    // In whole numbers, as ToSettingInt: no maths library.
    if (!(x > -1e18 && x < 1e18)) return "0";
    auto whole = static_cast<long long>(x);  // toward zero
    const double rest = x - static_cast<double>(whole);
    if (rest >= 0.5) ++whole;
    if (rest <= -0.5) --whole;
    return std::to_string(whole);
}

}  // namespace tovel
