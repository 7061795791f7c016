#include "sunset/sun_table_maker.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "engine/format_date.h"
#include "sunset/name_encoding.h"
#include "sunset/sun_line.h"
#include "sunset/sunset_table.h"

namespace tovel {
namespace {

using namespace std::chrono;

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t DayNumber(sys_days d) { return d.time_since_epoch().count(); }

// Local day number (days since 1970-01-01 in local time) of a UTC instant.
std::int64_t LocalDayOf(double utcSeconds, const UtcOffsetAt& offset) {
    const auto whole = static_cast<std::int64_t>(std::floor(utcSeconds));
    const std::int64_t local = whole + offset(whole);
    return local >= 0 ? local / kSecondsPerDay : -((-local - 1) / kSecondsPerDay) - 1;
}

std::string DayText(year_month_day d) {
    char text[32];
    std::snprintf(text, sizeof text, "%s %u %d",
                  std::string(MonthAbbreviation(static_cast<int>(unsigned(d.month())))).c_str(),
                  unsigned(d.day()), int(d.year()));
    return text;
}

std::string ClockText(int minutes) {
    const int m = ((minutes % 1440) + 1440) % 1440;
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d%s", m / 60, m % 60,
                  minutes >= 1440 ? " (after midnight)"
                  : minutes < 0   ? " (the day before)"
                                  : "");
    return text;
}

}  // namespace

LocalSunset SunsetOn(year_month_day day, double latitude, double longitude,
                     const UtcOffsetAt& offset) {
    const sys_days local{day};
    // The UTC day whose transit falls on the local date: the same day unless
    // the zone's offset is far from the longitude's mean time.
    sys_days utcDay = local;
    for (int k : {0, -1, 1}) {
        const sys_days candidate = local + days{k};
        const double noon = static_cast<double>(DayNumber(candidate) * kSecondsPerDay) +
                            solar::SolarNoonUtc(candidate, longitude) * 60.0;
        if (LocalDayOf(noon, offset) == DayNumber(local)) {
            utcDay = candidate;
            break;
        }
    }
    const solar::Sunset set = solar::SunsetUtc(utcDay, latitude, longitude);
    if (set.Kind != solar::SunsetKind::Sets) return {set.Kind, 0};
    const double utcSeconds =
        static_cast<double>(DayNumber(utcDay) * kSecondsPerDay) + set.UtcMinutes * 60.0;
    const auto whole = static_cast<std::int64_t>(std::floor(utcSeconds));
    const double localSeconds =
        utcSeconds + offset(whole) - static_cast<double>(DayNumber(local) * kSecondsPerDay);
    return {solar::SunsetKind::Sets, static_cast<int>(std::floor(localSeconds / 60.0 + 0.5))};
}

std::string SunTableNameProblem(std::string_view name) {
    if (name.empty()) return "the location name is empty";
    if (!IsValidUtf8(name)) return "the location name is not valid UTF-8";
    for (char c : name) {
        if (c == '\r' || c == '\n') return "the location name holds a line break";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "the location name holds a control character";
    }
    if (name.size() > kMaxLocationNameBytes)
        return "the location name is longer than " + std::to_string(kMaxLocationNameBytes) +
               " bytes";
    return "";
}

SunTableResult MakeSunTable(const SunTablePlace& place, int year, const UtcOffsetAt& offset,
                            std::string_view zone) {
    SunTableResult out;
    if (std::string problem = SunTableNameProblem(place.Name); !problem.empty()) {
        out.Error = problem;
        return out;
    }
    if (!zone.empty()) {
        if (std::string problem = SunZoneNameProblem(zone); !problem.empty()) {
            out.Error = problem;
            return out;
        }
    }
    if (year < kFirstSunTableYear || year > kLastSunTableYear) {
        out.Error = "the year " + std::to_string(year) + " is outside " +
                    std::to_string(kFirstSunTableYear) + ".." + std::to_string(kLastSunTableYear);
        return out;
    }
    std::string text = place.Name + "\r\n";
    const int leapYear = LeapDayYear(year);
    for (unsigned m = 1; m <= 12; ++m) {
        for (unsigned d = 1; d <= SunTableMonthDays(m); ++d) {
            const year_month_day day{std::chrono::year{m == 2 && d == 29 ? leapYear : year},
                                     month{m}, std::chrono::day{d}};
            const LocalSunset set = SunsetOn(day, place.Latitude, place.Longitude, offset);
            std::optional<std::string> line;
            if (set.Kind == solar::SunsetKind::NeverSets) {
                out.Error = "on " + DayText(day) + " the sun does not set (midnight sun)";
            } else if (set.Kind == solar::SunsetKind::NeverRises) {
                out.Error = "on " + DayText(day) + " the sun does not rise (polar night)";
            } else if (!(line = WriteSunLine(m, d, set.Minutes / 60, set.Minutes % 60))) {
                out.Error = "on " + DayText(day) + " the sun sets at " + ClockText(set.Minutes) +
                            "; a table holds only sunsets from 13:00 to 23:59";
            }
            if (!out.Ok()) return out;
            text += *line;
            text += "\r\n";
        }
    }
    if (!zone.empty()) text += WriteSunZoneLine(zone, year) + "\r\n";
    out.Text = std::move(text);
    return out;
}

}  // namespace tovel
