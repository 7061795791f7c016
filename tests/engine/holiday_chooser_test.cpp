#include <map>

#include <gtest/gtest.h>

#include "engine/holiday_chooser.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

// The list's texts in their order: Purim once, for the single Adar or Adar II. An unknown text
// stays; from 6550 a pick may still reach 6551, from 6551 it is refused.
TEST(HolidayChooserTest, ListUnknownTextAndTheUpperLimit) {
    std::string list;
    for (const HolidayRow& e : ChooserEntries()) list += std::string(e.ChooserText) + "; ";
    EXPECT_EQ(list,
              "Rosh Hashanah; Yom Kippur; Succoth; Sh 'mini Atzeret; Simchat Torah; Hanukkah; "
              "Tu B 'Shevat; Purim; Pesach; Yom Hashoah; Yom Haatzmaut; Lag B 'Omer; Shavuot; "
              "Tisha B 'Av; ");
    EXPECT_EQ(PickHoliday(SetUpFor(Ymd(2000, 3, 27)), "Chanukah", {}).SelDate, Ymd(2000, 3, 27));
    CalendarState s = SetUpFor(Ymd(2790, 1, 1));
    ASSERT_EQ(s.JewYear, 6550);
    EXPECT_FALSE(PickHoliday(s, "Rosh Hashanah", {}).Refused);
    s = SetUpFor(PickHoliday(s, "Rosh Hashanah", {}).SelDate);
    EXPECT_EQ(s.JewYear, 6551);
    const HolidayPick pick = PickHoliday(s, "Purim", {});
    EXPECT_TRUE(pick.Refused);
    EXPECT_EQ(pick.SelDate, s.SelDate);
}

// From three days of every month of 5750..5849, each pick goes to the first day from the shown
// month's first day on that carries its holiday in the month setup: back or on in the shown month,
// else the next one.
TEST(HolidayChooserTest, EveryPickGoesToTheNextDayOfItsHoliday) {
    std::map<Date, std::string> holidays;
    std::vector<CalendarState> months;
    for (CalendarState s = SetUpFor(Ymd(1990, 1, 1)); s.JewYear < 5851;
         s = SetUpFor(s.NextMonthDate)) {
        for (int d = 1; d <= s.MonthDays; ++d)
            if (!s.DayText[d].empty()) holidays[s.FirstDate + (d - 1)] = s.DayText[d];
        if (s.JewYear < 5850) months.push_back(s);
    }
    for (const CalendarState& month : months)
        for (const int day : {1, 15, static_cast<int>(month.MonthDays)}) {
            const CalendarState from = SetUpFor(month.FirstDate + (day - 1));
            for (const HolidayRow& e : ChooserEntries()) {
                auto next = holidays.lower_bound(from.FirstDate);
                while (next->second.rfind(e.ChooserText, 0) != 0) ++next;
                EXPECT_EQ(PickHoliday(from, e.ChooserText, {}).SelDate, next->first)
                    << e.ChooserText << " from " << day << from.JewMonthName << from.JewYear;
            }
        }
}

}  // namespace
}  // namespace tovel
