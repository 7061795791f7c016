#include "sunset/sun_line.h"

#include <chrono>
#include <cstdio>

#include "engine/format_date.h"

namespace tovel {
namespace {

// Columns of a day line, counted from 1.
constexpr std::size_t kKeyColumn = 2;  // the day key, columns 2-7
constexpr std::size_t kKeyWidth = 6;
constexpr std::size_t kTensColumn = 9;
constexpr std::size_t kHourColumn = 10;
constexpr std::size_t kLineColumns = 13;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned MonthNumber(std::string_view abbreviation) {
    for (int m = 1; m <= 12; ++m)
        if (MonthAbbreviation(m) == abbreviation) return static_cast<unsigned>(m);
    return 0;
}

// One day line, read column by column.
class DayLine {
public:
    explicit DayLine(std::string_view line) : line_(line) {}

    // Columns 1-7: "" when they name a day of the calendar, which goes to `out`.
    std::string KeyProblem(SunLineFields& out) const {
        if (line_.empty()) return "the line is empty";
        if (line_[0] != ' ')
            return "column 1 must be a blank, not " + QuotedTableText(Column(1, 1));
        if (line_.size() < 4) return TooShort();
        const unsigned month = MonthNumber(Column(2, 3));
        if (month == 0)
            return "columns 2-4 must be a month abbreviation (Jan to Dec), not " +
                   QuotedTableText(Column(2, 3));
        if (line_.size() < 5) return TooShort();
        if (line_[4] != ' ')
            return "column 5 must be a blank, not " + QuotedTableText(Column(5, 1));
        if (line_.size() < 7) return TooShort();
        const std::string_view dd = Column(6, 2);
        unsigned day = 0;
        if (dd[0] == ' ' && dd[1] >= '1' && dd[1] <= '9') {
            day = static_cast<unsigned>(dd[1] - '0');
        } else if (IsDigit(dd[0]) && dd[0] != '0' && IsDigit(dd[1])) {
            day = static_cast<unsigned>((dd[0] - '0') * 10 + (dd[1] - '0'));
        } else {
            return "columns 6-7 must be the day of the month right-aligned (' 5' or '15'), "
                   "not " +
                   QuotedTableText(dd);
        }
        if (day > SunTableMonthDays(month))
            return std::string(Column(kKeyColumn, kKeyWidth)) + " is not a day of the calendar";
        out.Month = month;
        out.Day = day;
        return "";
    }

    // Columns 8-13 and the line's length: "" when they hold a time, which goes to `out`.
    std::string TimeProblem(SunLineFields& out) const {
        if (line_.size() < 8) return TooShort();
        if (line_[7] != ' ')
            return "column 8 must be a blank, not " + QuotedTableText(Column(8, 1));
        if (line_.size() < 9) return TooShort();
        const bool tens = line_[8] == '1';
        if (line_[8] != ' ' && !tens)
            return "column 9 must be a blank or 1 (the tens digit of the hour on the 12-hour "
                   "clock), not " +
                   QuotedTableText(Column(9, 1));
        if (line_.size() < 10) return TooShort();
        if (!tens && (line_[9] < '1' || line_[9] > '9'))
            return "column 10 must be the hour on the 12-hour clock, 1 to 9 (a sunset from "
                   "13:00 to 21:59), not " +
                   QuotedTableText(Column(10, 1));
        if (tens && line_[9] != '0' && line_[9] != '1')
            return "after the 1 in column 9, column 10 must be 0 or 1 (a sunset from 22:00 to "
                   "23:59), not " +
                   QuotedTableText(Column(10, 1));
        if (line_.size() < 11) return TooShort();
        if (line_[10] != ':') return "column 11 must be ':', not " + QuotedTableText(Column(11, 1));
        if (line_.size() < 13) return TooShort();
        const std::string_view mm = Column(12, 2);
        if (!IsDigit(mm[0]) || !IsDigit(mm[1]) || mm[0] > '5')
            return "columns 12-13 must be the minutes, 00 to 59, not " + QuotedTableText(mm);
        if (line_.size() > kLineColumns)
            return "text after column 13: " + QuotedTableText(line_.substr(kLineColumns));
        out.Hour = 12 + (tens ? 10 : 0) + (line_[9] - '0');
        out.Minute = (mm[0] - '0') * 10 + (mm[1] - '0');
        return "";
    }

private:
    std::string_view Column(std::size_t from, std::size_t width) const {
        return from - 1 < line_.size() ? line_.substr(from - 1, width) : std::string_view{};
    }
    std::string TooShort() const {
        return "the line ends after column " + std::to_string(line_.size()) +
               "; a day line has 13 columns, like ' Mar 21  6:14'";
    }

