#include "input/navigation.h"

#include "engine/holiday_chooser.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "engine/jewish_date.h"
#include "engine/year_table.h"

namespace tovel {

namespace {
// Clicks are measured from this point, not from GridLeft/GridTop.
constexpr int kClickOrigin = 180;
constexpr int kColumns = 7;
constexpr int kRows = 6;
constexpr int kAdarI = 6;  // also the single Adar of a common year
constexpr int kAdarII = 13;
// Pointer positions beyond this are far outside any grid; it also keeps
// the rounding below defined.
constexpr float kFarAway = 1e6f;

// Position of `month` in the calendar order of a year of type `yearType`.
std::optional<std::size_t> OrderIndex(int month, int yearType) {
    const auto order = JewishMonthOrder(yearType);
    const auto it = std::find(order.begin(), order.end(), month);
    if (it == order.end()) return std::nullopt;
    return static_cast<std::size_t>(it - order.begin());
}
}  // namespace

std::optional<GridCell> CellAt(const CalendarState& s, float X, float Y) {
    if (!(std::fabs(X) < kFarAway && std::fabs(Y) < kFarAway)) return std::nullopt;  // NaN too
    if (s.CellWidth <= 0 || s.CellHeight <= 0) return std::nullopt;
    const int x = static_cast<int>(std::lround(X));
    const int y = static_cast<int>(std::lround(Y));
    if (x < 0 || y < 0) return std::nullopt;
    // Integer division truncates toward zero, so the margin maps to 0.
    const int column = (x - kClickOrigin) / s.CellWidth;
    const int row = (y - kClickOrigin) / s.CellHeight;
    if (column >= kColumns || row >= kRows) return std::nullopt;
    return GridCell{column, row};
}

std::optional<int> JewishDayAt(const CalendarState& s, float X, float Y) {
    const auto c = CellAt(s, X, Y);
    if (!c) return std::nullopt;
    const int cell = c->Row * kColumns + c->Column + 1;
    if (cell < s.FirstCell || cell >= s.FirstCell + s.MonthDays) return std::nullopt;
    return cell - s.FirstCell + 1;
}

std::optional<Date> GregDateAt(const CalendarState& s, float X, float Y) {
    const auto c = CellAt(s, X, Y);
    if (!c) return std::nullopt;
    const auto ymd = s.GregDate.Ymd();
    const Date first =
        Date::FromYmd(static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()), 1);
    const int day = c->Row * kColumns + c->Column - first.Weekday() + 2;
    const auto last =
        std::chrono::year_month_day_last{ymd.year() / ymd.month() / std::chrono::last};
    if (day < 1 || day > static_cast<int>(static_cast<unsigned>(last.day()))) return std::nullopt;
    return first + (day - 1);
}

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

std::optional<Date> YearMoveTarget(const CalendarState& s, int years, const YearStarts& starts) {
    const int target = s.JewYear + years;
    const auto start = starts.StartOf(target);
    const auto next = starts.StartOf(target + 1);
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

}  // namespace tovel
