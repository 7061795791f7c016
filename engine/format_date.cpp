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
    const auto first = text.find('-');
    const auto second = first == std::string_view::npos ? first : text.find('-', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const std::string_view dayText = text.substr(0, first);
    const std::string_view monthText = text.substr(first + 1, second - first - 1);
    const std::string_view yearText = text.substr(second + 1);
    if (dayText.size() > 2 || !AllDigits(dayText) || yearText.size() != 4 || !AllDigits(yearText))
        return std::nullopt;
    unsigned month = 0;
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (kMonths[i] == monthText) month = static_cast<unsigned>(i + 1);
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
