#include "engine/holiday_chooser.h"

#include <algorithm>
#include <vector>

#include "engine/jewish_date.h"
#include "engine/year_table.h"

namespace tovel {

std::span<const HolidayRow> ChooserEntries() {
    static const std::vector<HolidayRow> entries = [] {
        std::vector<HolidayRow> out;
        for (const HolidayRow& row : HolidayTable())
            if (!row.ChooserText.empty()) out.push_back(row);
        return out;
    }();
    return entries;
}

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
    const auto entries = ChooserEntries();
    const auto row = std::find_if(entries.begin(), entries.end(),
                                  [&](const HolidayRow& e) { return e.ChooserText == text; });
    if (row == entries.end()) {
        pick.SelDate = s.SelDate;
        return pick;
    }
    // The regular day: in Tishri the shown year's or the next one's, else the
    // next time its month comes.
    const Date regular =
        row->Month == kTishri
            ? (s.JewMonthNo == kTishri ? s.YearStart : s.NextYearStart) + (row->Day - 1)
            : s.SelDate + Days2Holiday(s, row->Day, row->Month, notify);
    pick.SelDate = regular + (HolidayDay(*row, regular - (row->Day - 1)) - row->Day);
    return pick;
}

}  // namespace tovel
