#include "engine/holidays.h"

#include <array>

#include "engine/jewish_date.h"

namespace tovel {

namespace {
// Texts are shown to the user exactly as written here, blank before the apostrophe included.
// The rows with a chooser text make the chooser's list, in this order; Purim is
// listed once, as the single Adar's, which means Adar II in a leap year.
constexpr std::array<HolidayRow, 19> kHolidays = {{
    {1, 1, 0, AdarRule::Always, "Rosh Hashanah", "Rosh Hashanah"},
    {1, 2, 0, AdarRule::Always, "Rosh Hashanah", ""},
    {1, 10, 0, AdarRule::Always, "Yom Kippur", "Yom Kippur"},
    {1, 15, 0, AdarRule::Always, "Succoth (Tishri 15-21)", "Succoth"},
    {1, 22, 0, AdarRule::Always, "Sh 'mini Atzeret", "Sh 'mini Atzeret"},
    {1, 23, 0, AdarRule::Always, "Simchat Torah", "Simchat Torah"},
    {3, 25, 0, AdarRule::Always, "Hanukkah (8 days)", "Hanukkah"},
    {4, 10, 0, AdarRule::Always, "Tzom Tevet", ""},
    {5, 15, 0, AdarRule::Always, "Tu B 'Shevat", "Tu B 'Shevat"},
    // The single Adar of a common year; in a leap year these fall in Adar II.
    {6, 13, 11, AdarRule::CommonYearOnly, "Ta 'anit Esther", ""},
    {6, 14, 0, AdarRule::CommonYearOnly, "Purim", "Purim"},
    {13, 13, 11, AdarRule::Always, "Ta 'anit Esther", ""},
    {13, 14, 0, AdarRule::Always, "Purim", ""},
    {7, 15, 0, AdarRule::Always, "Pesach (Nisan 15-22)", "Pesach"},
    {7, 27, 0, AdarRule::Always, "Yom Hashoah", "Yom Hashoah"},
    {8, 5, 3, AdarRule::Always, "Yom Haatzmaut", "Yom Haatzmaut"},
    {8, 18, 0, AdarRule::Always, "Lag B 'Omer", "Lag B 'Omer"},
    {9, 6, 0, AdarRule::Always, "Shavuot (Sivan 6-7)", "Shavuot"},
    {11, 9, 10, AdarRule::Always, "Tisha B 'Av", "Tisha B 'Av"},
}};
}  // namespace

std::span<const HolidayRow> HolidayTable() { return kHolidays; }

int HolidayDay(const HolidayRow& row, Date firstDate) {
    const bool moves = row.SaturdayDay != 0 && (firstDate + (row.Day - 1)).Weekday() == kSaturday;
    return moves ? row.SaturdayDay : row.Day;
}

void SetHolidays(CalendarState& s) {
    for (std::size_t k = 1; k < s.DayText.size(); ++k) s.DayText[k].clear();
    s.FirstDate = s.SelDate - s.JewDay + 1;
    if (s.JewMonthNo < 1 || s.JewMonthNo > 13) return;
    for (const HolidayRow& row : kHolidays) {
        if (row.Month != s.JewMonthNo) continue;
        if (row.Rule == AdarRule::CommonYearOnly && IsLeapYearType(s.YearType)) continue;
        s.DayText[static_cast<std::size_t>(HolidayDay(row, s.FirstDate))] = std::string(row.Text);
    }
}

const std::string& SelectedDayText(const CalendarState& s) {
    const bool inside = s.JewDay >= 1 && s.JewDay < static_cast<int>(s.DayText.size());
    return s.DayText[inside ? static_cast<std::size_t>(s.JewDay) : 0];  // entry 0 is always ""
}

}  // namespace tovel
