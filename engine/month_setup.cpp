#include "engine/month_setup.h"

#include <limits>

#include "engine/format_date.h"
#include "engine/holidays.h"
#include "engine/jewish_date.h"
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
    out.YearType = static_cast<std::int16_t>(FindYearType(out.NextYearStart, out.YearStart, notify));
    out.StepDays = static_cast<std::int16_t>(stepDays);
    FindJDate(out);
    SetHolidays(out);
    s = std::move(out);
    return true;
}

}  // namespace tovel
