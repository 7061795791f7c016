#include "sunset/civil_time.h"

namespace tovel {

int OffsetAtCivilTime(const UtcOffsetAt& offset, std::chrono::sys_days day, int minutes) {
    const std::int64_t local =
        static_cast<std::int64_t>(day.time_since_epoch().count()) * 86400 + minutes * 60;
    // Two steps settle the offset everywhere but in the hour a change skips
    // or repeats, which no sunset falls in.
    const int first = offset(local);
    return offset(local - first);
}

int MoveCivilTime(const UtcOffsetAt& offset, int minutes, std::chrono::sys_days from,
                  std::chrono::sys_days to) {
    const int shift =
        OffsetAtCivilTime(offset, to, minutes) - OffsetAtCivilTime(offset, from, minutes);
    return minutes + shift / 60;
}

}  // namespace tovel
