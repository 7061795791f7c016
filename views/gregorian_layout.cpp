#include "views/gregorian_layout.h"

#include <chrono>

namespace tovel {

namespace {
// The marker's top sits this far above the text position before the correction.
constexpr int kMarkerRaise = 10;

Date FirstOfMonth(Date d) {
    const auto ymd = d.Ymd();
    return Date::FromSysDays(std::chrono::sys_days{ymd.year() / ymd.month() / 1});
}

int DaysInMonth(Date d) {
    const auto ymd = d.Ymd();
    const std::chrono::year_month_day_last last{ymd.year() / ymd.month() / std::chrono::last};
    return static_cast<int>(static_cast<unsigned>(last.day()));
}

bool InRange(Date d) {
    const int y = d.Year();
    return y >= kFirstGregYear && y <= kLastGregYear;
}

// Weeks from 1 January of `year` to `day`, the week holding 1 January being 1.
int WeeksFrom(int year, Date day) {
    const Date j = Date::FromYmd(year, 1, 1);
    // day - j + weekday(j) - weekday(day) is a whole number of weeks.
    return (day - j + j.Weekday() - day.Weekday()) / 7 + 1;
}
}  // namespace

std::vector<GregCell> GregMonthCells(const CalendarState& s) {
    std::vector<GregCell> cells;
    const Date first = FirstOfMonth(s.GregDate);
    const int days = DaysInMonth(s.GregDate);
    int column = first.Weekday(), row = 1;
    for (int day = 1; day <= days; ++day, ++column) {
        if (column > 7) {
            column = 1;
            ++row;
        }
        cells.push_back({day, column, row, (column - 1) * s.CellWidth + s.GridLeft,
                         (row - 1) * s.CellHeight + s.GridTop, column == kSaturday,
                         ' ' + std::to_string(day)});
    }
    return cells;
}

MarkerPlace GregMarkerPosition(const CalendarState& s) {
    const int index = FirstOfMonth(s.GregDate).Weekday() + s.GregDay - 2;
    const int row = index / 7;
    const int column = index % 7;
    return {column * s.CellWidth + s.GridLeft + s.AddXG,
            row * s.CellHeight + s.GridTop - kMarkerRaise + s.AddYG};
}

int WeekNumber(Date GregDate, int AddWeek) {
    const int year = GregDate.Year();
    const int week = WeeksFrom(year, GregDate) + AddWeek;
    if (week != 0) return week;
    return WeeksFrom(year - 1, GregDate) + AddWeek;
}

std::string WeekLabel(const CalendarState& s) {
    return "Week  " + std::to_string(WeekNumber(s.GregDate, s.AddWeek));
}

std::optional<GregMove> GregMonthMoveTarget(const CalendarState& s, int months) {
    const auto ymd = s.GregDate.Ymd();
    const std::chrono::year_month target =
        std::chrono::year_month{ymd.year(), ymd.month()} + std::chrono::months{months};
    const int year = static_cast<int>(target.year());
    if (year < kFirstGregYear || year > kLastGregYear) return std::nullopt;
    int day = s.GregDay;
    auto valid = [&] {
        return day >= 1 && day <= 31 &&
               (target / std::chrono::day{static_cast<unsigned>(day)}).ok();
    };
    while (!valid() && day > 25) --day;
    if (!valid()) return std::nullopt;
    return GregMove{
        Date::FromYmd(year, static_cast<unsigned>(target.month()), static_cast<unsigned>(day)),
        day};
}

std::optional<Date> GregStepTarget(const CalendarState& s, int days) {
    const Date d = s.GregDate + days;
    if (!InRange(d)) return std::nullopt;
    return d;
}

}  // namespace tovel
