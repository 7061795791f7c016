#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/popup.h"
#include "engine/date.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;

class ProgramFolder {
public:
    ProgramFolder() {
        path_ = fs::temp_directory_path() / ("tovel-popup-" + std::to_string(::getpid()) + "-" +
                                             std::to_string(counter_++));
        fs::create_directories(path_);
        fs::copy_file(fs::path(TOVEL_DATA_DIR) / "RHDates.Tvl", path_ / "RHDates.Tvl");
    }
    ~ProgramFolder() { fs::remove_all(path_); }
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
    }
    std::string Path() const { return path_.string(); }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

TEST(PopupTest, SpeaksOnlyOnAHolidayWithALocation) {
    const Date yomKippur = Date::FromYmd(1999, 9, 20);
    const Date ordinary = Date::FromYmd(1999, 9, 21);
    const Date outsideTable = Date::FromYmd(3000, 1, 1);
    ProgramFolder folder;
    // No location yet.
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::Quiet);
    folder.Write("town.sun", "Town\r\n Sep 20  6:55\r\n");
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::Quiet);  // not active
    folder.Write("Tovel.ini", "[Tovel]\r\nActiveLocation=1\r\n");
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::NeedsWindow);
    EXPECT_EQ(DecidePopup(folder.Path(), ordinary), PopupOutcome::Quiet);
    EXPECT_EQ(DecidePopup(folder.Path(), outsideTable), PopupOutcome::Quiet);
    folder.Write("Tovel.ini", "[Tovel]\r\nActiveLocation=2\r\n");  // only one table
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::Quiet);
    folder.Write("Tovel.ini", "[tovel]\r\n activelocation = 1.4 \r\n");
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::NeedsWindow);
    fs::remove(fs::path(folder.Path()) / "RHDates.Tvl");
    EXPECT_EQ(DecidePopup(folder.Path(), ordinary), PopupOutcome::NeedsWindow);  // the missing-table message
}

}  // namespace
}  // namespace tovel
