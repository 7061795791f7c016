#include "engine/year_starts.h"

#include "engine/read_file.h"
#include "engine/text.h"
#include "engine/year_table.h"

namespace tovel {

YearStartTable YearStartTable::FromText(std::string_view text) {
    YearStartTable table;
    for (std::string_view line; NextLine(text, line);) {
        line = TrimBlanks(line, " \t\r");
        const auto year = LineYear(line);
        const auto date = LineDate(line);
        if (!year || !date) continue;
        if (table.starts_.empty()) table.firstYear_ = *year;
        if (*year < table.firstYear_) {
            // Years out of order: widen the index downwards.
            table.starts_.insert(table.starts_.begin(),
                                 static_cast<std::size_t>(table.firstYear_ - *year), std::nullopt);
            table.firstYear_ = *year;
        }
        const auto i = static_cast<std::size_t>(*year - table.firstYear_);
        if (i >= table.starts_.size()) table.starts_.resize(i + 1);
        if (!table.starts_[i]) table.starts_[i] = date;
    }
    return table;
}

std::optional<Date> YearStartTable::StartOf(int jewYear) const {
    if (jewYear < firstYear_) return std::nullopt;
    const auto i = static_cast<std::size_t>(jewYear - firstYear_);
    return i < starts_.size() ? starts_[i] : std::nullopt;
}

std::vector<Date> YearStartTable::Starts() const {
    std::vector<Date> out;
    for (const auto& start : starts_)
        if (start) out.push_back(*start);
    return out;
}

std::optional<YearStartTable> ReadYearStartTable(const std::string& path) {
    std::string text;
    if (ReadDataFile(path, text) != FileRead::Ok) return std::nullopt;
    return YearStartTable::FromText(text);
}

std::optional<Date> YearTableFile::StartOf(int jewYear) const {
    if (!read_) {
        table_ = ReadYearStartTable(path_);
        read_ = true;
    }
    return table_ ? table_->StartOf(jewYear) : std::nullopt;
}

}  // namespace tovel
