#include "engine/format_date.h"

#include "engine/text.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace tovel {

namespace {
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}
}  // namespace

std::string_view MonthAbbreviation(int month) {
    if (month < 1 || month > 12) return {};
    return kMonths[static_cast<std::size_t>(month - 1)];
}

std::string FormatDate(const Date& MyDate) {
    const auto ymd = MyDate.Ymd();
    const int year = static_cast<int>(ymd.year());
    const unsigned month = static_cast<unsigned>(ymd.month());
    const unsigned day = static_cast<unsigned>(ymd.day());
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02u-%s-%04d", day,
                  std::string(MonthAbbreviation(static_cast<int>(month))).c_str(), year);
    return buf;
}

std::optional<Date> ParseDateText(std::string_view text) {
    text = TrimBlanks(text, " \t\r");
    // "d-Mmm-yyyy" or "dd-Mmm-yyyy". The year table holds a thousand of these,
    // all read for every month shown: fixed places, no searching.
    if (text.size() != 10 && text.size() != 11) return std::nullopt;
    const std::size_t dash = text.size() - 9;  // after the day
    const std::string_view dayText = text.substr(0, dash);
    const std::string_view monthText = text.substr(dash + 1, 3);
    const std::string_view yearText = text.substr(dash + 5);
    if (text[dash] != '-' || text[dash + 4] != '-' || !AllDigits(dayText) || !AllDigits(yearText))
        return std::nullopt;
    unsigned month = 0;
    for (std::size_t i = 0; i < kMonths.size() && month == 0; ++i)
        if (kMonths[i][0] == monthText[0] && kMonths[i][1] == monthText[1] &&
            kMonths[i][2] == monthText[2])
            month = static_cast<unsigned>(i + 1);
    if (month == 0) return std::nullopt;
    unsigned day = 0;
    int year = 0;
    std::from_chars(dayText.data(), dayText.data() + dayText.size(), day);
    std::from_chars(yearText.data(), yearText.data() + yearText.size(), year);
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{month},
                                          std::chrono::day{day}};
    if (!ymd.ok()) return std::nullopt;
    return Date::FromSysDays(std::chrono::sys_days{ymd});
}

}  // namespace tovel
