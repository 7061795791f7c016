#include "sunset/sunset_table.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "engine/format_date.h"
#include "engine/read_file.h"
#include "engine/text.h"
#include "sunset/name_encoding.h"

namespace tovel {

namespace {

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

Locations FindLocations(const std::vector<std::string>& folders, int activeLocation) {
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
    return out;
}

std::optional<SunsetTime> LookupSunset(const std::string& path, const Date& day) {
    std::string content;
    if (ReadDataFile(path, content) != FileRead::Ok) return std::nullopt;
    std::string_view rest = content, line;
    if (!NextLine(rest, line)) return std::nullopt;
    SunsetTime out;
    out.Location = ShownLocationName(line);
    const std::string text = FormatDate(day);  // dd-Mmm-yyyy
    // "Mmm dd" with the day right-aligned: "Jan  5", "Jan 15".
    std::string key = text.substr(3, 3);
    key += ' ';
    key += text[0] == '0' ? ' ' : text[0];
    key += text[1];
    // The name line is compared too, as the first line of the file.
    while (line.size() < 7 || line.substr(1, 6) != key) {
        if (!NextLine(rest, line)) return std::nullopt;  // no line for this day
    }
    const char h = line.size() > 9 ? line[9] : ' ';
    const int hour = 12 + (h >= '0' && h <= '9' ? h - '0' : 0);
    char hourText[8];
    std::snprintf(hourText, sizeof hourText, " %d", hour);  // a blank in the place of a sign
    out.Time = hourText;
    if (line.size() > 10) out.Time.append(line.substr(10, 3));
    return out;
}

}  // namespace tovel
