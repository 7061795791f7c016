#pragma once
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/settings.h"
#include "engine/month_setup.h"
#include "state/calendar_state.h"
#include "state/date.h"

namespace tovel::test {

inline std::string ShippedTable() { return std::string(TOVEL_DATA_DIR) + "/RHDates.Tvl"; }

inline Date Ymd(int y, unsigned m, unsigned d) { return Date::FromYmd(y, m, d); }

// A fresh temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("tovel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes `content` to `name` in the folder and gives its full path.
    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
        return (path_ / name).string();
    }
    std::string Path() const { return path_.string(); }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};

// A file in a fresh temporary folder, removed with the object.
class TempFile {
public:
    explicit TempFile(const std::string& content, const std::string& name = "RHDates.Tvl")
        : path_(folder_.Write(name, content)) {}
    const std::string& Path() const { return path_; }

private:
    TempFolder folder_;
    std::string path_;
};

// State with the default settings, set up for `day` on the shipped table;
// fails the test when it cannot be.
inline CalendarState SetUpFor(Date day, int yearStep = 1, const std::string& table = ShippedTable(),
                              Notifier notify = {}) {
    CalendarState s;
    ReadSettings("", s);
    s.RHDatesFile = table;
    s.SelDate = day;
    s.YearStep = static_cast<std::int16_t>(yearStep);
    if (!FindGDate(s, notify)) ADD_FAILURE() << "no month setup for serial " << day.Serial();
    return s;
}

}  // namespace tovel::test
