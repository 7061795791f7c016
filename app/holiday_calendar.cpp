#include "app/holiday_calendar.h"

#include <array>
#include <chrono>
#include <cstdio>

#include "app/calendar_lines.h"
#include "engine/text.h"
#include "engine/year_holidays.h"

namespace tovel {

namespace {

constexpr std::size_t kMaxLineOctets = 75;

constexpr std::array<const char*, 8> kWeekdays = {"",          "Sunday",   "Monday", "Tuesday",
                                                  "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 13> kMonths = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

// DATE value: "20250314".
std::string IcsDate(Date d) {
    char out[16];
    std::snprintf(out, sizeof out, "%04d%02d%02d", d.Year(), d.Month(), d.Day());
    return out;
}

// "Thursday 13 March 2025".
std::string LongDate(Date d) {
    return std::string(kWeekdays[static_cast<std::size_t>(d.Weekday())]) + " " +
           std::to_string(d.Day()) + " " + kMonths[static_cast<std::size_t>(d.Month())] + " " +
           std::to_string(d.Year());
}

}  // namespace

std::string HolidayUid(Date day, std::string_view text) {
    std::string out = IcsDate(day) + "-";
    bool gap = false;
    for (const char c : text) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        const bool upper = c >= 'A' && c <= 'Z';
        if (!letter && !upper) {
            gap = true;
            continue;
        }
        if (gap && out.back() != '-') out += '-';
        gap = false;
        out += upper ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out + "@tovel.org";
}

std::string IcsText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',')
            out.append(1, '\\').append(1, c);
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

std::string FoldedLine(std::string_view line) {
    std::string out;
    std::size_t room = kMaxLineOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        // Back to the start of a character: never before a continuation byte.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        room = kMaxLineOctets - 1;  // the blank counts
    }
    return out.append(line).append("\r\n");
}

std::string UtcStamp(std::int64_t utcSeconds) {
    using namespace std::chrono;
    const sys_seconds t{seconds(utcSeconds)};
    const sys_days day = floor<days>(t);
    const year_month_day ymd{day};
    const hh_mm_ss time{t - day};
    char out[32];
    std::snprintf(out, sizeof out, "%04d%02u%02uT%02d%02d%02dZ", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return out;
}

std::string HolidayCalendar(const YearTable& table, int first, int last, std::string_view stamp,
                            const SunsetLookup& sunset) {
    std::string out;
    auto line = [&out](std::string_view text) { out += FoldedLine(text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Tovel//Jewish Calendar//EN");
    line("CALSCALE:GREGORIAN");
    line("X-WR-CALNAME:Jewish holidays " + std::to_string(first) +
         (last != first ? "-" + std::to_string(last) : std::string()));
    for (int year = first; year <= last; ++year) {
        for (const HolidayOn& h : YearHolidays(table, year)) {
            std::string description = JewishDateText(h.JewDay, h.Month, h.JewYear);
            if (const auto sun = sunset ? sunset(h.Day - 1) : std::nullopt)
                description += "\nBegins at sunset on " + LongDate(h.Day - 1) +
                               ": the sun sets in " + sun->Location + " at " +
                               std::string(TrimBlanks(sun->Time));
            line("BEGIN:VEVENT");
            line("UID:" + HolidayUid(h.Day, h.Text));
            line(std::string("DTSTAMP:").append(stamp));
            line("DTSTART;VALUE=DATE:" + IcsDate(h.Day));
            line("DTEND;VALUE=DATE:" + IcsDate(h.Day + 1));
            line("SUMMARY:" + IcsText(h.Text));
            line("DESCRIPTION:" + IcsText(description));
            line("TRANSP:TRANSPARENT");
            line("END:VEVENT");
        }
    }
    line("END:VCALENDAR");
    return out;
}

}  // namespace tovel
