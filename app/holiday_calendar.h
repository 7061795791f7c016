#pragma once
// The holidays of a range of Jewish years as one iCalendar file (RFC 5545)
// that any calendar program imports: one all-day event per holiday text and
// day, UTF-8, lines ended by CR LF and folded at 75 octets.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "state/date.h"
#include "sunset/sunset_table.h"

namespace tovel {

class YearTable;

// The active location's sunset on a civil day, nothing when it has none.
using SunsetLookup = std::function<std::optional<SunsetTime>(Date)>;

// "20250314-purim@tovel.org": the day and the holiday text in lower-case
// letters and digits. The same holiday on the same day gets the same UID in
// every export, so a calendar that imports the file again updates the event
// instead of adding it twice.
std::string HolidayUid(Date day, std::string_view text);

// A TEXT value: backslash, semicolon, comma and line end escaped.
std::string IcsText(std::string_view text);

// `line` folded and ended by CR LF: no line longer than 75 octets, a
// continuation line starting with one blank, and no UTF-8 character split.
std::string FoldedLine(std::string_view line);

// DTSTAMP's UTC date and time, "20250101T120000Z", of a time in seconds since
// 1970-01-01 00:00 UTC.
std::string UtcStamp(std::int64_t utcSeconds);

// The calendar of the Jewish years `first` to `last` (years the table cannot
// set up have no events). `stamp` is every event's DTSTAMP. With `sunset`,
// each event's DESCRIPTION also says when the sun sets on the evening before,
// when the Jewish day begins.
std::string HolidayCalendar(const YearTable& table, int first, int last, std::string_view stamp,
                            const SunsetLookup& sunset = {});

}  // namespace tovel