    std::string_view line_;
};

}  // namespace

unsigned SunTableMonthDays(unsigned month) {
    // 2000 is a leap year, so February has its 29th.
    return unsigned(
        (std::chrono::year{2000} / std::chrono::month{month} / std::chrono::last).day());
}

std::string SunLineKey(unsigned month, unsigned day) {
    char key[16];
    std::snprintf(key, sizeof key, "%s %2u",
                  std::string(MonthAbbreviation(static_cast<int>(month))).c_str(), day % 100);
    return key;
}

std::string_view SunLineKeyOf(std::string_view line) {
    if (line.size() < kKeyColumn - 1 + kKeyWidth) return {};
    return line.substr(kKeyColumn - 1, kKeyWidth);
}

const std::vector<std::string>& SunTableKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> out;
        for (unsigned m = 1; m <= 12; ++m)
            for (unsigned d = 1; d <= SunTableMonthDays(m); ++d) out.push_back(SunLineKey(m, d));
        return out;
    }();
    return keys;
}

std::optional<std::string> WriteSunLine(unsigned month, unsigned day, int hour, int minute) {
    const int at = hour * 60 + minute;
    if (minute < 0 || minute > 59 || at < kEarliestSunLineMinute || at > kLatestSunLineMinute)
        return std::nullopt;
    char time[24];
    std::snprintf(time, sizeof time, "%2d:%02d", hour - 12, minute);
    return " " + SunLineKey(month, day) + " " + time;
}

SunLineFields ParseSunLine(std::string_view line) {
    SunLineFields out;
    const DayLine day(line);
    out.KeyProblem = day.KeyProblem(out);
    if (out.KeyProblem.empty()) out.TimeProblem = day.TimeProblem(out);
    return out;
}

namespace {
// 12 plus the digits of columns 9 and 10, as the lookup reads them.
int LineHour(std::string_view line) {
    auto digit = [&line](std::size_t column) {
        const char c = line.size() >= column ? line[column - 1] : ' ';
        return IsDigit(c) ? c - '0' : 0;
    };
    return 12 + 10 * digit(kTensColumn) + digit(kHourColumn);
}
}  // namespace

std::string SunLineTimeText(std::string_view line) {
    std::string out = " " + std::to_string(LineHour(line));
    if (line.size() > kHourColumn) out.append(line.substr(kHourColumn, 3));
    return out;
}

std::optional<int> SunLineMinutes(std::string_view line) {
    if (line.size() < kLineColumns) return std::nullopt;
    const std::string_view mm = line.substr(kHourColumn, 3);
    if (mm[0] != ':' || !IsDigit(mm[1]) || !IsDigit(mm[2]) || mm[1] > '5') return std::nullopt;
    return LineHour(line) * 60 + (mm[1] - '0') * 10 + (mm[2] - '0');
}

std::string SunTimeText(int minutes) {
    char text[16];
    std::snprintf(text, sizeof text, " %d:%02d", minutes / 60, minutes % 60);
    return text;
}

namespace {
constexpr std::string_view kZoneWord = "Zone ";
constexpr std::size_t kMaxZoneBytes = 64;
}  // namespace

std::string WriteSunZoneLine(std::string_view zone, int year) {
    return std::string(kZoneWord) + std::string(zone) + " " + std::to_string(year);
}

std::string SunZoneNameProblem(std::string_view zone) {
    if (zone.empty()) return "the zone is empty";
    if (zone.size() > kMaxZoneBytes)
        return "the zone is longer than " + std::to_string(kMaxZoneBytes) + " bytes";
    for (char c : zone) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || IsDigit(c) ||
                        c == '/' || c == '_' || c == '-' || c == '+';
        if (!ok)
            return "the zone " + QuotedTableText(zone) + " holds " +
                   QuotedTableText(std::string_view(&c, 1)) +
                   "; an IANA zone is written with letters, digits and /_-+";
    }
    return "";
}

bool LooksLikeSunZoneLine(std::string_view line) { return line.starts_with(kZoneWord); }

SunZoneFields ParseSunZoneLine(std::string_view line) {
    SunZoneFields out;
    const std::string_view form = " (a zone line reads like 'Zone Europe/London 2026')";
    if (!LooksLikeSunZoneLine(line)) {
        out.Problem = "the line does not begin with 'Zone '" + std::string(form);
        return out;
    }
    line.remove_prefix(kZoneWord.size());
    const std::size_t blank = line.rfind(' ');
    if (blank == std::string_view::npos) {
        out.Problem = "the zone line has no year" + std::string(form);
        return out;
    }
    const std::string_view zone = line.substr(0, blank), year = line.substr(blank + 1);
    if (std::string problem = SunZoneNameProblem(zone); !problem.empty()) {
        out.Problem = problem;
        return out;
    }
    const bool digits = !year.empty() && year.size() <= 4 &&
                        year.find_first_not_of("0123456789") == std::string_view::npos;
    const int value = digits ? std::stoi(std::string(year)) : 0;
    if (value < kFirstSunTableYear || value > kLastSunTableYear) {
        out.Problem = "the zone line's year must be a year from " +
                      std::to_string(kFirstSunTableYear) + " to " +
                      std::to_string(kLastSunTableYear) + ", not " + QuotedTableText(year);
        return out;
    }
    out.Zone = std::string(zone);
    out.Year = value;
    return out;
}

std::string QuotedTableText(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "'";
}

}  // namespace tovel
