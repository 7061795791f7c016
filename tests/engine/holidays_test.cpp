#include <map>

#include <gtest/gtest.h>

#include "engine/holidays.h"
#include "test_support.h"

namespace tovel {
namespace {

using test::SetUpFor;
using test::Ymd;

std::map<int, std::string> Texts(const CalendarState& s) {
    std::map<int, std::string> out;
    for (int k = 0; k < 43; ++k)
        if (!s.DayText[k].empty()) out[k] = s.DayText[k];
    return out;
}

TEST(HolidaysTest, NamedMonths) {
    using M = std::map<int, std::string>;
    const struct { const char* name; Date day; M texts; } cases[] = {
        {"Tishri 5760", Ymd(1999, 9, 20),
         {{1, "Rosh Hashanah"}, {2, "Rosh Hashanah"}, {10, "Yom Kippur"}, {15, "Succoth (Tishri 15-21)"},
          {22, "Sh 'mini Atzeret"}, {23, "Simchat Torah"}}},
        {"Heshvan 5760", Ymd(1999, 10, 20), {}},
        {"Kislev 5760", Ymd(1999, 12, 1), {{25, "Hanukkah (8 days)"}}},
        {"Tevet 5760", Ymd(2000, 1, 1), {{10, "Tzom Tevet"}}},
        {"Shevat 5760", Ymd(2000, 2, 1), {{15, "Tu B 'Shevat"}}},
        {"Adar I 5760 (leap)", Ymd(2000, 2, 20), {}},
        {"Adar II 5760", Ymd(2000, 3, 21), {{13, "Ta 'anit Esther"}, {14, "Purim"}}},
        {"Adar 5764, 13th a Saturday", Ymd(2004, 3, 6), {{11, "Ta 'anit Esther"}, {14, "Purim"}}},
        {"Adar II 5757, 13th a Saturday", Ymd(1997, 3, 22), {{11, "Ta 'anit Esther"}, {14, "Purim"}}},
        {"Nisan 5760", Ymd(2000, 4, 10), {{15, "Pesach (Nisan 15-22)"}, {27, "Yom Hashoah"}}},
        {"Iyyar 5761, 5th a Saturday", Ymd(2001, 4, 28), {{3, "Yom Haatzmaut"}, {18, "Lag B 'Omer"}}},
        {"Iyyar 5758, 5th a Friday", Ymd(1998, 5, 1), {{5, "Yom Haatzmaut"}, {18, "Lag B 'Omer"}}},
        {"Sivan 5760", Ymd(2000, 6, 10), {{6, "Shavuot (Sivan 6-7)"}}},
        {"Tamuz 5760", Ymd(2000, 7, 10), {}},
        {"Av 5772, 9th a Saturday", Ymd(2012, 7, 28), {{10, "Tisha B 'Av"}}},
        {"Av 5760", Ymd(2000, 8, 10), {{9, "Tisha B 'Av"}}},
        {"Elul 5760", Ymd(2000, 9, 10), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CalendarState s = SetUpFor(c.day);
        EXPECT_EQ(Texts(s), c.texts);
        EXPECT_EQ(s.FirstDate, s.SelDate - s.JewDay + 1);
    }
}

TEST(HolidaysTest, ClearsOldTextsAndIgnoresBadMonths) {
    CalendarState s = SetUpFor(Ymd(1999, 9, 20));
    for (auto& t : s.DayText) t = "stale";
    s.JewMonthNo = 2;
    SetHolidays(s);
    EXPECT_EQ(s.DayText[0], "stale");  // index 0 is never used
    for (int k = 1; k <= 42; ++k) EXPECT_EQ(s.DayText[k], "") << k;
    for (int bad : {0, 14, -1}) {
        s.JewMonthNo = static_cast<std::int16_t>(bad);
        s.DayText[5] = "stale";
        SetHolidays(s);
        EXPECT_EQ(s.DayText[5], "");
    }
    // Year type 0 counts as a common year for Adar.
    s.JewMonthNo = 6;
    s.YearType = 0;
    SetHolidays(s);
    EXPECT_EQ(s.DayText[14], "Purim");
}

}  // namespace
}  // namespace tovel
