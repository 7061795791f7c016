#pragma once
// The fixed date text "dd-Mmm-yyyy" with English month abbreviations,
// independent of the user's locale. The year table search keys on its last
// four characters and the sunset lookup cuts the month and day out by position.

#include <optional>
#include <string>
#include <string_view>

#include "state/date.h"

namespace tovel {

// "Jan".."Dec" for 1..12, "" for anything else.
std::string_view MonthAbbreviation(int month);

std::string FormatDate(const Date& MyDate);

// Parses "dd-Mmm-yyyy" (blanks around it ignored; a one-digit day is accepted).
// Returns nothing for any other text or for a day the month does not have.
std::optional<Date> ParseDateText(std::string_view text);

}  // namespace tovel
