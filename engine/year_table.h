#pragma once
// The year table: one line per Jewish year, its number in the first four
// characters and the Gregorian date of its 1 Tishri in the last eleven. The
// month setup, the start-up fallback and the year buttons all read it into the
// one model below, indexed by Jewish year.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/notifier.h"
#include "state/date.h"

namespace tovel {

// The year table's file name in the program's folder.
inline constexpr const char* kYearTableName = "RHDates.Tvl";

inline constexpr const char* kUnknownYearType = "Unknown year type";

class YearTable {
public:
    // Reads table text (lines ending in CR LF or LF, blanks around a line
    // ignored). A line whose year or date does not parse is left out; of two
    // lines for one year the first counts.
    static YearTable FromText(std::string_view text);

    // 1 Tishri of `jewYear`, nothing when the table does not know the year.
    std::optional<Date> StartOf(int jewYear) const;

    // The Jewish year that holds `day`: the first year, in year order, whose
    // 1 Tishri falls in day's Gregorian year, or the year before it when that
    // 1 Tishri comes after `day`. Nothing when no year begins in day's
    // Gregorian year, or when the year found and the next do not enclose `day`
    // (a table out of order).
    std::optional<int> YearOf(Date day) const;

    // Every 1 Tishri the table knows, in year order.
    std::vector<Date> Starts() const;

private:
    int firstYear_ = 0;
    std::vector<std::optional<Date>> starts_;  // index: year - firstYear_
};

// The whole year table file as a table; an empty table, which knows no year,
// when it cannot be read (see ReadDataFile: only a regular file of at most
// 1 MiB is read). Read it once per use (one button press, one month setup), so
// a changed file is seen on the next one.
YearTable ReadYearTable(const std::string& path);

// 1..6 for 353, 354, 355, 383, 384, 385 days from Year1 to Year2; any other
// length tells the notifier "Unknown year type" and gives 0.
int FindYearType(const Date& Year2, const Date& Year1, const Notifier& notify);

// Lengths of the six year types, index 1..6; index 0 is 0.
int YearTypeLength(int yearType);

}  // namespace tovel
