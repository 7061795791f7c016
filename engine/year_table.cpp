#include "engine/year_table.h"

#include <array>

#include "engine/format_date.h"
#include "engine/read_file.h"
#include "engine/text.h"

namespace tovel {

namespace {

// The Jewish year in a line's first four characters; nothing if they are not digits.
std::optional<int> LineYear(std::string_view line) {
    if (line.size() < 4) return std::nullopt;
    int year = 0;
    for (char c : line.substr(0, 4)) {
        if (c < '0' || c > '9') return std::nullopt;
        year = year * 10 + (c - '0');
    }
    return year;
}

// The date in a line's last eleven characters; nothing if it does not parse.
std::optional<Date> LineDate(std::string_view line) {
    if (line.size() < 11) return std::nullopt;
    return ParseDateText(line.substr(line.size() - 11));
}

}  // namespace

YearTable YearTable::FromText(std::string_view text) {
    YearTable table;
    for (std::string_view line; NextLine(text, line);) {
        line = TrimBlanks(line, " \t\r");
        const auto year = LineYear(line);
        const auto date = LineDate(line);
        if (!year || !date) continue;
        if (table.starts_.empty()) table.firstYear_ = *year;
        if (*year < table.firstYear_) {
            // Years out of order: widen the index downwards.
            table.starts_.insert(table.starts_.begin(),
                                 static_cast<std::size_t>(table.firstYear_ - *year), std::nullopt);
            table.firstYear_ = *year;
        }
        const auto i = static_cast<std::size_t>(*year - table.firstYear_);
        if (i >= table.starts_.size()) table.starts_.resize(i + 1);
        if (!table.starts_[i]) table.starts_[i] = date;
    }
    return table;
}

std::optional<Date> YearTable::StartOf(int jewYear) const {
    if (jewYear < firstYear_) return std::nullopt;
    const auto i = static_cast<std::size_t>(jewYear - firstYear_);
    return i < starts_.size() ? starts_[i] : std::nullopt;
}

std::optional<int> YearTable::YearOf(Date day) const {
    // Every year begins in September or October, so day's year is the one that
    // begins in day's Gregorian year or the one before. A damaged table may be
    // out of order: the first year in year order that begins then counts, and
    // the result is checked against both of its ends.
    const int gregYear = day.Year();
    for (std::size_t i = 0; i < starts_.size(); ++i) {
        if (!starts_[i] || starts_[i]->Year() != gregYear) continue;
        const int year = firstYear_ + static_cast<int>(i) - (day < *starts_[i] ? 1 : 0);
        const auto start = StartOf(year), next = StartOf(year + 1);
        if (start && next && *start <= day && day < *next) return year;
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<Date> YearTable::Starts() const {
    std::vector<Date> out;
    for (const auto& start : starts_)
        if (start) out.push_back(*start);
    return out;
}

YearTable ReadYearTable(const std::string& path) {
    std::string text;
    ReadDataFile(path, text);  // empty on any failure
    return YearTable::FromText(text);
}

int YearTypeLength(int yearType) {
    static constexpr std::array<int, 7> kLengths = {0, 353, 354, 355, 383, 384, 385};
    return yearType >= 1 && yearType <= 6 ? kLengths[static_cast<std::size_t>(yearType)] : 0;
}

int FindYearType(const Date& Year2, const Date& Year1, const Notifier& notify) {
    const int days = Year2 - Year1;
    for (int type = 1; type <= 6; ++type)
        if (YearTypeLength(type) == days) return type;
    if (notify) notify(kUnknownYearType);
    return 0;
}

}  // namespace tovel
