#pragma once
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "app/settings.h"
#include "engine/format_date.h"
#include "engine/month_setup.h"
#include "engine/year_table.h"

namespace tovel {

// Dates show as text on failure.
inline void PrintTo(Date d, std::ostream* os) { *os << FormatDate(d); }

namespace test {

inline std::string ShippedTable() { return std::string(TOVEL_DATA_DIR) + "/RHDates.Tvl"; }

inline Date Ymd(int y, unsigned m, unsigned d) { return Date::FromYmd(y, m, d); }

// The shipped year table, read once.
inline const YearTable& ShippedYearTable() {
    static const YearTable table = ReadYearTable(ShippedTable());
    return table;
}

// All bytes of a file; "" when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A fresh temporary folder, removed with the object. Write() gives the full path of the file.
struct TempFolder {
    TempFolder() { std::filesystem::create_directories(path_); }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
        return (path_ / name).string();
    }
    std::string Path() const { return path_.string(); }
    static inline int counter_ = 0;
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() /
        ("tovel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
};

// Default settings set up for `day` on `table` with year step `step`; a failure when it cannot be.
inline CalendarState SetUpFor(Date day, int step = 1, const std::string& table = ShippedTable(),
                              Notifier tell = {}) {
    CalendarState s;
    ReadSettings("", s);
    s.RHDatesFile = table;
    s.SelDate = day;
    s.YearStep = static_cast<std::int16_t>(step);
    if (!FindGDate(s, tell)) ADD_FAILURE() << "no month setup for serial " << day.Serial();
    return s;
}

}  // namespace test
}  // namespace tovel
