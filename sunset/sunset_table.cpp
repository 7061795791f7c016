#include "sunset/sunset_table.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/format_date.h"

namespace tovel {

namespace {

bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool EndsWithSun(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".sun";
}

}  // namespace

Locations FindLocations(const std::string& folder, int activeLocation) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (EndsWithSun(name) && it->is_regular_file(ec)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());

    Locations out;
    for (const std::string& name : names) {
        if (static_cast<int>(out.Files.size()) == kMaxLocations) break;
        std::ifstream in(fs::path(folder) / name, std::ios::binary);
        std::string first;
        if (!in || !ReadLine(in, first)) continue;
        out.Names.push_back(first);
        out.Files.push_back(name);
    }
    out.ActiveLocation = activeLocation > static_cast<int>(out.Files.size()) ? 0 : activeLocation;
    return out;
}

std::optional<SunsetTime> LookupSunset(const std::string& path, const Date& day) {
    std::ifstream in(path, std::ios::binary);
    SunsetTime out;
    if (!in || !ReadLine(in, out.Location)) return std::nullopt;
    const std::string text = FormatDate(day);  // dd-Mmm-yyyy
    // "Mmm dd" with the day right-aligned: "Jan  5", "Jan 15".
    std::string key = text.substr(3, 3);
    key += ' ';
    key += text[0] == '0' ? ' ' : text[0];
    key += text[1];
    // The name line is compared too, as the first line of the file.
    std::string line = out.Location;
    while (line.size() < 7 || line.compare(1, 6, key) != 0) {
        if (!ReadLine(in, line)) return std::nullopt;  // no line for this day
    }
    const char h = line.size() > 9 ? line[9] : ' ';
    const int hour = 12 + (h >= '0' && h <= '9' ? h - '0' : 0);
    char hourText[8];
    std::snprintf(hourText, sizeof hourText, " %d", hour);  // a blank in the place of a sign
    out.Time = hourText;
    if (line.size() > 10) out.Time.append(line, 10, 3);
    return out;
}

}  // namespace tovel
