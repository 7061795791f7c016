#include <gtest/gtest.h>

#include "engine/format_date.h"
#include "engine/holiday_chooser.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

TEST(HolidayChooserTest, NamedPicksAndTheUpperLimit) {
    const struct { const char* name; Date from; const char* pick; Date to; } cases[] = {
        {"20 Tishri, Yom Kippur: back in the shown month", Ymd(1999, 9, 30), "Yom Kippur", Ymd(1999, 9, 20)},
        {"1 Heshvan, Rosh Hashanah: next year", Ymd(1999, 10, 11), "Rosh Hashanah", Ymd(2000, 9, 30)},
        {"20 Kislev, Hanukkah: 5 days on", Ymd(1999, 11, 29), "Hanukkah", Ymd(1999, 12, 4)},
        {"28 Kislev, Hanukkah: 3 days back", Ymd(1999, 12, 7), "Hanukkah", Ymd(1999, 12, 4)},
        {"1 Shevat 5760, Purim: 14 Adar II", Ymd(2000, 1, 8), "Purim", Ymd(2000, 3, 21)},
        {"Tamuz 5760, Pesach: next year's", Ymd(2000, 7, 10), "Pesach", Ymd(2001, 4, 8)},
        {"Tamuz 5759, Pesach: into a leap year", Ymd(1999, 7, 1), "Pesach", Ymd(2000, 4, 20)},
        {"Av 5772 from Tamuz, Tisha B 'Av on a Saturday", Ymd(2012, 7, 1), "Tisha B 'Av", Ymd(2012, 7, 29)},
        {"Iyyar 5761, Yom Haatzmaut on a Saturday", Ymd(2001, 4, 24), "Yom Haatzmaut", Ymd(2001, 4, 26)},
        {"Shevat 5764, Purim in a common year", Ymd(2004, 1, 30), "Purim", Ymd(2004, 3, 7)},
        // Adar holidays live in Adar II in a leap year, whichever Adar is shown.
        {"1 Adar I 5760, Purim", Ymd(2000, 2, 7), "Purim", Ymd(2000, 3, 21)},
        {"1 Adar I 5760, Pesach", Ymd(2000, 2, 7), "Pesach", Ymd(2000, 4, 20)},
        {"20 Adar II 5760, Pesach", Ymd(2000, 3, 27), "Pesach", Ymd(2000, 4, 20)},
        {"unknown text: no move", Ymd(2000, 3, 27), "Chanukah", Ymd(2000, 3, 27)},
    };
    for (const auto& c : cases) {
        const HolidayPick pick = PickHoliday(SetUpFor(c.from), c.pick, {});
        EXPECT_TRUE(!pick.Refused && pick.SelDate == c.to) << c.name << ": " << FormatDate(pick.SelDate);
    }
    // From 6550 a pick may still reach 6551; from 6551 it is refused.
    CalendarState s = SetUpFor(Ymd(2790, 1, 1));
    ASSERT_EQ(s.JewYear, 6550);
    EXPECT_FALSE(PickHoliday(s, "Rosh Hashanah", {}).Refused);
    s = SetUpFor(PickHoliday(s, "Rosh Hashanah", {}).SelDate);
    EXPECT_EQ(s.JewYear, 6551);
    const HolidayPick pick = PickHoliday(s, "Purim", {});
    EXPECT_TRUE(pick.Refused && pick.SelDate == s.SelDate);
}

// From three days of every month of 5750..5849, every pick lands on its holiday, in the shown month or within a year.
TEST(HolidayChooserTest, EveryPickLandsOnItsHoliday) {
    for (CalendarState s = SetUpFor(Ymd(1990, 1, 1)); s.JewYear < 5850; s = SetUpFor(s.NextMonthDate)) {
        ASSERT_TRUE(s.MonthDays == 29 || s.MonthDays == 30) << s.JewYear << s.JewMonthName;
        for (const int day : {1, 15, static_cast<int>(s.MonthDays)}) {
            const CalendarState from = SetUpFor(s.FirstDate + day - 1);
            for (const ChooserEntry& e : ChooserEntries()) {
                SCOPED_TRACE(testing::Message() << e.Text << " from " << day << from.JewMonthName << from.JewYear);
                const CalendarState to = SetUpFor(PickHoliday(from, e.Text, {}).SelDate);
                ASSERT_EQ(to.DayText[to.JewDay].rfind(e.Text, 0), 0u) << to.DayText[to.JewDay];
                const int ahead = to.SelDate - from.SelDate;
                EXPECT_TRUE(to.FirstDate == from.FirstDate || (ahead > 0 && ahead < 385 + 30)) << ahead;
            }
        }
    }
}

}  // namespace
}  // namespace tovel
