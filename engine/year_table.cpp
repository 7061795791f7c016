#include "engine/year_table.h"

#include <array>
#include <cstdio>

#include "engine/format_date.h"
#include "engine/read_file.h"
#include "engine/text.h"

namespace tovel {

namespace {

// Sequential line reader with an end-of-file test, like reading a text file
// line by line: the file is at its end once its last line has been read.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}
    bool AtEnd() const { return rest_.empty(); }
    std::string_view Read() {
        std::string_view line;
        NextLine(rest_, line);
        return TrimBlanks(line, " \t\r");
    }

private:
    std::string_view rest_;
};

std::string_view Last(std::string_view s, std::size_t n) {
    return s.size() <= n ? s : s.substr(s.size() - n);
}
std::string_view First(std::string_view s, std::size_t n) { return s.substr(0, n); }

}  // namespace

YearTableLines SearchYearText(std::string_view text, std::string_view key, int YearStep) {
    LineCursor file(text);
    std::string_view current, previous;
    while (Last(current, 4) != key && !file.AtEnd()) {
        previous = current;
        current = file.Read();
    }
    YearTableLines out;
    out.Matched = Last(current, 4) == key && !current.empty();
    std::string_view next, afterNext;
    if (!file.AtEnd()) next = file.Read();
    if (!file.AtEnd()) afterNext = file.Read();
    std::string_view step = next;
    if (YearStep != 1) {
        const auto year = LineYear(current);
        char target[16];
        std::snprintf(target, sizeof target, "%d", year.value_or(0) + YearStep);
        std::string_view lookAhead = afterNext;
        while (First(step, 4) != target && !file.AtEnd()) {
            step = lookAhead;
            lookAhead = file.Read();
        }
    }
    out.Matching = current;
    out.Previous = previous;
    out.Next = next;
    out.AfterNext = afterNext;
    out.Step = step;
    return out;
}

std::optional<YearTableLines> SearchYearTable(const std::string& path, std::string_view key,
                                              int YearStep) {
    std::string text;
    if (ReadDataFile(path, text) != FileRead::Ok) return std::nullopt;
    return SearchYearText(text, key, YearStep);
}

std::optional<int> LineYear(std::string_view line) {
    if (line.size() < 4) return std::nullopt;
    int year = 0;
    for (char c : line.substr(0, 4)) {
        if (c < '0' || c > '9') return std::nullopt;
        year = year * 10 + (c - '0');
    }
    return year;
}

std::optional<Date> LineDate(std::string_view line) {
    if (line.size() < 11) return std::nullopt;
    return ParseDateText(Last(line, 11));
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
