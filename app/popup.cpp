#include "app/popup.h"

#include <filesystem>

#include "app/ini_file.h"
#include "app/settings_values.h"
#include "engine/month_setup.h"
#include "sunset/sunset_table.h"

namespace tovel {

PopupOutcome DecidePopup(const std::string& folder, Date today) {
    namespace fs = std::filesystem;
    CalendarState s;
    s.RHDatesFile = (fs::path(folder) / "RHDates.Tvl").string();
    std::error_code ec;
    if (!fs::exists(s.RHDatesFile, ec)) return PopupOutcome::NeedsWindow;

    const std::string ini = (fs::path(folder) / "Tovel.ini").string();
    const int saved = ToSettingInt(ReturnIniValue(ini, "ActiveLocation", "0"), 0);
    const int active = FindLocations(folder, saved).ActiveLocation;
    if (active < 1 || active > kMaxLocations) return PopupOutcome::Quiet;

    s.SelDate = today;
    bool told = false;
    if (!FindGDate(s, [&](const std::string&) { told = true; })) return PopupOutcome::Quiet;
    if (told) return PopupOutcome::NeedsWindow;  // the window repeats the message to the user
    if (s.JewDay < 1 || s.JewDay >= static_cast<int>(s.DayText.size())) return PopupOutcome::Quiet;
    return s.DayText[static_cast<std::size_t>(s.JewDay)].empty() ? PopupOutcome::Quiet
                                                                 : PopupOutcome::NeedsWindow;
}

}  // namespace tovel
