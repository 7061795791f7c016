#pragma once
// A place's civil time from the IANA time-zone database, through Qt's QTimeZone:
// the ZoneLookup the window and the table tool hand to the sunset code.

#include <optional>
#include <string>

#include "sunset/civil_time.h"

namespace tovel {

// The offset function of the zone `ianaId` ("Europe/London"), or nothing when
// the zone is unknown. A ZoneLookup.
std::optional<UtcOffsetAt> ZoneOffset(const std::string& ianaId);

// The system's zone, "Europe/London"; "UTC" when it has no IANA name.
std::string SystemZone();

}  // namespace tovel
