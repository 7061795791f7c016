#include "engine/month_setup.h"

#include <algorithm>
#include <vector>

#include "engine/format_date.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "engine/read_file.h"
#include "engine/year_table.h"

namespace tovel {

bool SetUpMonth(CalendarState& s, const YearTable& table, const Notifier& notify) {
    const auto jewYear = table.YearOf(s.SelDate);
    if (!jewYear) return false;
    const auto start = table.StartOf(*jewYear);
    const auto next = table.StartOf(*jewYear + 1);
    const auto after = table.StartOf(*jewYear + 2);
    if (!start || !next || !after) return false;

    CalendarState out = s;
    out.JewYear = static_cast<std::int16_t>(*jewYear);
    out.YearStart = *start;
    out.NextYearStart = *next;
    out.YearAfterStart = *after;
    out.YearType =
        static_cast<std::int16_t>(FindYearType(out.NextYearStart, out.YearStart, notify));
    FindJDate(out);
    SetHolidays(out);
    out.NextMonthDate = out.FirstDate + out.MonthDays;
    out.FirstCell = static_cast<std::int16_t>(out.FirstDate.Weekday());
    s = std::move(out);
    return true;
}

bool FindGDate(CalendarState& s, const Notifier& notify) {
    return SetUpMonth(s, ReadYearTable(s.RHDatesFile), notify);
}

YearTableFallback FallbackForDay(const std::string& path, Date day) {
    std::string text;
    if (const FileRead read = ReadDataFile(path, text); read != FileRead::Ok)
        return {path + " " + FileReadText(read), std::nullopt};
    const YearTable table = YearTable::FromText(text);
    std::vector<Date> starts = table.Starts();
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
        t.SelDate = candidate;
        if (SetUpMonth(t, table, {}))
            return {path + " does not reach " + dayText + "; showing the nearest month it covers",
                    candidate};
    }
    return {path + " is damaged: it cannot describe " + dayText, std::nullopt};
}

}  // namespace tovel
