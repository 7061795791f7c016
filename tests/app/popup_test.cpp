#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/popup.h"
#include "state/date.h"
#include "test_support.h"

namespace tovel {
namespace {

namespace fs = std::filesystem;

// A program folder holding the shipped year table.
class ProgramFolder : public test::TempFolder {
public:
    ProgramFolder() { fs::copy_file(fs::path(TOVEL_DATA_DIR) / "RHDates.Tvl", fs::path(Path()) / "RHDates.Tvl"); }
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
    folder.Write("Tovel.ini", "[Tovel]\r\nActiveLocation=2\r\n");  // only one table
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::Quiet);
    folder.Write("Tovel.ini", "[tovel]\r\n activelocation = 1.4 \r\n");
    EXPECT_EQ(DecidePopup(folder.Path(), yomKippur), PopupOutcome::NeedsWindow);
    // A table with an impossible year length: the window must say so.
    folder.Write("RHDates.Tvl", "5759 21-Sep-1998\r\n5760 11-Sep-1999\r\n5761 01-Oct-2000\r\n5762 18-Sep-2001\r\n");
    EXPECT_EQ(DecidePopup(folder.Path(), ordinary), PopupOutcome::NeedsWindow);
    // Today outside a table it can read: the window names the problem.
    EXPECT_EQ(DecidePopup(folder.Path(), outsideTable), PopupOutcome::NeedsWindow);
    fs::remove(fs::path(folder.Path()) / "RHDates.Tvl");
    EXPECT_EQ(DecidePopup(folder.Path(), ordinary), PopupOutcome::NeedsWindow);  // the missing-table message
}

}  // namespace
}  // namespace tovel
