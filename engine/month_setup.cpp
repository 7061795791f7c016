#include "engine/month_setup.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/format_date.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "engine/read_file.h"
#include "engine/year_starts.h"
#include "engine/year_table.h"

namespace tovel {

namespace {
// The date of a line that must be the given Jewish year.
std::optional<Date> DateOfYear(std::string_view line, int year) {
    if (LineYear(line) != year) return std::nullopt;
    return LineDate(line);
}
}  // namespace

bool FindGDate(CalendarState& s, const Notifier& notify) {
    const std::string text = FormatDate(s.SelDate);
    const std::string_view key = std::string_view(text).substr(text.size() - 4);
    const auto lines = SearchYearTable(s.RHDatesFile, key, s.YearStep);
    if (!lines || !lines->Matched) return false;

    const auto matchYear = LineYear(lines->Matching);
    if (!matchYear) return false;
    const auto d = LineDate(lines->Matching);
    if (!d) return false;

    int jewYear = *matchYear;
    std::optional<Date> start, next, after;
    if (*d <= s.SelDate) {
        start = d;
        next = DateOfYear(lines->Next, jewYear + 1);
        after = DateOfYear(lines->AfterNext, jewYear + 2);
    } else {
        start = DateOfYear(lines->Previous, jewYear - 1);
        next = d;
        after = DateOfYear(lines->Next, jewYear + 1);
        jewYear -= 1;
    }
    if (!start || !next || !after) return false;
    // A table out of order would put SelDate outside the year found for it.
    if (!(*start <= s.SelDate && s.SelDate < *next)) return false;

    const auto stepDate = LineDate(lines->Step);
    if (!stepDate) return false;
    const int stepDays = *stepDate - *d;
    if (stepDays < std::numeric_limits<std::int16_t>::min() ||
        stepDays > std::numeric_limits<std::int16_t>::max())
        return false;

    CalendarState out = s;
    out.JewYear = static_cast<std::int16_t>(jewYear);
    out.YearStart = *start;
    out.NextYearStart = *next;
    out.YearAfterStart = *after;
    out.YearType =
        static_cast<std::int16_t>(FindYearType(out.NextYearStart, out.YearStart, notify));
    out.StepDays = static_cast<std::int16_t>(stepDays);
    FindJDate(out);
    SetHolidays(out);
    out.NextMonthDate = out.FirstDate + out.MonthDays;
    out.FirstCell = static_cast<std::int16_t>(out.FirstDate.Weekday());
    s = std::move(out);
    return true;
}

YearTableFallback FallbackForDay(const std::string& path, Date day, int YearStep) {
    std::string text;
    if (const FileRead read = ReadDataFile(path, text); read != FileRead::Ok)
        return {path + " " + FileReadText(read), std::nullopt};
    std::vector<Date> starts = YearStartTable::FromText(text).Starts();
    std::sort(starts.begin(), starts.end());
    const std::string dayText = FormatDate(day);
    if (starts.empty()) return {path + " holds no year lines", std::nullopt};
    // A year needs the lines of the two years after it, so the table's last
    // two lines only close the years before them.
    const Date end = starts[starts.size() >= 2 ? starts.size() - 2 : 0];
    if (starts.front() <= day && day < end)
        return {path + " is damaged: it cannot describe " + dayText, std::nullopt};

    // Try the first days of the table's first years, or the last days of its
    // last years, until one can be shown.
    std::vector<Date> candidates;
    for (std::size_t i = 0; i < std::min<std::size_t>(3, starts.size()); ++i)
        candidates.push_back(day < starts.front() ? starts[i] : starts[starts.size() - 1 - i] - 1);
    for (const Date candidate : candidates) {
        CalendarState t;
        t.RHDatesFile = path;
        t.SelDate = candidate;
        t.YearStep = static_cast<std::int16_t>(YearStep);
        if (FindGDate(t, {}))
            return {path + " does not reach " + dayText + "; showing the nearest month it covers",
                    candidate};
    }
    return {path + " is damaged: it cannot describe " + dayText, std::nullopt};
}

}  // namespace tovel
