#pragma once
// The holiday chooser's list and where a pick moves the selection.

#include <span>
#include <string_view>

#include "engine/holidays.h"
#include "engine/notifier.h"
#include "state/calendar_state.h"

namespace tovel {

inline constexpr const char* kUpperLimitMessage = "Tovel can not pass jewish year 6550";
inline constexpr int kLastChooserYear = 6550;

// The rows of the holiday table that the chooser lists (those with a
// ChooserText), in list order. Month 6 means Adar II in a leap year.
std::span<const HolidayRow> ChooserEntries();

// Days from the selected Jewish date (JewMonthNo, JewDay) to day JewDays of
// month JewMonth: within the shown month (possibly negative) when JewMonth is
// the shown month, otherwise forward to its next occurrence, walking into the
// following year with that year's type. 0 when the month is never met.
// May tell the notifier "Unknown year type" for the following year.
int Days2Holiday(const CalendarState& s, int JewDays, int JewMonth, const Notifier& notify);

struct HolidayPick {
    bool Refused = false;  // shown year above 6550: show kUpperLimitMessage, move nothing
    Date SelDate;          // the new selected date otherwise
};

// Where a pick of list text `text` moves the selection from the current state:
// the next day of that holiday as the month setup marks it, Saturday moves
// included. An unknown text leaves SelDate as it is.
HolidayPick PickHoliday(const CalendarState& s, std::string_view text, const Notifier& notify);

}  // namespace tovel
