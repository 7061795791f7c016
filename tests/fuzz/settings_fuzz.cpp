// Any settings file: reading never crashes; a save written into it reads back
// as the values saved, saving the same values again changes nothing, and the
// file's other lines survive.
#include <algorithm>

#include "app/ini_file.h"
#include "app/settings.h"
#include "fuzz_support.h"

using namespace tovel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content = fuzz::Text(data, size);
    CalendarState s;
    ReadSettings(content, s);
    s.ActiveLocation = 2;
    const auto keys = SettingsToSave(s, {300.0, 15.0});
    const auto saved = UpdateProfileText(content, kProfileSection, keys);
    fuzz::Require(saved.has_value());
    CalendarState again;
    fuzz::Require(ReadSettings(*saved, again).Left == 15.0 && again.ActiveLocation == 2);
    fuzz::Require(again.AddXJ == s.AddXJ && again.AddYJ == s.AddYJ && again.AddXG == s.AddXG &&
                  again.AddYG == s.AddYG && again.AddWeek == s.AddWeek &&
                  again.CapitalizeDates == s.CapitalizeDates && again.GregView == s.GregView);
    fuzz::Require(UpdateProfileText(*saved, kProfileSection, keys) == saved);
    // Only key lines are ever rewritten: every other line stays, in order.
    for (std::size_t at = 0, end = 0, from = 0; at < content.size(); at = end + 1) {
        end = std::min(content.find_first_of("\r\n", at),
                       content.size());  // CR, LF or both end a line
        const std::string_view line = content.substr(at, end - at);
        if (line.find('=') != std::string_view::npos) continue;
        from = saved->find(line, from);
        fuzz::Require(from != std::string::npos);
        from += line.size();
    }
    return 0;
}
