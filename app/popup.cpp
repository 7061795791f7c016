#include "app/popup.h"

#include <filesystem>

#include "app/program_files.h"
#include "app/settings.h"
#include "engine/holidays.h"
#include "engine/month_setup.h"
#include "engine/read_file.h"
#include "engine/year_table.h"
#include "sunset/sunset_table.h"

namespace tovel {

bool HasActiveLocation(const CalendarState& s) {
    return s.ActiveLocation >= 1 && s.ActiveLocation <= kMaxLocations;
}

std::optional<std::string> PopupMessage(const CalendarState& s) {
    const std::string& holiday = SelectedDayText(s);
    if (holiday.empty() || !HasActiveLocation(s)) return std::nullopt;
    return "Today is " + holiday;
}

PopupOutcome DecidePopup(const ProgramFiles& files, Date today) {
    namespace fs = std::filesystem;
    CalendarState s;
    s.RHDatesFile = (fs::path(files.DataFolder) / kYearTableName).string();
    std::error_code ec;
    // The window tells the user that the table is missing.
    if (!fs::is_regular_file(s.RHDatesFile, ec)) return PopupOutcome::NeedsWindow;

    std::string settings;
    ReadSettingsText(files, settings);
    ReadSettings(settings, s);
    // Without a location, or a table's name to find it by, none can be active.
    if (!HasActiveLocation(s) && s.ActiveLocationFile.empty()) return PopupOutcome::Quiet;

    s.SelDate = today;
    s.PopupMode = true;
    bool told = false;
    // A table that cannot describe today, or "Unknown year type": the window shows what is
    // wrong, when a location is active. An ordinary day ends here, without listing the sunset
    // tables (most days: a pop-up run costs little more than starting a process).
    const bool problem = !FindGDate(s, [&](const std::string&) { told = true; }) || told;
    if (!problem && SelectedDayText(s).empty()) return PopupOutcome::Quiet;
    s.ActiveLocation = static_cast<std::int16_t>(
        FindLocations(files.TableFolders, s.ActiveLocation, s.ActiveLocationFile).ActiveLocation);
    if (!HasActiveLocation(s)) return PopupOutcome::Quiet;
    return problem || PopupMessage(s) ? PopupOutcome::NeedsWindow : PopupOutcome::Quiet;
}

}  // namespace tovel
