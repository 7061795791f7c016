#include "input/navigation.h"

#include "engine/holiday_chooser.h"

#include <algorithm>
#include <chrono>

#include "engine/jewish_date.h"
#include "engine/year_table.h"

namespace tovel {

namespace {

// Position of `month` in the calendar order of a year of type `yearType`.
std::optional<std::size_t> OrderIndex(int month, int yearType) {
    const auto order = JewishMonthOrder(yearType);
    const auto it = std::find(order.begin(), order.end(), month);
    if (it == order.end()) return std::nullopt;
    return static_cast<std::size_t>(it - order.begin());
}
}  // namespace

std::optional<Date> MonthMoveTarget(const CalendarState& s, int months) {
    if (months != -1 && months != 1) return std::nullopt;
    if (s.MonthDays < 1 || s.JewDay < 1) return std::nullopt;
    const auto order = JewishMonthOrder(s.YearType);
    const auto i = OrderIndex(s.JewMonthNo, s.YearType);
    if (!i) return std::nullopt;

    int length = 0;  // of the neighbouring month
    Date firstDay;   // its day 1
    if (months > 0) {
        // Elul is followed by Tishri, 30 days in every year.
        const int next = *i + 1 < order.size() ? order[*i + 1] : 1;
        length = JewishMonthLength(next, s.YearType);
        firstDay = s.FirstDate + s.MonthDays;
    } else {
        // Tishri is preceded by Elul, 29 days in every year.
        const int previous = *i > 0 ? order[*i - 1] : 12;
        length = JewishMonthLength(previous, s.YearType);
        firstDay = s.FirstDate - length;
    }
    return firstDay + (std::min<int>(s.JewDay, length) - 1);
}

std::optional<Date> DateOfJewishDate(Date yearStart, Date nextYearStart, int month, int day) {
    const int type = FindYearType(nextYearStart, yearStart, Notifier{});
    if (type == 0) return std::nullopt;
    if (day < 1 || day > JewishMonthLength(month, type)) return std::nullopt;
    Date d = yearStart;
    for (const int m : JewishMonthOrder(type)) {
        if (m == month) return d + (day - 1);
        d += JewishMonthLength(m, type);
    }
    return std::nullopt;  // Adar II asked of a common year
}

std::optional<Date> YearMoveTarget(const CalendarState& s, int years, const YearTable& table) {
    const int target = s.JewYear + years;
    const auto start = table.StartOf(target);
    const auto next = table.StartOf(target + 1);
    if (!start || !next) return std::nullopt;
    // A length that is no year type gives type 0, which DateOfJewishDate refuses.
    const int type = FindYearType(*next, *start, Notifier{});
    int month = s.JewMonthNo;
    if (!IsLeapYearType(type) && month == kAdarII) month = kAdarI;
    // Only the single Adar of a common year moves to Adar II; Adar I of a leap
    // year stays Adar I in another leap year.
    if (IsLeapYearType(type) && month == kAdarI && !IsLeapYearType(s.YearType)) month = kAdarII;
    const int day = std::min<int>(s.JewDay, JewishMonthLength(month, type));
    return DateOfJewishDate(*start, *next, month, day);
}

bool MonthMoveAllowed(const CalendarState& s, int months) {
    return months < 0 ? s.JewYear >= kFirstNavYear : s.JewYear <= kLastNavYear;
}

std::optional<std::string_view> YearMoveRefusal(const CalendarState& s, int years) {
    if (years < 0 && s.JewYear + years < kFirstNavYear) return kLowerLimitMessage;
    if (years > 0 && s.JewYear + years > kLastNavYear) return kUpperLimitMessage;
    return std::nullopt;
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
    if (d.Year() < kFirstGregYear || d.Year() > kLastGregYear) return std::nullopt;
    return d;
}

}  // namespace tovel
