#include "sunset/sunset_table.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

#include "engine/read_file.h"
#include "engine/text.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_line.h"
#include "sunset/sun_table_maker.h"

namespace tovel {

namespace {

// The file's last line, without its line end.
std::string_view LastLine(std::string_view content) {
    while (!content.empty() && (content.back() == '\n' || content.back() == '\r'))
        content.remove_suffix(1);
    const std::size_t lf = content.rfind('\n');
    return lf == std::string_view::npos ? content : content.substr(lf + 1);
}

// The time of `line`, written for `month`/`dayOfMonth` of the zone line's
// year, as it falls on `day`; nothing when the table has no usable zone line.
std::optional<std::string> MovedTime(std::string_view content, std::string_view line,
                                     const Date& day, const ZoneLookup& zones) {
    if (!zones) return std::nullopt;
    const SunZoneFields zone = ParseSunZoneLine(LastLine(content));
    const std::optional<int> minutes = SunLineMinutes(line);
    if (!zone.Ok() || !minutes) return std::nullopt;
    const std::optional<UtcOffsetAt> offset = zones(zone.Zone);
    if (!offset) return std::nullopt;
    using namespace std::chrono;
    const auto month = static_cast<unsigned>(day.Month()), dom = static_cast<unsigned>(day.Day());
    const int written = month == 2 && dom == 29 ? LeapDayYear(zone.Year) : zone.Year;
    const sys_days from{year{written} / std::chrono::month{month} / std::chrono::day{dom}};
    const int moved = MoveCivilTime(*offset, *minutes, from, day.ToSysDays());
    return SunTimeText(((moved % 1440) + 1440) % 1440);
}

bool EndsWithSun(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".sun";
}

}  // namespace

std::string ShownLocationName(std::string_view line) {
    std::string name = LocationNameToUtf8(line);
    if (name.size() <= kMaxLocationNameBytes) return name;
    std::size_t cut = kMaxLocationNameBytes - 3;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    return name.substr(0, cut) + "...";
}

Locations FindLocations(const std::vector<std::string>& folders, int activeLocation,
                        const std::string& activeFile) {
    namespace fs = std::filesystem;
    Locations out;
    std::string content;
    for (const std::string& folder : folders) {
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (EndsWithSun(name) && it->is_regular_file(ec)) names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            if (static_cast<int>(out.Files.size()) == kMaxLocations) break;
            const std::string path = (fs::path(folder) / name).string();
            std::string_view rest, first;
            if (ReadDataFile(path, content) != FileRead::Ok) continue;
            rest = content;
            if (!NextLine(rest, first)) continue;
            out.Names.push_back(ShownLocationName(first));
            out.Files.push_back(path);
        }
    }
    out.ActiveLocation = activeLocation > static_cast<int>(out.Files.size()) ? 0 : activeLocation;
    for (std::size_t i = 0; i < out.Files.size() && !activeFile.empty(); ++i) {
        if (fs::path(out.Files[i]).filename() == activeFile) {
            out.ActiveLocation = static_cast<int>(i) + 1;
            break;
        }
    }
    return out;
}

std::optional<SunsetTime> LookupSunset(const std::string& path, const Date& day,
                                       const ZoneLookup& zones) {
    std::string content;
    if (ReadDataFile(path, content) != FileRead::Ok) return std::nullopt;
    std::string_view rest = content, line;
    if (!NextLine(rest, line)) return std::nullopt;
    SunsetTime out;
    out.Location = ShownLocationName(line);
    const std::string key =
        SunLineKey(static_cast<unsigned>(day.Month()), static_cast<unsigned>(day.Day()));
    // The name line is compared too, as the first line of the file; the first
    // line whose columns 2-7 are the key wins, whatever the rest of it holds.
    while (SunLineKeyOf(line) != key) {
        if (!NextLine(rest, line)) return std::nullopt;  // no line for this day
    }
    out.Time = MovedTime(content, line, day, zones).value_or(SunLineTimeText(line));
    return out;
}

}  // namespace tovel
