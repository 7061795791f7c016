#include "sunset/sun_table_check.h"

#include "engine/read_file.h"

#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

#include "engine/format_date.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_table_maker.h"
#include "sunset/sunset_table.h"

namespace tovel {
namespace {

constexpr std::size_t kDayLineLength = 13;

// The 366 day keys in calendar order.
const std::vector<std::string>& CalendarKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> out;
        for (unsigned m = 1; m <= 12; ++m) {
            // 2000 is a leap year, so February has its 29th.
            const auto length = unsigned((std::chrono::year{2000} / m / std::chrono::last).day());
            for (unsigned d = 1; d <= length; ++d) out.push_back(SunTableDayKey(m, d));
        }
        return out;
    }();
    return keys;
}

int MonthNumber(std::string_view abbreviation) {
    for (int m = 1; m <= 12; ++m)
        if (MonthAbbreviation(m) == abbreviation) return m;
    return 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Quoted(std::string_view text) {
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

// One day line, read column by column; each check names the first column
// that is wrong, or says where a short line ends.
class DayLine {
public:
    explicit DayLine(std::string_view line) : line_(line) {}

    // Columns 1-7: "" when they name a day of the calendar, which goes to `key`.
    std::string DayProblem(std::string& key) const {
        if (line_.empty()) return "the line is empty";
        if (line_[0] != ' ') return "column 1 must be a blank, not " + Quoted(Column(1, 1));
        if (line_.size() < 4) return TooShort();
        const int month = MonthNumber(Column(2, 3));
        if (month == 0)
            return "columns 2-4 must be a month abbreviation (Jan to Dec), not " +
                   Quoted(Column(2, 3));
        if (line_.size() < 5) return TooShort();
        if (line_[4] != ' ') return "column 5 must be a blank, not " + Quoted(Column(5, 1));
        if (line_.size() < 7) return TooShort();
        const std::string_view dd = Column(6, 2);
        int day = 0;
        if (dd[0] == ' ' && dd[1] >= '1' && dd[1] <= '9') {
            day = dd[1] - '0';
        } else if (IsDigit(dd[0]) && dd[0] != '0' && IsDigit(dd[1])) {
            day = (dd[0] - '0') * 10 + (dd[1] - '0');
        } else {
            return "columns 6-7 must be the day of the month right-aligned (' 5' or '15'), "
                   "not " +
                   Quoted(dd);
        }
        // 2000 is a leap year, so February has its 29th.
        const auto length = unsigned(
            (std::chrono::year{2000} / static_cast<unsigned>(month) / std::chrono::last).day());
        if (day > static_cast<int>(length))
            return std::string(Column(2, 6)) + " is not a day of the calendar";
        key = std::string(Column(2, 6));
        return "";
    }

    // Columns 8-13 and the line's length.
    std::string TimeProblem() const {
        for (std::size_t c = 8; c <= 9; ++c) {
            if (line_.size() < c) return TooShort();
            if (line_[c - 1] != ' ')
                return "column " + std::to_string(c) + " must be a blank, not " +
                       Quoted(Column(c, 1));
        }
        if (line_.size() < 10) return TooShort();
        if (line_[9] < '1' || line_[9] > '9')
            return "column 10 must be the hour on the 12-hour clock, 1 to 9 (a sunset from "
                   "13:00 to 21:59), not " +
                   Quoted(Column(10, 1));
        if (line_.size() < 11) return TooShort();
        if (line_[10] != ':') return "column 11 must be ':', not " + Quoted(Column(11, 1));
        if (line_.size() < 13) return TooShort();
        const std::string_view mm = Column(12, 2);
        if (!IsDigit(mm[0]) || !IsDigit(mm[1]) || mm[0] > '5')
            return "columns 12-13 must be the minutes, 00 to 59, not " + Quoted(mm);
        if (line_.size() > kDayLineLength)
            return "text after column 13: " + Quoted(line_.substr(kDayLineLength));
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

SunTableCheck CheckSunTable(std::string_view content) {
    SunTableCheck out;
    const std::vector<std::string>& keys = CalendarKeys();
    std::map<std::string, int, std::less<>> seen;  // day key -> its line
    int number = 0;
    auto fail = [&](std::string problem) {
        out.Line = number;
        out.Problem = std::move(problem);
        return out;
    };
    if (content.empty()) {
        number = 1;
        return fail("the file is empty; line 1 must be the location's name");
    }
    while (!content.empty()) {
        ++number;
        const std::size_t lf = content.find('\n');
        std::string_view line = content.substr(0, lf);
        const bool ended = lf != std::string_view::npos;
        content.remove_prefix(ended ? lf + 1 : content.size());
        const bool crlf = ended && !line.empty() && line.back() == '\r';
        if (crlf) line.remove_suffix(1);

        if (number == 1) {
            if (line.empty()) return fail("the location's name is empty");
            for (char c : line) {
                const auto b = static_cast<unsigned char>(c);
                if (b < 0x20 || b == 0x7F)
                    return fail("the location's name holds the control character " +
                                Quoted(std::string_view(&c, 1)) + " (is this a text file?)");
            }
            out.Name = LocationNameToUtf8(line);
            if (out.Name.size() > kMaxLocationNameBytes)
                return fail("the location's name is longer than " +
                            std::to_string(kMaxLocationNameBytes) + " bytes");
            for (const std::string& key : keys)
                if (line.size() >= 7 && line.substr(1, 6) == key)
                    return fail("the location's name would be read as the line of " + key);
        } else {
            const int index = number - 2;
            if (index >= kSunTableDays)
                return fail("a line after the 366 day lines (" + Quoted(line) + ")");
            const DayLine day(line);
            std::string key;
            if (std::string problem = day.DayProblem(key); !problem.empty()) return fail(problem);
            const std::string& expected = keys[static_cast<std::size_t>(index)];
            if (key != expected) {
                if (auto it = seen.find(key); it != seen.end())
                    return fail(key + " appears a second time (first on line " +
                                std::to_string(it->second) + ")");
                return fail("the line of " + expected + " belongs here, not " + key +
                            " (the days must run from Jan  1 to Dec 31 in order, "
                            "Feb 29 after Feb 28)");
            }
            seen.emplace(key, number);
            if (std::string problem = day.TimeProblem(); !problem.empty()) return fail(problem);
        }
        if (!ended) return fail("the last line has no line end (CR LF)");
        if (!crlf) return fail("the line ends in LF without CR; a table's lines end in CR LF");
    }
    const int days = number - 1;
    if (days < kSunTableDays) {
        ++number;
        const int more = kSunTableDays - days - 1;
        return fail("the table ends after " + std::to_string(days) + " day lines; the line of " +
                    keys[static_cast<std::size_t>(days)] +
                    (more == 0 ? std::string(" is missing")
                               : " and " + std::to_string(more) + " more are missing"));
    }
    return out;
}

SunTableCheck CheckSunTableFile(const std::string& path) {
    std::string content;
    const FileRead status = ReadDataFile(path, content);
    if (status != FileRead::Ok) {
        SunTableCheck out;
        out.Problem = FileReadText(status);
        return out;
    }
    return CheckSunTable(content);
}

std::string DescribeSunTableCheck(const SunTableCheck& check) {
    if (check.Ok()) return "OK";
    if (check.Line == 0) return check.Problem;
    return "line " + std::to_string(check.Line) + ": " + check.Problem;
}

}  // namespace tovel
