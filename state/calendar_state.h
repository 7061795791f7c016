#pragma once
// Everything the main window knows about what it shows. One instance, owned by
// the main window for the whole run; the engine reads and writes it.
// Settings-backed and grid fields are 16-bit like the settings file's values;
// arithmetic on them is done in int.

#include <array>
#include <cstdint>
#include <string>

#include "state/date.h"

namespace tovel {

struct CalendarState {
    Date SelDate;               // selected day of the Jewish view; its Jewish month is shown
    Date GregDate;              // selected day of the Gregorian view
    std::int16_t GregDay = 0;   // day of the month of GregDate, kept across month steps
    std::int16_t GregView = 0;  // 1 = Gregorian view, 0 = Jewish view (setting "Gregorian")

    std::int16_t JewYear = 0;
    Date YearStart;             // 1 Tishri of JewYear
    Date NextYearStart;         // 1 Tishri of JewYear + 1
    Date YearAfterStart;        // 1 Tishri of JewYear + 2
    std::int16_t YearType = 0;  // 1..6 by year length, 0 for an impossible length

    std::int16_t JewMonthNo = 0;  // 1 Tishri .. 12 Elul, 13 Adar II
    std::int16_t JewDay = 0;
    std::int16_t MonthDays = 0;
    std::string JewMonthName;  // with one blank before and after, e.g. " Tishri "

    Date FirstDate;              // day 1 of the shown Jewish month
    Date NextMonthDate;          // day 1 of the following Jewish month
    std::int16_t FirstCell = 0;  // column (1 = Sunday) of day 1 in the top row

    std::array<std::string, 43> DayText{};  // holiday text by day of the shown month

    std::int16_t YearStep = 1;
    std::int16_t CellWidth = 650;  // twips
    std::int16_t CellHeight = 450;
    std::int16_t GridLeft = 250;
    std::int16_t GridTop = 150;

    // Settings; their defaults live in the settings table (app/settings.h).
    std::int16_t AddXJ = 0;  // marker corrections, twips
    std::int16_t AddYJ = 0;
    std::int16_t AddXG = 0;
    std::int16_t AddYG = 0;
    std::int16_t AddWeek = 0;
    std::int16_t CapitalizeDates = 0;
    std::int16_t ActiveLocation = 0;  // 1..10, 0 = none
    // The active table's file name without its folder ("" for none): chosen
    // over ActiveLocation at start-up while that file is listed, so a table
    // added before it in the menu does not make another town active.
    std::string ActiveLocationFile;

    std::array<std::string, 11> SunFiles{};  // sunset table paths by menu item
    std::string SunFile;                     // full path of the active table

    std::string RHDatesFile;
    std::string IniFile;
    bool PopupMode = false;
};

}  // namespace tovel
