#include "engine/year_table.h"

#include <array>
#include <utility>

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

YearTable YearTable::FromText(std::string_view text) { return FromOwnText(std::string(text)); }

YearTable YearTable::FromOwnText(std::string&& text) {
    YearTable table;
    if (text.size() >= kNone) return table;
    table.text_ = std::move(text);
    // Room for a line of every 16 characters (a table's lines hold 17 or more) saves the pop-up
    // run the copies and fresh pages of growing vectors.
    const std::size_t lines = table.text_.size() / 16 + 1;
    table.lines_.reserve(lines);
    table.years_.reserve(lines);
    std::vector<std::uint32_t> lastLine;  // of each year, to chain the next one
    lastLine.reserve(lines);
    const std::string_view all = table.text_;
    std::string_view rest = all;
    for (std::string_view line; NextLine(rest, line);) {
        line = TrimBlanks(line, " \t\r");
        const auto year = LineYear(line);
        if (!year || line.size() < 11) continue;
        if (table.years_.empty()) table.firstYear_ = *year;
        if (*year < table.firstYear_) {
            // Years out of order: widen the index downwards.
            const auto more = static_cast<std::size_t>(table.firstYear_ - *year);
            table.years_.insert(table.years_.begin(), more, Year{});
            lastLine.insert(lastLine.begin(), more, kNone);
            table.firstYear_ = *year;
        }
        const auto i = static_cast<std::size_t>(*year - table.firstYear_);
        if (i == table.years_.size()) {  // the next year, as in every table in order
            table.years_.emplace_back();
            lastLine.push_back(kNone);
        } else if (i > table.years_.size()) {
            table.years_.resize(i + 1);
            lastLine.resize(i + 1, kNone);
        }
        const auto n = static_cast<std::uint32_t>(table.lines_.size());
        table.lines_.push_back({static_cast<std::uint32_t>(line.data() - all.data()),
                                static_cast<std::uint32_t>(line.size()), kNone});
        if (lastLine[i] == kNone)
            table.years_[i].FirstLine = n;
        else
            table.lines_[lastLine[i]].Next = n;
        lastLine[i] = n;
    }
    return table;
}

const YearTable::Year* YearTable::Find(int jewYear) const {
    if (jewYear < firstYear_) return nullptr;
    const auto i = static_cast<std::size_t>(jewYear - firstYear_);
    if (i >= years_.size()) return nullptr;
    const Year& year = years_[i];
    if (!year.Parsed) {
        for (auto l = year.FirstLine; l != kNone && !year.Known; l = lines_[l].Next) {
            const auto start =
                LineDate(std::string_view(text_).substr(lines_[l].Begin, lines_[l].Size));
            if (start) year.Start = *start, year.Known = true;
        }
        year.Parsed = true;
    }
    return &year;
}

std::optional<Date> YearTable::StartOf(int jewYear) const {
    const Year* year = Find(jewYear);
    return year && year->Known ? std::optional<Date>(year->Start) : std::nullopt;
}

std::optional<int> YearTable::YearOf(Date day) const {
    // Years follow one another a Gregorian year apart, so the table's first
    // year tells which number begins in day's Gregorian year: `day` lies in
    // that year or the one before it. A table out of order, or one that does
    // not reach the day, encloses it in neither.
    std::optional<Date> first;
    int firstNumber = firstYear_;
    for (; !first && firstNumber < firstYear_ + static_cast<int>(years_.size()); ++firstNumber)
        first = StartOf(firstNumber);
    if (!first) return std::nullopt;
    const int begunThisYear = firstNumber - 1 + (day.Year() - first->Year());
    for (const int year : {begunThisYear, begunThisYear - 1}) {
        const auto start = StartOf(year), next = StartOf(year + 1);
        if (start && next && *start <= day && day < *next) return year;
    }
    return std::nullopt;
}

std::vector<Date> YearTable::Starts() const {
    std::vector<Date> out;
    for (int i = 0; i < static_cast<int>(years_.size()); ++i)
        if (const auto start = StartOf(firstYear_ + i)) out.push_back(*start);
    return out;
}

YearTable ReadYearTable(const std::string& path) {
    std::string text;
    ReadDataFile(path, text);  // empty on any failure
    return YearTable::FromOwnText(std::move(text));
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
