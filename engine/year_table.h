#pragma once
// The year table: one line per Jewish year, its number in the first four
// characters and the Gregorian date of its 1 Tishri in the last eleven. The
// month setup, the start-up fallback and the year buttons all read it into the
// one model below, indexed by Jewish year.

#include <cstdint>
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
    YearTable() = default;
    YearTable(const YearTable&) = delete;  // read once per use, never copied
    YearTable(YearTable&&) = default;
    YearTable& operator=(YearTable&&) = default;

    // 1 Tishri of `jewYear`, nothing when the table does not know the year.
    std::optional<Date> StartOf(int jewYear) const;

    // The Jewish year that holds `day`: the one that begins in day's Gregorian
    // year (counted from the table's first year, one a Gregorian year) or the
    // one before it, whichever encloses `day` with its own start and the next
    // year's. Nothing when neither does (a damaged table, or one that does not
    // reach the day).
    std::optional<int> YearOf(Date day) const;

    // Every 1 Tishri the table knows, in year order.
    std::vector<Date> Starts() const;

private:
    // A year's lines are found by their first four characters alone; a date
    // is parsed when first asked for, since a month needs three of a
    // thousand. A line whose date does not parse gives way to the next line
    // of the same year. Positions are 32 bits wide, so that the pop-up run
    // touches few pages (texts of 4 GiB or more read as no table).
    static constexpr std::uint32_t kNone = static_cast<std::uint32_t>(-1);
    struct Line {
        std::uint32_t Begin, Size;  // trimmed, inside text_
        std::uint32_t Next;         // the next line of the same year, or kNone
    };
    struct Year {
        mutable Date Start;  // when Known
        std::uint32_t FirstLine = kNone;
        mutable bool Parsed = false, Known = false;
    };
    static YearTable FromOwnText(std::string&& text);  // FromText without a copy
    friend YearTable ReadYearTable(const std::string& path);
    const Year* Find(int jewYear) const;

    std::string text_;
    std::vector<Line> lines_;
    int firstYear_ = 0;
    std::vector<Year> years_;  // index: year - firstYear_
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
