#include "engine/holiday_chooser.h"

#include <array>

#include "engine/holidays.h"
#include "engine/jewish_date.h"
#include "engine/year_table.h"

namespace tovel {

namespace {
constexpr std::array<ChooserEntry, 14> kEntries = {{
    {"Rosh Hashanah", 1, 1},
    {"Yom Kippur", 10, 1},
    {"Succoth", 15, 1},
    {"Sh 'mini Atzeret", 22, 1},
    {"Simchat Torah", 23, 1},
    {"Hanukkah", 25, 3},
    {"Tu B 'Shevat", 15, 5},
    {"Purim", 14, 6},
    {"Pesach", 15, 7},
    {"Yom Hashoah", 27, 7},
    {"Yom Haatzmaut", 5, 8},
    {"Lag B 'Omer", 18, 8},
    {"Shavuot", 6, 9},
    {"Tisha B 'Av", 9, 11},
}};
}  // namespace

std::span<const ChooserEntry> ChooserEntries() { return kEntries; }

namespace {
// The month a target month means in a year of type t: the Adar holidays are
// kept in Adar II when the year has one.
int TargetIn(int JewMonth, int t) {
    return JewMonth == kAdarI && IsLeapYearType(t) ? kAdarII : JewMonth;
}
}  // namespace

int Days2Holiday(const CalendarState& s, int JewDays, int JewMonth, const Notifier& notify) {
    if (TargetIn(JewMonth, s.YearType) == s.JewMonthNo) return JewDays - s.JewDay;

    // Walk the months in calendar order (Adar II after Adar I in a leap year),
    // from the one after the shown month to the end of the shown year, then
    // through the following year with its own type, until the target is met.
    int acc = s.MonthDays - s.JewDay;
    const auto thisYear = JewishMonthOrder(s.YearType);
    std::size_t i = 0;
    while (i < thisYear.size() && thisYear[i] != s.JewMonthNo) ++i;
    const int target = TargetIn(JewMonth, s.YearType);
    for (++i; i < thisYear.size(); ++i) {
        const int m = thisYear[i];
        if (m == target) return JewDays + acc;
        acc += JewishMonthLength(m, s.YearType);
    }
    const int t = FindYearType(s.YearAfterStart, s.NextYearStart, notify);
    const int nextTarget = TargetIn(JewMonth, t);
    for (const int m : JewishMonthOrder(t)) {
        if (m == s.JewMonthNo) return 0;  // back at the shown month: the target is never met
        if (m == nextTarget) return JewDays + acc;
        acc += JewishMonthLength(m, t);
    }
    return 0;
}

HolidayPick PickHoliday(const CalendarState& s, std::string_view text, const Notifier& notify) {
    HolidayPick pick;
    if (s.JewYear > kLastChooserYear) {
        pick.Refused = true;
        pick.SelDate = s.SelDate;
        return pick;
    }
    int day = 0, month = 0;
    for (const ChooserEntry& e : kEntries)
        if (e.Text == text) {
            day = e.Day;
            month = e.Month;
        }
    if (month == 1) {
        pick.SelDate = (s.JewMonthNo == 1 ? s.YearStart : s.NextYearStart) + (day - 1);
        return pick;
    }
    pick.SelDate = s.SelDate + Days2Holiday(s, day, month, notify);
    // A holiday that the holiday table moves off a Saturday moves the same way here.
    if (pick.SelDate.Weekday() == kSaturday)
        for (const HolidayRow& row : HolidayTable())
            if (row.Month == month && row.Day == day && row.SaturdayDay != 0)
                pick.SelDate += row.SaturdayDay - row.Day;
    return pick;
}

}  // namespace tovel
