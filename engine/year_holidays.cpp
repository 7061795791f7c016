#include "engine/year_holidays.h"

#include "engine/month_setup.h"
#include "engine/year_table.h"

namespace tovel {

std::optional<YearRange> ExportableYears(const YearTable& table) {
    const std::vector<Date> starts = table.Starts();
    if (starts.empty()) return std::nullopt;
    const auto first = table.YearOf(starts.front());
    if (!first) return std::nullopt;
    std::optional<YearRange> range;
    // No table has more years than it has lines that parse.
    for (int year = *first; year < *first + static_cast<int>(starts.size()); ++year) {
        if (!table.StartOf(year) || !table.StartOf(year + 1) || !table.StartOf(year + 2)) continue;
        if (!range) range = YearRange{year, year};
        range->Last = year;
    }
    return range;
}

std::vector<CalendarState> YearMonths(const YearTable& table, int jewYear,
                                      const CalendarState& base) {
    std::vector<CalendarState> months;
    const auto start = table.StartOf(jewYear);
    if (!start) return months;
    CalendarState s = base;
    s.SelDate = *start;
    while (SetUpMonth(s, table, {}) && s.JewYear == jewYear && s.MonthDays > 0) {
        months.push_back(s);
        s.SelDate = s.NextMonthDate;
    }
    return months;
}

std::vector<HolidayOn> YearHolidays(const YearTable& table, int jewYear) {
    std::vector<HolidayOn> out;
    for (const CalendarState& m : YearMonths(table, jewYear))
        for (int d = 1; d <= m.MonthDays; ++d)
            if (const std::string& text = m.DayText[static_cast<std::size_t>(d)]; !text.empty())
                out.push_back({m.FirstDate + (d - 1), jewYear, m.JewMonthNo, d, text});
    return out;
}

std::vector<HolidayOn> HolidaysBetween(const YearTable& table, Date first, Date last) {
    std::vector<HolidayOn> out;
    const auto from = table.YearOf(first);
    const auto to = table.YearOf(last);
    if (!from || !to) return out;
    for (int year = *from; year <= *to; ++year)
        for (const HolidayOn& h : YearHolidays(table, year))
            if (h.Day >= first && h.Day <= last) out.push_back(h);
    return out;
}

}  // namespace tovel
