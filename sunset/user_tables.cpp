#include "sunset/user_tables.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "sunset/sun_table_maker.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;

// The file names of the tables shipped beside the program (tools/sun_tables.txt),
// separated by '|', which the list uses between fields.
constexpr std::string_view kShippedTables = TOVEL_SHIPPED_SUN_TABLES;

bool IsShippedName(std::string_view name) {
    std::string_view rest = kShippedTables;
    while (!rest.empty()) {
        const std::size_t end = rest.find('|');
        if (rest.substr(0, end) == name) return true;
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return false;
}

}  // namespace

std::optional<double> ParseDegrees(std::string_view text, double low, double high) {
    if (text.empty() || text.find_first_of(" \t\n") != std::string_view::npos) return std::nullopt;
    // strtod also reads hexadecimal numbers; degrees are written in decimal.
    if (text.find_first_of("xX") != std::string_view::npos) return std::nullopt;
    const std::string copy(text);
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (errno != 0 || end != copy.c_str() + copy.size() || !std::isfinite(value))
        return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::string SunTableFileName(std::string_view name) {
    std::string out;
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        out += (b <= 0x20 || b == 0x7F || c == '/' || c == '\\') ? '_' : c;
    }
    if (!out.empty() && out[0] == '.') out[0] = '_';
    return out + ".sun";
}

UserTable MakeUserTable(const PlaceInput& place, int year, const ZoneLookup& zones,
                        const std::string& folder) {
    UserTable out;
    auto refuse = [&out](std::string why) {
        out.Error = std::move(why);
        return out;
    };
    if (std::string problem = SunTableNameProblem(place.Name); !problem.empty())
        return refuse(problem);
    const std::optional<double> latitude = ParseDegrees(place.Latitude, -90, 90);
    if (!latitude)
        return refuse("the latitude '" + place.Latitude +
                      "' is not a decimal number of degrees from -90 to 90");
    const std::optional<double> longitude = ParseDegrees(place.Longitude, -180, 180);
    if (!longitude)
        return refuse("the longitude '" + place.Longitude +
                      "' is not a decimal number of degrees from -180 to 180");
    std::optional<UtcOffsetAt> offset;
    if (SunZoneNameProblem(place.Zone).empty() && zones) offset = zones(place.Zone);
    if (!offset)
        return refuse("unknown time zone '" + place.Zone +
                      "' (an IANA name such as Europe/London)");
    const SunTableResult table =
        MakeSunTable({place.Name, *latitude, *longitude}, year, *offset, place.Zone);
    if (!table.Ok()) return refuse("no table for " + place.Name + ": " + table.Error);

    const std::string file = SunTableFileName(place.Name);
    const std::string stem = file.substr(0, file.size() - 4);
    std::error_code ec;
    fs::path path = fs::path(folder) / file;
    for (int n = 2; fs::symlink_status(path, ec).type() != fs::file_type::not_found; ++n)
        path = fs::path(folder) / (stem + "_" + std::to_string(n) + ".sun");
    out.Path = path.string();
    out.Text = table.Text;
    return out;
}

bool IsUserTable(const std::string& path, const std::string& userFolder,
                 const std::string& dataFolder) {
    const fs::path p(path);
    if (userFolder.empty() || p.parent_path() != fs::path(userFolder)) return false;
    return p.parent_path() != fs::path(dataFolder) || !IsShippedName(p.filename().string());
}

}  // namespace tovel
