#include "app/calendar_lines.h"

#include "engine/jewish_date.h"
#include "engine/text.h"

namespace tovel {

namespace {
// Weeks from 1 January of `year` to `day`, the week holding 1 January being 1.
int WeeksFrom(int year, Date day) {
    const Date j = Date::FromYmd(year, 1, 1);
    // day - j + weekday(j) - weekday(day) is a whole number of weeks.
    return (day - j + j.Weekday() - day.Weekday()) / 7 + 1;
}
}  // namespace

std::string TitleLine(const CalendarState& s) {
    return s.JewMonthName + " " + std::to_string(s.JewYear);
}

std::string SelectedJewishDate(const CalendarState& s) {
    return std::to_string(s.JewDay) + " " + std::string(TrimBlanks(s.JewMonthName)) + " " +
           std::to_string(s.JewYear);
}

std::string JewishDateText(int day, int monthNo, int year) {
    return std::to_string(day) + " " + std::string(TrimBlanks(JewishMonthName(monthNo))) + " " +
           std::to_string(year);
}

std::string StatusLineWithSunset(std::string_view holiday, std::string_view location,
                                 std::string_view time) {
    std::string out;
    if (holiday.empty())
        out = "Sun sets in ";
    else
        out.append(holiday).append(" - sun sets in ");
    out.append(location).append(" at ").append(time);
    return out;
}

std::string StatusLine1(std::string_view holiday, const std::optional<SunsetTime>& sunset) {
    return sunset ? StatusLineWithSunset(holiday, sunset->Location, sunset->Time)
                  : std::string(holiday);
}

std::string_view StatusLine2(int GregView) { return GregView == 0 ? kReminder : ""; }

std::string GregorianSpan(std::string_view m1, std::string_view y1, std::string_view m2,
                          std::string_view y2) {
    std::string out(m1);
    if (y1 == y2) {
        if (m1 != m2) out.append(" / ").append(m2);
        out.append(" ").append(y1);
    } else if (m1 == m2) {
        out.append(" ").append(y1).append(" ").append(y2);
    } else {
        out.append(" ").append(y1).append(" / ").append(m2).append(" ").append(y2);
    }
    return out;
}

std::string WeekdayHeader(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out.append(names[i]).append(i % 2 == 0 ? "     " : "    ");
    return out;
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

}  // namespace tovel
