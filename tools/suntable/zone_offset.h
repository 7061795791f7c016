#pragma once
// A place's civil time from the IANA time-zone database, through Qt's QTimeZone.

#include <optional>
#include <string>

#include "sunset/sun_table_maker.h"

namespace tovel {

// The offset function of the zone `ianaId` ("Europe/London"), or nothing when
// the zone is unknown.
std::optional<UtcOffsetAt> ZoneOffset(const std::string& ianaId);

}  // namespace tovel
