#pragma once
// Where 1 Tishri of a given Jewish year comes from: the year table file, or a
// table already in memory. The year buttons ask for the start of the year they
// move into and of the year after it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/date.h"

namespace tovel {

class YearStarts {
public:
    virtual ~YearStarts() = default;
    // 1 Tishri of `jewYear`, nothing when the source does not know the year.
    virtual std::optional<Date> StartOf(int jewYear) const = 0;
};

// A year table held in memory, indexed by Jewish year.
class YearStartTable final : public YearStarts {
public:
    // Reads table text (lines ending in CR LF or LF). A line whose year or date
    // does not parse is left out; of two lines for one year the first counts.
    static YearStartTable FromText(std::string_view text);

    std::optional<Date> StartOf(int jewYear) const override;
    bool Empty() const { return starts_.empty(); }
    // Every 1 Tishri the table knows, in year order.
    std::vector<Date> Starts() const;

private:
    int firstYear_ = 0;
    std::vector<std::optional<Date>> starts_;  // index: year - firstYear_
};

// The whole year table file as a table; nothing when it cannot be read (see
// ReadDataFile: only a regular file of at most 1 MiB is read).
std::optional<YearStartTable> ReadYearStartTable(const std::string& path);

// The year table file as a source. The file is read at the first question and
// its contents are kept for the object's life: make one per use (one button
// press), so a changed file is seen on the next press.
class YearTableFile final : public YearStarts {
public:
    explicit YearTableFile(std::string path) : path_(std::move(path)) {}
    std::optional<Date> StartOf(int jewYear) const override;

private:
    std::string path_;
    mutable bool read_ = false;
    mutable std::optional<YearStartTable> table_;
};

}  // namespace tovel
