// Writes the year table: one line per Jewish year with the Gregorian date of
// its 1 Tishri, computed from the molad of Tishri and the four postponements
// of the fixed Hebrew calendar.
//
//   make_year_table [FIRST LAST] > RHDates.Tvl        (default 5562 6553)
//
// Lines are "yyyy dd-Mmm-yyyy" ending in CR LF.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/format_date.h"
#include "state/date.h"

namespace {

using std::int64_t;

constexpr int64_t kPartsPerHour = 1080;
constexpr int64_t kPartsPerDay = 24 * kPartsPerHour;
// A mean lunar month: 29 days 12 hours 793 parts.
constexpr int64_t kLunarMonth = 29 * kPartsPerDay + 12 * kPartsPerHour + 793;
// Molad of Tishri of year 1 (BaHaRaD): day 2 (Monday), 5 hours, 204 parts into
// that day, whose hours count from 6 pm of the evening before.
constexpr int64_t kFirstMolad = 5 * kPartsPerHour + 204;

bool IsLeap(int64_t year) { return (7 * year + 1) % 19 < 7; }

int64_t MonthsBefore(int64_t year) { return (235 * year - 234) / 19; }

// Days from the Monday of year 1's molad to 1 Tishri of `year`.
int64_t NewYearOffset(int64_t year) {
    const int64_t parts = kFirstMolad + MonthsBefore(year) * kLunarMonth;
    int64_t day = parts / kPartsPerDay;
    const int64_t time = parts % kPartsPerDay;  // parts since 6 pm of the evening before
    // Weekday of `day`: 0 = Sunday .. 6 = Saturday; day 0 is a Monday.
    auto weekday = [](int64_t d) { return (d + 1) % 7; };
    const int64_t w = weekday(day);

    if (time >= 18 * kPartsPerHour) {
        // Molad zaken: a molad at or after noon moves the new year to the next day.
        ++day;
    } else if (w == 2 && !IsLeap(year) && time >= 9 * kPartsPerHour + 204) {
        // GaTaRaD: a Tuesday molad from 9 h 204 p in a common year; Wednesday is
        // forbidden below, so the year starts on Thursday.
        day += 2;
        return day;
    } else if (w == 1 && IsLeap(year - 1) && time >= 15 * kPartsPerHour + 589) {
        // BeTUTaKPaT: a Monday molad from 15 h 589 p right after a leap year.
        ++day;
    }
    // Lo ADU Rosh: 1 Tishri never falls on Sunday, Wednesday or Friday.
    const int64_t w2 = weekday(day);
    if (w2 == 0 || w2 == 3 || w2 == 5) ++day;
    return day;
}

// The Monday of year 1's molad: 7 October 3761 BCE in the Julian calendar,
// which is 7 September of the proleptic Gregorian year -3760.
tovel::Date Epoch() {
    using namespace std::chrono;
    return tovel::Date::FromSysDays(sys_days{year{-3760} / September / 7});
}

}  // namespace

int main(int argc, char** argv) {
    int first = 5562, last = 6553;
    if (argc == 3) {
        first = std::atoi(argv[1]);
        last = std::atoi(argv[2]);
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [FIRST LAST]\n", argv[0]);
        return 2;
    }
    if (first < 1000 || last > 9999 || first > last) {
        std::fprintf(stderr, "years must be four-digit and FIRST <= LAST\n");
        return 2;
    }
    const tovel::Date epoch = Epoch();
    for (int y = first; y <= last; ++y) {
        const tovel::Date rh = epoch + static_cast<int>(NewYearOffset(y));
        std::printf("%04d %s\r\n", y, tovel::FormatDate(rh).c_str());
    }
    return std::ferror(stdout) ? 1 : 0;
}
