#include "engine/holidays.h"

#include <array>

#include "engine/jewish_date.h"

namespace tovel {

namespace {
// Texts are shown to the user exactly as written here, blank before the apostrophe included.
constexpr std::array<HolidayRow, 19> kHolidays = {{
    {1, 1, 0, AdarRule::Always, "Rosh Hashanah"},
    {1, 2, 0, AdarRule::Always, "Rosh Hashanah"},
    {1, 10, 0, AdarRule::Always, "Yom Kippur"},
    {1, 15, 0, AdarRule::Always, "Succoth (Tishri 15-21)"},
    {1, 22, 0, AdarRule::Always, "Sh 'mini Atzeret"},
    {1, 23, 0, AdarRule::Always, "Simchat Torah"},
    {3, 25, 0, AdarRule::Always, "Hanukkah (8 days)"},
    {4, 10, 0, AdarRule::Always, "Tzom Tevet"},
    {5, 15, 0, AdarRule::Always, "Tu B 'Shevat"},
    // The single Adar of a common year; in a leap year these fall in Adar II.
    {6, 13, 11, AdarRule::CommonYearOnly, "Ta 'anit Esther"},
    {6, 14, 0, AdarRule::CommonYearOnly, "Purim"},
    {13, 13, 11, AdarRule::Always, "Ta 'anit Esther"},
    {13, 14, 0, AdarRule::Always, "Purim"},
    {7, 15, 0, AdarRule::Always, "Pesach (Nisan 15-22)"},
    {7, 27, 0, AdarRule::Always, "Yom Hashoah"},
    {8, 5, 3, AdarRule::Always, "Yom Haatzmaut"},
    {8, 18, 0, AdarRule::Always, "Lag B 'Omer"},
    {9, 6, 0, AdarRule::Always, "Shavuot (Sivan 6-7)"},
    {11, 9, 10, AdarRule::Always, "Tisha B 'Av"},
}};
}  // namespace

std::span<const HolidayRow> HolidayTable() { return kHolidays; }

void SetHolidays(CalendarState& s) {
    for (std::size_t k = 1; k < s.DayText.size(); ++k) s.DayText[k].clear();
    s.FirstDate = s.SelDate - s.JewDay + 1;
    if (s.JewMonthNo < 1 || s.JewMonthNo > 13) return;
    for (const HolidayRow& row : kHolidays) {
        if (row.Month != s.JewMonthNo) continue;
        if (row.Rule == AdarRule::CommonYearOnly && IsLeapYearType(s.YearType)) continue;
        int day = row.Day;
        if (row.SaturdayDay != 0 && (s.FirstDate + (day - 1)).Weekday() == kSaturday)
            day = row.SaturdayDay;
        s.DayText[static_cast<std::size_t>(day)] = std::string(row.Text);
    }
}

const std::string& SelectedDayText(const CalendarState& s) {
    const bool inside = s.JewDay >= 1 && s.JewDay < static_cast<int>(s.DayText.size());
    return s.DayText[inside ? static_cast<std::size_t>(s.JewDay) : 0];  // entry 0 is always ""
}

}  // namespace tovel
