#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "engine/date.h"
#include "engine/month_setup.h"
#include "state/calendar_state.h"

namespace tovel::test {

inline std::string ShippedTable() { return std::string(TOVEL_DATA_DIR) + "/RHDates.Tvl"; }

inline Date Ymd(int y, unsigned m, unsigned d) { return Date::FromYmd(y, m, d); }

// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& content, const std::string& name = "RHDates.Tvl") {
        dir_ = std::filesystem::temp_directory_path() /
               ("tovel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(dir_);
        path_ = (dir_ / name).string();
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~TempFile() { std::filesystem::remove_all(dir_); }
    const std::string& Path() const { return path_; }

private:
    static inline int counter_ = 0;
    std::filesystem::path dir_;
    std::string path_;
};

// State set up for `day` on the shipped table; fails the test when it cannot be.
inline CalendarState SetUpFor(Date day, int yearStep = 1, const std::string& table = ShippedTable(),
                              Notifier notify = {}) {
    CalendarState s;
    s.RHDatesFile = table;
    s.SelDate = day;
    s.YearStep = static_cast<std::int16_t>(yearStep);
    if (!FindGDate(s, notify)) ADD_FAILURE() << "no month setup for serial " << day.Serial();
    return s;
}

}  // namespace tovel::test
