#pragma once
// A place's civil time as the sunset code needs it: the offset from UTC of a
// zone at an instant, handed in by whoever knows the time-zone database (the
// window and the table tool, through Qt), so this code needs none.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tovel {

// The offset of the place's civil time from UTC, in seconds, at an instant
// given in seconds since 1970-01-01 00:00 UTC (daylight saving included).
using UtcOffsetAt = std::function<int(std::int64_t utcSeconds)>;

// The offset function of the IANA zone `zone` ("Europe/London"); nothing
// when the zone is unknown.
using ZoneLookup = std::function<std::optional<UtcOffsetAt>(const std::string& zone)>;

// The offset in force at a civil time: `minutes` after local midnight of `day`.
int OffsetAtCivilTime(const UtcOffsetAt& offset, std::chrono::sys_days day, int minutes);

// A civil time written for the day `from`, moved to the day `to` by the
// change of the zone's offset between them, both taken at that time of day:
// minutes - offset on `from` + offset on `to`. 18:54 written for a day of
// standard time becomes 19:54 on a day of summer time.
int MoveCivilTime(const UtcOffsetAt& offset, int minutes, std::chrono::sys_days from,
                  std::chrono::sys_days to);

}  // namespace tovel
